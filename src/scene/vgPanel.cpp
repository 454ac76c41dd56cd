#include "vgPanel.h"

#include "vgClassRegistry.h"

VG_REGISTER_CLASS(TvgPanel)

TvgPanel::TvgPanel(QObject* AOwner) : TvgControl(AOwner) {
    SetWidth(120);
    SetHeight(100);
}
