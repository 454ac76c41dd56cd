#pragma once
// Stored path data, scaled into the shape rectangle and filled and stroked (style decorations such
// as the cross of a close button).

#include <QPainterPath>

#include "vgShape.h"

class TvgPath : public TvgShape {
    Q_OBJECT
    Q_PROPERTY(QString Data READ Data WRITE SetData)

public:
    Q_INVOKABLE explicit TvgPath(QObject* AOwner = nullptr);

    QString Data() const { return FData; }
    void SetData(const QString& value);
    const QPainterPath& Path() const { return FPath; }
    // The path as it is painted: its bounds scaled onto the shape rectangle.
    QPainterPath ScaledPath();

protected:
    void PaintShape(TvgCanvas& Canvas) override;

private:
    QString FData;
    QPainterPath FPath;
};
