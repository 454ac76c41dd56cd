#include "vgSizeGrip.h"

#include "vgClassRegistry.h"

VG_REGISTER_CLASS(TvgSizeGrip)

TvgSizeGrip::TvgSizeGrip(QObject* AOwner) : TvgControl(AOwner) {
    SetWidth(15);
    SetHeight(15);
    SetCanFocused(false);
}
