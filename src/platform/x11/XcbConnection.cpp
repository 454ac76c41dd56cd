#include "XcbConnection.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace Xcb {
namespace {

struct TAtomCache {
    xcb_connection_t* Connection = nullptr;
    std::unordered_map<std::string, xcb_atom_t> Atoms;
};

// The atoms of the one connection asked last (a new connection starts afresh).
TAtomCache& Cache(xcb_connection_t* c) {
    static TAtomCache cache;
    if (cache.Connection != c) {
        cache.Connection = c;
        cache.Atoms.clear();
    }
    return cache;
}

}  // namespace

void InternAtoms(xcb_connection_t* c, std::initializer_list<const char*> names) {
    if (!c) return;
    TAtomCache& cache = Cache(c);
    // All questions go out before the first answer is waited for.
    std::vector<std::pair<const char*, xcb_intern_atom_cookie_t>> asked;
    for (const char* name : names)
        if (!cache.Atoms.count(name))
            asked.emplace_back(name, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name));
    for (const auto& [name, cookie] : asked) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
        if (!reply) continue;  // not kept: asked again next time
        cache.Atoms[name] = reply->atom;
        std::free(reply);
    }
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const xcb_atom_t none = XCB_ATOM_NONE;
    if (!c) return none;
    InternAtoms(c, {name});
    const TAtomCache& cache = Cache(c);
    const auto found = cache.Atoms.find(name);
    return found == cache.Atoms.end() ? none : found->second;
}

}  // namespace Xcb
