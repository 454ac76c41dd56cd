#pragma once
// How launch buttons show and hide the shared hint box. The hint box itself arrives with the
// panels; until then a button with a hint box attached only changes its own look.

class TVGBaseButton;

void ShowHintLeftOf(TVGBaseButton& button);
void HideHint(TVGBaseButton& button);
