#include "vg_Marovia.h"
