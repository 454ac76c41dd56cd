#include "TestClasses.h"

#include "vgClassRegistry.h"

VG_REGISTER_CLASS(TvgTestShape)
VG_REGISTER_CLASS(TvgValueLabel)
VG_REGISTER_CLASS(TvgTestPanel)
