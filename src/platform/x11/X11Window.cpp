#include "X11Window.h"

#include <QGuiApplication>
#include <cstdlib>
#include <vector>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include "XcbConnection.h"

namespace X11Window {
namespace {

using Xcb::Atom;
using Xcb::Connection;

xcb_window_t Window(WId id) {
    return static_cast<xcb_window_t>(id);
}

std::vector<xcb_rectangle_t> Rectangles(const QRegion& region) {
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(static_cast<std::size_t>(region.rectCount()));
    for (const QRect& r : region)
        rects.push_back({static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()),
                         static_cast<uint16_t>(r.width()), static_cast<uint16_t>(r.height())});
    return rects;
}

void SetShape(WId window, xcb_shape_kind_t kind, const QRegion& region) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    const auto rects = Rectangles(region);
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, kind, XCB_CLIP_ORDERING_UNSORTED, Window(window), 0, 0,
                         static_cast<uint32_t>(rects.size()), rects.data());
    xcb_flush(c);
}

void SetOnAllDesktops(xcb_connection_t* c, WId window) {
    const uint32_t allDesktops = 0xFFFFFFFFu;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), Atom(c, "_NET_WM_DESKTOP"),
                        XCB_ATOM_CARDINAL, 32, 1, &allDesktops);
}

}  // namespace

bool IsAvailable() {
    return Connection() != nullptr;
}

void SetDesktopLevelHints(WId window) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    Xcb::InternAtoms(
        c, {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
            "_NET_WM_STATE_STICKY", "_NET_WM_STATE", "_NET_WM_WINDOW_TYPE_DESKTOP", "_NET_WM_WINDOW_TYPE",
            "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_PROTOCOLS", "_NET_WM_DESKTOP"});
    const xcb_atom_t states[] = {Atom(c, "_NET_WM_STATE_BELOW"), Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 Atom(c, "_NET_WM_STATE_SKIP_PAGER"), Atom(c, "_NET_WM_STATE_STICKY")};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), Atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        std::size(states), states);
    // A desktop window is what "show desktop" shows: window managers hide every other window then,
    // keep it in their lowest layer and place it where it asks to be.
    const xcb_atom_t desktopType = Atom(c, "_NET_WM_WINDOW_TYPE_DESKTOP");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), Atom(c, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &desktopType);
    // Never take the keyboard focus: window managers such as openbox treat a focused, undecorated
    // window that covers the whole monitor as full-screen and lift it above every window.
    const uint32_t inputHint = 1, windowGroupHint = 64;
    uint32_t hints[9] = {inputHint, 0, 0, 0, 0, 0, 0, 0, 0};
    if (auto* reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, Window(window), XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9), nullptr)) {
        if (xcb_get_property_value_length(reply) >= 36) {
            const auto* old = static_cast<const uint32_t*>(xcb_get_property_value(reply));
            if (old[0] & windowGroupHint) {
                hints[0] |= windowGroupHint;
                hints[8] = old[8];
            }
        }
        free(reply);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9,
                        hints);
    const xcb_atom_t protocols[] = {Atom(c, "WM_DELETE_WINDOW"), Atom(c, "_NET_WM_PING")};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), Atom(c, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32,
                        std::size(protocols), protocols);
    SetOnAllDesktops(c, window);
    xcb_flush(c);
}

void SetRightStrut(WId window, int width, QSize screenSize) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    Xcb::InternAtoms(c, {"_NET_WM_WINDOW_TYPE_DOCK", "_NET_WM_WINDOW_TYPE", "_NET_WM_STRUT_PARTIAL",
                         "_NET_WM_STRUT", "_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR",
                         "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE", "_NET_WM_DESKTOP"});
    const xcb_atom_t dock = Atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), Atom(c, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &dock);
    const uint32_t w = static_cast<uint32_t>(width);
    const uint32_t bottomY = static_cast<uint32_t>(std::max(screenSize.height() - 1, 0));
    // left, right, top, bottom, then the start and end of each strip along its edge.
    const uint32_t partial[12] = {0, w, 0, 0, 0, 0, 0, width > 0 ? bottomY : 0, 0, 0, 0, 0};
    const uint32_t strut[4] = {0, w, 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), Atom(c, "_NET_WM_STRUT_PARTIAL"),
                        XCB_ATOM_CARDINAL, 32, 12, partial);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), Atom(c, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL,
                        32, 4, strut);
    // Window managers count a strut only on the workspaces its window is on: on all of them, so
    // that no workspace's maximised windows cover the side bar.
    const xcb_atom_t states[] = {Atom(c, "_NET_WM_STATE_STICKY"), Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, Window(window), Atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        std::size(states), states);
    SetOnAllDesktops(c, window);
    xcb_flush(c);
}

void MapWindow(WId window) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    xcb_map_window(c, Window(window));
    xcb_flush(c);
}

void SetInputShape(WId window, const QRegion& region) {
    SetShape(window, XCB_SHAPE_SK_INPUT, region);
}

void SetBoundingShape(WId window, const QRegion& region) {
    SetShape(window, XCB_SHAPE_SK_BOUNDING, region);
}

void ClearBoundingShape(WId window) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, Window(window), 0, 0, XCB_PIXMAP_NONE);
    xcb_flush(c);
}

void Sync() {
    xcb_connection_t* c = Connection();
    if (!c) return;
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

void RestackToBottom(WId window) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = Window(window);
    message.type = Atom(c, "_NET_RESTACK_WINDOW");
    message.data.data32[0] = 2;  // source: a pager or taskbar
    message.data.data32[1] = XCB_WINDOW_NONE;
    message.data.data32[2] = XCB_STACK_MODE_BELOW;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

}  // namespace X11Window
