#include "vgLayout.h"

#include "vgClassRegistry.h"

VG_REGISTER_CLASS(TvgLayout)

TvgLayout::TvgLayout(QObject* AOwner) : TvgVisualObject(AOwner) {
    SetHitTest(false);
}
