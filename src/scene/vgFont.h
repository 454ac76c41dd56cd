#pragma once
// The font of a text object: a family, a size in scene units (pixels at scale 1) and one style.

#include <QFont>
#include <QObject>
#include <QString>

#include <functional>

#include "vgDrawTypes.h"

class TvgFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Family READ Family WRITE SetFamily)
    Q_PROPERTY(float Size READ Size WRITE SetSize)
    Q_PROPERTY(vgEnums::TvgFontStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool ClearType READ ClearType WRITE SetClearType)

public:
    explicit TvgFont(QObject* owner = nullptr);

    QString Family() const { return FFamily; }
    void SetFamily(const QString& family);
    float Size() const { return FSize; }
    void SetSize(float size);
    TvgFontStyle Style() const { return FStyle; }
    void SetStyle(TvgFontStyle style);
    bool ClearType() const { return FClearType; }
    void SetClearType(bool clearType);

    void Assign(const TvgFont& source);
    // Takes family, pixel size and the closest single style of a framework font (font dialogs).
    void Assign(const QFont& source);

    // The framework font that draws this one: points = pixels × 0.75 on a 96-dpi surface, and the
    // first face the family really has when it lacks the requested one.
    QFont ToQFont() const;

    void SetOnChanged(std::function<void()> handler) { FOnChanged = std::move(handler); }

private:
    void Changed();

    QString FFamily = QStringLiteral("Tahoma");
    float FSize = 11;
    TvgFontStyle FStyle = vgFontRegular;
    bool FClearType = true;
    std::function<void()> FOnChanged;
};

// Maps the families the program's data names ("宋体", "Tahoma") to faces this machine has.
// Runs once; later calls do nothing.
void vgInstallFontSubstitutes();
