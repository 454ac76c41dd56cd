#include "vgBackground.h"

#include "vgClassRegistry.h"

VG_REGISTER_CLASS(TvgBackground)

TvgBackground::TvgBackground(QObject* AOwner) : TvgControl(AOwner) {}
