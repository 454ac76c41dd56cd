#pragma once
// The window control in the dark translucent "HUD" look: the window's own fill and stroke paint
// the style's "back" and "stroke" shapes, the caption's height follows the stroke's thickness,
// and the close button sits at the left or the right end of the caption.

#include "vgDrawTypes.h"
#include "vgWindow.h"

class TvgBrush;

namespace vgWindowEnums {
Q_NAMESPACE
enum TvgCloseAlign { vgButtonAlignLeft, vgButtonAlignRight };
Q_ENUM_NS(TvgCloseAlign)
}  // namespace vgWindowEnums
using vgWindowEnums::TvgCloseAlign;
using enum vgWindowEnums::TvgCloseAlign;

class TvgHudWindow : public TvgWindow {
    Q_OBJECT
    Q_PROPERTY(TvgBrush* Fill READ Fill CONSTANT)
    Q_PROPERTY(TvgBrush* Stroke READ Stroke CONSTANT)
    Q_PROPERTY(float StrokeThickness READ StrokeThickness WRITE SetStrokeThickness)
    Q_PROPERTY(vgEnums::TvgStrokeCap StrokeCap READ StrokeCap WRITE SetStrokeCap)
    Q_PROPERTY(vgEnums::TvgStrokeDash StrokeDash READ StrokeDash WRITE SetStrokeDash)
    Q_PROPERTY(vgEnums::TvgStrokeJoin StrokeJoin READ StrokeJoin WRITE SetStrokeJoin)
    Q_PROPERTY(vgWindowEnums::TvgCloseAlign ButtonAlign READ ButtonAlign WRITE SetButtonAlign)
    Q_PROPERTY(bool ShowCaption READ ShowCaption WRITE SetShowCaption)
    Q_PROPERTY(bool DisableShadowOnOSX READ DisableShadowOnOSX WRITE SetDisableShadowOnOSX)

public:
    Q_INVOKABLE explicit TvgHudWindow(QObject* AOwner = nullptr);

    TvgBrush* Fill() const { return FFill; }
    // Copies the brush.
    void SetFill(const TvgBrush& value);
    TvgBrush* Stroke() const { return FStroke; }
    void SetStroke(const TvgBrush& value);
    float StrokeThickness() const { return FStrokeThickness; }
    void SetStrokeThickness(float value);
    TvgStrokeCap StrokeCap() const { return FStrokeCap; }
    void SetStrokeCap(TvgStrokeCap value);
    TvgStrokeDash StrokeDash() const { return FStrokeDash; }
    void SetStrokeDash(TvgStrokeDash value);
    TvgStrokeJoin StrokeJoin() const { return FStrokeJoin; }
    void SetStrokeJoin(TvgStrokeJoin value);
    TvgCloseAlign ButtonAlign() const { return FButtonAlign; }
    void SetButtonAlign(TvgCloseAlign value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool value);
    bool DisableShadowOnOSX() const { return FDisableShadowOnOSX; }
    void SetDisableShadowOnOSX(bool value) { FDisableShadowOnOSX = value; }

protected:
    void ApplyWindowStyle() override;

private:
    // A change of look outside loading shows at once.
    void LookChanged();

    TvgBrush* FFill;
    TvgBrush* FStroke;
    float FStrokeThickness = 1;
    TvgStrokeCap FStrokeCap = vgCapFlat;
    TvgStrokeDash FStrokeDash = vgDashSolid;
    TvgStrokeJoin FStrokeJoin = vgJoinMiter;
    TvgCloseAlign FButtonAlign = vgButtonAlignLeft;
    bool FShowCaption = true;
    bool FDisableShadowOnOSX = true;
};
