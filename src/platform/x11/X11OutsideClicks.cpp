#include "X11OutsideClicks.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QWindow>

#include <cstdlib>

#include <xcb/xinput.h>

#include "XcbConnection.h"

namespace {

xcb_window_t RootWindow(xcb_connection_t* c) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return screen ? screen->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

// The child of the root that holds a window: the window manager's frame around it, or the window.
xcb_window_t TopOf(xcb_connection_t* c, xcb_window_t window, xcb_window_t root) {
    for (int depth = 0; depth < 16 && window != XCB_WINDOW_NONE; ++depth) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
        if (!tree) return XCB_WINDOW_NONE;
        const xcb_window_t parent = tree->parent;
        std::free(tree);
        if (parent == root || parent == XCB_WINDOW_NONE) return window;
        window = parent;
    }
    return XCB_WINDOW_NONE;
}

// Buttons 4 to 7 are the wheel's: scrolling over another window is not a click into it.
bool IsClick(std::uint32_t button) {
    return button < 4 || button > 7;
}

}  // namespace

X11OutsideClicks::X11OutsideClicks(std::function<void()> onOutside) : FOnOutside(std::move(onOutside)) {}

X11OutsideClicks::~X11OutsideClicks() {
    SetWatching(false);
    if (FFilterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11OutsideClicks::SetWatching(bool watching) {
    if (watching == FWatching) return;
    if (watching && !FFilterInstalled && QCoreApplication::instance()) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        FFilterInstalled = true;
    }
    FWatching = SelectRawPresses(watching) && watching;
}

bool X11OutsideClicks::SelectRawPresses(bool on) {
    xcb_connection_t* c = Xcb::Connection();
    if (!c) return false;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    if (!extension || !extension->present) return false;
    FOpcode = extension->major_opcode;
    // For the master devices only: Qt keeps its own selection on the root for all devices.
    struct {
        xcb_input_event_mask_t Head;
        std::uint32_t Mask;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           on ? std::uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS} : 0u};
    xcb_input_xi_select_events(c, RootWindow(c), 1, &mask.Head);
    xcb_flush(c);
    return true;
}

bool X11OutsideClicks::PointerOverOurs() const {
    xcb_connection_t* c = Xcb::Connection();
    if (!c) return true;
    const xcb_window_t root = RootWindow(c);
    xcb_query_pointer_reply_t* pointer = xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
    if (!pointer) return true;
    const xcb_window_t under = pointer->child;
    std::free(pointer);
    if (under == XCB_WINDOW_NONE) return false;  // the bare root: no window of ours
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || !window->handle()) continue;
        if (TopOf(c, static_cast<xcb_window_t>(window->winId()), root) == under) return true;
    }
    return false;
}

bool X11OutsideClicks::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!FWatching || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_GE_GENERIC) return false;
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (generic->extension != FOpcode || generic->event_type != XCB_INPUT_RAW_BUTTON_PRESS) return false;
    const auto* press = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
    if (IsClick(press->detail) && !PointerOverOurs()) {
        // From the event loop, not inside the filter: the handler may stop the watching.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [handler = FOnOutside] {
                if (handler) handler();
            },
            Qt::QueuedConnection);
    }
    return true;
}
