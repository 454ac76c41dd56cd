#pragma once
// The common ancestor of the launch buttons: what a button launches, how it looks (a rounded
// background with the icon inside) and the launch itself with its confirmation and failure boxes.

#include <QString>

#include "uMaroviaTypes.h"
#include "vgLayout.h"

class TvgEllipse;
class TvgImage;
class TvgRectangle;
class TVGHintBox;

class TVGBaseButton : public TvgLayout {
    Q_OBJECT
    Q_PROPERTY(QString ButtonName READ ButtonName WRITE SetButtonName)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString CmdLine READ CmdLine WRITE SetCmdLine)
    Q_PROPERTY(QString ImageFile READ ImageFile WRITE SetImageFile)
    Q_PROPERTY(bool IsRunAsk READ IsRunAsk WRITE SetIsRunAsk)

public:
    Q_INVOKABLE explicit TVGBaseButton(QObject* AOwner = nullptr);

    QString ButtonName() const { return FButtonName; }
    virtual void SetButtonName(const QString& Value);
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& Value) { FFileName = Value; }
    QString CmdLine() const { return FCmdLine; }
    void SetCmdLine(const QString& Value) { FCmdLine = Value; }
    QString ImageFile() const { return FImageFile; }
    // Loads the picture when the path changes; a missing file keeps the previous picture. A button
    // that decodes its picture when shown (PictureWhenShown) only notes the path until then.
    void SetImageFile(const QString& Value);
    // Set, the picture of a new path is decoded when the button is first shown, drawn or asked for
    // its image, or by LoadDuePicture: the desktop panel is hidden at start and may hold a
    // thousand buttons with a thousand icons, which the first frame does not need.
    bool PictureWhenShown() const { return FPictureWhenShown; }
    void SetPictureWhenShown(bool Value) { FPictureWhenShown = Value; }
    // The path was set and its picture not decoded yet.
    bool PictureDue() const { return FPictureDue; }
    // Decodes the picture of the path when it is due; nothing otherwise.
    void LoadDuePicture();
    bool IsRunAsk() const { return FIsRunAsk; }
    void SetIsRunAsk(bool Value) { FIsRunAsk = Value; }
    TButtonPlace Place() const { return FPlace; }
    void SetPlace(TButtonPlace Value) { FPlace = Value; }
    bool IsSystemButton() const { return FIsSystemButton; }
    void SetIsSystemButton(bool Value) { FIsSystemButton = Value; }
    TMVSysCommand SysCommand() const { return FSysCommand; }
    void SetSysCommand(TMVSysCommand Value) { FSysCommand = Value; }
    bool IsDesktopLink() const { return FIsDesktopLink; }
    void SetIsDesktopLink(bool Value) { FIsDesktopLink = Value; }
    // Borrowed: the hint box belongs to the scene manager, the panel to itself.
    TVGHintBox* HintBox() const { return FHintBox; }
    void SetHintBox(TVGHintBox* Value) { FHintBox = Value; }
    TvgVisualObject* Panel() const { return FPanel; }
    void SetPanel(TvgVisualObject* Value) { FPanel = Value; }

    // The target file is gone: a small badge on the icon, and the hint says so. Set by the scene
    // manager's target check, never while drawing.
    bool IsTargetMissing() const { return FIsTargetMissing; }
    void SetIsTargetMissing(bool Value);
    // What the hint shows for the button: its name, and when the target is gone, that too.
    QString HintText() const;
    // The badge while the target is missing; null while it never was. Made when first drawn or
    // asked for: a load marks every button whose target is gone, and those of the hidden desktop
    // panel may be many and stay unseen for long.
    TvgEllipse* MissingBadge() const;

    // The look of the button the keyboard's search has chosen: as if the mouse were over it.
    virtual void SetKeyboardHighlight(bool Value);

    // Keeps the badge in the top-right corner.
    void SetWidth(float value) override;
    // A badge or a picture that is due is made before the button is painted.
    void BeforePaintStep(TvgCanvas& Canvas) override;

    TvgRectangle* BackGround() const { return FBackGround; }
    // The icon; a picture that is due is decoded first.
    TvgImage* Image() const;

    // Asks first when IsRunAsk is set, launches, and reports a failed launch. Sender is ignored.
    void ButtonClick(TvgObject* Sender);

protected:
    QString FHotColor = QStringLiteral("#50FFFFFF");
    QString FDefaultColor = QStringLiteral("#10000000");
    TvgRectangle* FBackGround;
    TvgImage* FImage;

private:
    QString FButtonName;
    QString FFileName;
    QString FCmdLine;
    QString FImageFile;
    bool FIsRunAsk = false;
    TButtonPlace FPlace = BP_ToolBar;
    bool FIsSystemButton = false;
    TMVSysCommand FSysCommand = MVC_None;
    bool FIsDesktopLink = false;
    TVGHintBox* FHintBox = nullptr;
    TvgVisualObject* FPanel = nullptr;
    // Makes the badge of a missing target when there is none yet.
    void MakeMissingBadge();

    bool FPictureWhenShown = false;
    bool FPictureDue = false;

    bool FIsTargetMissing = false;
    TvgEllipse* FMissingBadge = nullptr;
};
