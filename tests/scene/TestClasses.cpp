#include "TestClasses.h"

#include "vgClassRegistry.h"

VG_REGISTER_CLASS(TvgTestShape)
VG_REGISTER_CLASS(TvgProbeLabel)
VG_REGISTER_CLASS(TvgTestPanel)
