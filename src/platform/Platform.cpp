#include "IPlatform.h"

#include <stdexcept>

namespace {
IPlatform* installedPlatform = nullptr;
}

IPlatform& Platform() {
    if (!installedPlatform) throw std::logic_error("no platform installed");
    return *installedPlatform;
}

void SetPlatform(IPlatform* platform) {
    installedPlatform = platform;
}

void ClickMenuItem(std::vector<TPopupMenuItem>& AItems, int AIndex) {
    if (AIndex < 0 || AIndex >= static_cast<int>(AItems.size())) return;
    TPopupMenuItem& item = AItems[static_cast<std::size_t>(AIndex)];
    if (!item.Enabled) return;
    if (item.AutoCheck) {
        if (item.RadioItem) {
            for (TPopupMenuItem& other : AItems)
                if (other.RadioItem) other.Checked = false;
            item.Checked = true;
        } else {
            item.Checked = !item.Checked;
        }
    }
    // A copy: the handler may replace or free the menu it belongs to.
    const auto handler = item.OnClick;
    if (handler) handler();
}
