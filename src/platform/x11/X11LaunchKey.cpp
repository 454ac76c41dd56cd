#include "X11LaunchKey.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <cstdlib>
#include <vector>

#include "XcbConnection.h"

namespace {

constexpr std::uint32_t kSpaceKeysym = 0x20;  // XK_space
// Caps Lock and Num Lock change the state the grab is matched against: each combination is
// grabbed so that the key works whatever lights are on.
constexpr std::uint16_t kLockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                        XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_window_t RootWindow(xcb_connection_t* c) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return screen ? screen->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

std::uint8_t KeycodeOf(xcb_connection_t* c, std::uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const std::uint8_t first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, first, static_cast<std::uint8_t>(count)), nullptr);
    if (!reply) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perCode = reply->keysyms_per_keycode;
    std::uint8_t found = 0;
    for (int code = 0; code < count && !found; ++code)
        for (int i = 0; i < perCode; ++i)
            if (syms[code * perCode + i] == keysym) {
                found = static_cast<std::uint8_t>(first + code);
                break;
            }
    std::free(reply);
    return found;
}

}  // namespace

X11LaunchKey::X11LaunchKey() = default;

X11LaunchKey::~X11LaunchKey() {
    Release();
    if (FFilterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11LaunchKey::TryGrab(std::uint16_t modifiers) {
    xcb_connection_t* c = Xcb::Connection();
    const xcb_window_t root = RootWindow(c);
    // Every grab is sent before the first answer is waited for: one round trip for all of them.
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t lock : kLockMasks)
        cookies.push_back(xcb_grab_key_checked(c, 1, root, static_cast<std::uint16_t>(modifiers | lock),
                                               FKeycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool ok = true;
    for (const xcb_void_cookie_t cookie : cookies) {
        // Another program's grab of the same key answers BadAccess.
        if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
            std::free(error);
            ok = false;
        }
    }
    if (!ok) {
        for (const std::uint16_t lock : kLockMasks)
            xcb_ungrab_key(c, FKeycode, root, static_cast<std::uint16_t>(modifiers | lock));
        xcb_flush(c);
    }
    return ok;
}

QString X11LaunchKey::Grab(std::function<void()> handler) {
    Release();
    FHandler = std::move(handler);
    xcb_connection_t* c = Xcb::Connection();
    if (!FHandler || !c) return QString();
    FKeycode = KeycodeOf(c, kSpaceKeysym);
    if (!FKeycode) return QString();
    if (!FFilterInstalled) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        FFilterInstalled = true;
    }
    struct Choice {
        std::uint16_t Modifiers;
        const char* Name;
    };
    for (const Choice& choice : {Choice{XCB_MOD_MASK_4, "Super+Space"},
                                 Choice{XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1, "Ctrl+Alt+Space"}}) {
        if (!TryGrab(choice.Modifiers)) continue;
        FModifiers = choice.Modifiers;
        FGrabbed = true;
        return QString::fromLatin1(choice.Name);
    }
    return QString();
}

void X11LaunchKey::Release() {
    if (!FGrabbed) return;
    FGrabbed = false;
    if (xcb_connection_t* c = Xcb::Connection()) {
        const xcb_window_t root = RootWindow(c);
        for (const std::uint16_t lock : kLockMasks)
            xcb_ungrab_key(c, FKeycode, root, static_cast<std::uint16_t>(FModifiers | lock));
        xcb_flush(c);
    }
}

bool X11LaunchKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!FGrabbed || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS) return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    const std::uint16_t state = key->state & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2);
    if (key->detail != FKeycode || state != FModifiers) return false;
    // From the event loop, not inside the filter: the handler shows and grabs the window.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [handler = FHandler] {
            if (handler) handler();
        },
        Qt::QueuedConnection);
    return true;
}
