#pragma once
// The program's style set, compiled in: the named looks of the main form's controls
// ("BtnDesktopPcStyle1", "LableURLStyle1", …).

#include <QString>

class TvgResources;

// The resource path of the style set's data.
QString ProgramStylesPath();
// Reads the style set into `AResources` (throws TvgStyleError on malformed data).
void LoadProgramStyles(TvgResources& AResources);
