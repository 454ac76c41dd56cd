#pragma once
// A 16 x 16 square that shows one image file and nothing else.

#include <QString>

#include "vgRectangle.h"

class TvgImage;

class TVGBaseSpeedButton : public TvgRectangle {
    Q_OBJECT
    Q_PROPERTY(QString ImageFile READ ImageFile WRITE SetImageFile)
    Q_PROPERTY(QString ButtonName READ ButtonName WRITE SetButtonName)

public:
    Q_INVOKABLE explicit TVGBaseSpeedButton(QObject* AOwner = nullptr);

    QString ImageFile() const { return FImageFile; }
    // Loads the picture; a file that does not exist leaves the current picture as it was.
    void SetImageFile(const QString& Value);
    QString ButtonName() const { return FButtonName; }
    void SetButtonName(const QString& Value) { FButtonName = Value; }

    TvgImage* Image() const { return FImage; }

protected:
    QString FImageFile;
    QString FButtonName;
    TvgImage* FImage;
};
