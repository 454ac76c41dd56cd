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
