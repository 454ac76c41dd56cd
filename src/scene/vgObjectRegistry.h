#pragma once
// The process-wide registry of live scene objects, in creation order. Style lookup falls back to it
// when neither the scene's style set nor the default one has a name.

#include <QString>

#include <cstddef>
#include <cstdint>

class TvgObject;

// Returns the object's creation serial.
std::uint64_t RegisterLiveObject(TvgObject* AObject);
void UnregisterLiveObject(std::uint64_t ASerial);
// Keeps the lookup by name current; the object calls it when its ResourceName changes.
void RenameLiveObject(std::uint64_t ASerial, TvgObject* AObject, const QString& AOldName,
                      const QString& ANewName);
std::size_t LiveObjectCount();
// The most recently created stored object whose ResourceName is AName (case-insensitive), or null.
TvgObject* FindLiveResource(const QString& AName);
