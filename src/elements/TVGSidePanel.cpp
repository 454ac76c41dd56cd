#include "TVGSidePanel.h"

#include "TVGSideButton.h"
#include "vgBrush.h"
#include "vgPosition.h"

TVGSidePanel::TVGSidePanel(QObject* AOwner) : TvgRectangle(AOwner) {
    SetWidth(38);
    Stroke()->SetStyle(vgBrushNone);
    Fill()->SetStyle(vgBrushNone);
}

int TVGSidePanel::ButtonCount() const {
    int count = 0;
    for (TvgObject* child : ChildList())
        if (qobject_cast<TVGSideButton*>(child)) ++count;
    return count;
}

void TVGSidePanel::AddSideButton(TVGBaseButton* AVGSideButton) {
    AVGSideButton->Position()->SetY(static_cast<float>(ButtonCount() - 1) * (AVGSideButton->Height() + 2));
}
