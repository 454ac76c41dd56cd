#include "IPlatform.h"

#include <stdexcept>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

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

std::uint64_t IPlatform::HeapFingerprint() const {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    std::uint64_t hash = 1469598103934665603ull;
    for (const std::size_t value : {info.arena, info.hblkhd, info.uordblks, info.fordblks}) {
        hash ^= value;
        hash *= 1099511628211ull;
    }
    return hash == 0 ? 1 : hash;
#else
    return 0;
#endif
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
