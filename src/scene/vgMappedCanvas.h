#pragma once
// A canvas over a picture of part of the scene (an effect's picture, a kept picture): every matrix
// the scene sets (absolute, in scene units) is followed by the mapping from scene units into the
// picture, so a subtree paints as it always does and lands in the picture.

#include <QTransform>

#include "vgQtCanvas.h"

class TvgMappedCanvas : public TvgQtCanvas {
public:
    explicit TvgMappedCanvas(const QTransform& ASceneToPicture) : FSceneToPicture(ASceneToPicture) {}

protected:
    void MatrixChanged() override {
        const QTransform scene = FMatrix;
        FMatrix = scene * FSceneToPicture;
        TvgQtCanvas::MatrixChanged();
        FMatrix = scene;
    }

private:
    QTransform FSceneToPicture;
};
