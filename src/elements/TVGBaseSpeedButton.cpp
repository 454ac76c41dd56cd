#include "TVGBaseSpeedButton.h"

#include "vgBitmap.h"
#include "vgBrush.h"
#include "vgClassRegistry.h"
#include "vgImage.h"

VG_REGISTER_CLASS(TVGBaseSpeedButton)

TVGBaseSpeedButton::TVGBaseSpeedButton(QObject* AOwner) : TvgRectangle(AOwner), FImage(new TvgImage(this)) {
    SetWidth(16);
    SetHeight(16);
    // The square itself draws nothing; the image is the whole look.
    Stroke()->SetStyle(vgBrushNone);
    Fill()->SetStyle(vgBrushNone);
    FImage->SetParent(this);
    FImage->SetAlign(vaClient);
    FImage->SetHitTest(false);
    FImage->SetStored(false);
}

void TVGBaseSpeedButton::SetImageFile(const QString& Value) {
    if (FImageFile == Value) return;
    FImageFile = Value;
    FImage->Bitmap()->LoadFromFile(Value, QSize(kButtonPictureSide, kButtonPictureSide));
}
