#include "TVGHintBoxLink.h"

#include "TVGBaseButton.h"

void ShowHintLeftOf(TVGBaseButton&) {}

void HideHint(TVGBaseButton&) {}
