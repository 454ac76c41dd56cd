#include "vgObjectRegistry.h"

#include <QHash>

#include <map>

#include "vgObject.h"

namespace {

// Most objects carry no ResourceName; those that do are also filed under their case-folded name,
// so that a style lookup looks only at the objects of that name.
struct TLiveObjects {
    std::uint64_t NextSerial = 1;
    std::map<std::uint64_t, TvgObject*> Objects;
    QHash<QString, std::map<std::uint64_t, TvgObject*>> ByName;
};

TLiveObjects& Live() {
    static TLiveObjects live;
    return live;
}

void File(TLiveObjects& live, std::uint64_t serial, TvgObject* object, const QString& name) {
    if (!name.isEmpty()) live.ByName[name.toCaseFolded()].emplace(serial, object);
}

void Unfile(TLiveObjects& live, std::uint64_t serial, const QString& name) {
    if (name.isEmpty()) return;
    const auto it = live.ByName.find(name.toCaseFolded());
    if (it == live.ByName.end()) return;
    it->erase(serial);
    if (it->empty()) live.ByName.erase(it);
}

}  // namespace

std::uint64_t RegisterLiveObject(TvgObject* AObject) {
    TLiveObjects& live = Live();
    const std::uint64_t serial = live.NextSerial++;
    live.Objects.emplace(serial, AObject);
    return serial;
}

void UnregisterLiveObject(std::uint64_t ASerial) {
    TLiveObjects& live = Live();
    const auto it = live.Objects.find(ASerial);
    if (it == live.Objects.end()) return;
    Unfile(live, ASerial, it->second->ResourceName());
    live.Objects.erase(it);
}

void RenameLiveObject(std::uint64_t ASerial, TvgObject* AObject, const QString& AOldName,
                      const QString& ANewName) {
    TLiveObjects& live = Live();
    if (!live.Objects.count(ASerial)) return;
    Unfile(live, ASerial, AOldName);
    File(live, ASerial, AObject, ANewName);
}

std::size_t LiveObjectCount() {
    return Live().Objects.size();
}

TvgObject* FindLiveResource(const QString& AName) {
    if (AName.isEmpty()) return nullptr;
    const auto& byName = Live().ByName;
    const auto named = byName.constFind(AName.toCaseFolded());
    if (named == byName.constEnd()) return nullptr;
    for (auto it = named->rbegin(); it != named->rend(); ++it) {
        TvgObject* object = it->second;
        if (object->Stored() && !object->Destroying()) return object;
    }
    return nullptr;
}
