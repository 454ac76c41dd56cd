#pragma once
// The application's xcb connection and atom look-up, shared by the X11 window pieces.

#include <QGuiApplication>

#include <initializer_list>

#include <xcb/xcb.h>

namespace Xcb {

// Null when the application does not run on X11.
inline xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Atoms stay the same for the life of a connection, so each name is asked of the server once
// (XcbConnection.cpp). Every question is a round trip to the server, which a start on a busy
// machine waits for: names needed together are asked together first, in one round trip.
void InternAtoms(xcb_connection_t* c, std::initializer_list<const char*> names);
// XCB_ATOM_NONE when the server gives no answer.
xcb_atom_t Atom(xcb_connection_t* c, const char* name);

}  // namespace Xcb
