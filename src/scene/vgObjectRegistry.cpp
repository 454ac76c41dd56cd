#include "vgObjectRegistry.h"

#include <map>

#include "vgObject.h"

namespace {

struct TLiveObjects {
    std::uint64_t NextSerial = 1;
    std::map<std::uint64_t, TvgObject*> Objects;
};

TLiveObjects& Live() {
    static TLiveObjects live;
    return live;
}

}  // namespace

std::uint64_t RegisterLiveObject(TvgObject* AObject) {
    TLiveObjects& live = Live();
    const std::uint64_t serial = live.NextSerial++;
    live.Objects.emplace(serial, AObject);
    return serial;
}

void UnregisterLiveObject(std::uint64_t ASerial) {
    Live().Objects.erase(ASerial);
}

std::size_t LiveObjectCount() {
    return Live().Objects.size();
}

TvgObject* FindLiveResource(const QString& AName) {
    if (AName.isEmpty()) return nullptr;
    const auto& objects = Live().Objects;
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        TvgObject* object = it->second;
        if (object->Stored() && !object->Destroying() &&
            object->ResourceName().compare(AName, Qt::CaseInsensitive) == 0)
            return object;
    }
    return nullptr;
}
