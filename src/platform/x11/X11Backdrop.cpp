#include "X11Backdrop.h"

#include <QGuiApplication>
#include <QPainter>

#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>

#include <xcb/xfixes.h>
#include "XcbConnection.h"

namespace {

using Xcb::Atom;
using Xcb::Connection;

template <typename T>
struct Reply {
    T* Value;
    explicit Reply(T* value) : Value(value) {}
    ~Reply() { free(Value); }
    Reply(const Reply&) = delete;
    Reply& operator=(const Reply&) = delete;
    T* operator->() const { return Value; }
    explicit operator bool() const { return Value != nullptr; }
};

// The answer to a question about a root picture property: the pixmap it names, or none.
xcb_pixmap_t RootPixmap(xcb_connection_t* c, unsigned int sequence) {
    Reply reply(xcb_get_property_reply(c, xcb_get_property_cookie_t{sequence}, nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.Value) < 4)
        return XCB_PIXMAP_NONE;
    return *static_cast<const xcb_pixmap_t*>(xcb_get_property_value(reply.Value));
}

// The pixmap's pixels as 0xFFRRGGBB, for the 24- and 32-bit depths of true-colour screens.
QImage ReadPixmap(xcb_connection_t* c, xcb_pixmap_t pixmap) {
    Reply geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, pixmap), nullptr));
    if (!geometry || (geometry->depth != 24 && geometry->depth != 32) || geometry->width == 0 ||
        geometry->height == 0)
        return {};
    Reply image(xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, 0, 0, geometry->width, geometry->height, ~0u),
        nullptr));
    if (!image) return {};
    const int width = geometry->width, height = geometry->height;
    const int length = xcb_get_image_data_length(image.Value);
    if (length < width * height * 4) return {};  // not 32 bits a pixel
    const auto* data = xcb_get_image_data(image.Value);
    QImage result(width, height, QImage::Format_RGB32);
    const int stride = length / height;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(result.scanLine(y));
        std::memcpy(line, data + static_cast<std::ptrdiff_t>(y) * stride,
                    static_cast<std::size_t>(width) * 4);
        for (int x = 0; x < width; ++x) line[x] |= 0xFF000000u;
    }
    return result;
}

}  // namespace

X11Backdrop& X11Backdrop::Instance() {
    static X11Backdrop* instance = [] {
        auto* backdrop = new X11Backdrop;
        if (qGuiApp) qGuiApp->installNativeEventFilter(backdrop);
        return backdrop;
    }();
    return *instance;
}

X11Backdrop::X11Backdrop() {
    xcb_connection_t* c = Connection();
    if (!c) return;
    int screenNumber = 0, displayNumber = 0;
    char* host = nullptr;
    if (xcb_parse_display(nullptr, &host, &displayNumber, &screenNumber) == 0) screenNumber = 0;
    free(host);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i) xcb_screen_next(&screens);
    FRoot = screens.data->root;

    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(screenNumber);
    Xcb::InternAtoms(c, {selection.constData(), "_XROOTPMAP_ID", "ESETROOT_PMAP_ID"});
    FCompositorSelection = Atom(c, selection.constData());
    FRootPictureAtoms[0] = Atom(c, "_XROOTPMAP_ID");
    FRootPictureAtoms[1] = Atom(c, "ESETROOT_PMAP_ID");

    // Property changes of the root, added to what Qt already listens for there.
    if (Reply attributes{xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, FRoot), nullptr)}) {
        const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(c, FRoot, XCB_CW_EVENT_MASK, &mask);
    }

    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (xfixes && xfixes->present) {
        Reply version(xcb_xfixes_query_version_reply(
            c, xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION), nullptr));
        FXFixesEvent = xfixes->first_event;
        xcb_xfixes_select_selection_input(c, FRoot, FCompositorSelection,
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    }
    // The one question asked of the server; from here on the events tell.
    Reply owner(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, FCompositorSelection), nullptr));
    FCompositor = owner && owner->owner != XCB_WINDOW_NONE;
    FAvailable = true;
    // Without a compositor the first frame blends over the root's picture: its properties are
    // asked for now, and answered by the time that frame is drawn.
    if (!FCompositor) AskRootPicture();
}

void X11Backdrop::AskRootPicture() {
    xcb_connection_t* c = Connection();
    for (int i = 0; i < 2; ++i)
        FRootPictureQuestions[i] =
            FRootPictureAtoms[i] == XCB_ATOM_NONE
                ? 0
                : xcb_get_property(c, 0, FRoot, FRootPictureAtoms[i], XCB_ATOM_PIXMAP, 0, 1).sequence;
    xcb_flush(c);
    FRootPictureAsked = true;
}

void X11Backdrop::ForgetRootPictureQuestions() {
    if (!FRootPictureAsked) return;
    for (unsigned int sequence : FRootPictureQuestions)
        if (sequence) xcb_discard_reply(Connection(), sequence);
    FRootPictureAsked = false;
}

const QImage& X11Backdrop::Picture() {
    if (FPictureStale) LoadPicture();
    return FPicture;
}

void X11Backdrop::LoadPicture() {
    FPictureStale = false;
    FPicture = {};
    xcb_connection_t* c = FAvailable ? Connection() : nullptr;
    if (!c) return;
    // Both properties are asked for before the first answer is waited for.
    if (!FRootPictureAsked) AskRootPicture();
    FRootPictureAsked = false;
    xcb_pixmap_t pixmaps[2] = {XCB_PIXMAP_NONE, XCB_PIXMAP_NONE};
    for (int i = 0; i < 2; ++i)
        if (FRootPictureQuestions[i]) pixmaps[i] = RootPixmap(c, FRootPictureQuestions[i]);
    for (const xcb_pixmap_t pixmap : pixmaps) {
        if (pixmap == XCB_PIXMAP_NONE) continue;
        FPicture = ReadPixmap(c, pixmap);
        if (!FPicture.isNull()) return;
    }
}

int X11Backdrop::AddListener(std::function<void()> changed) {
    const int id = FNextListener++;
    FListeners[id] = std::move(changed);
    return id;
}

void X11Backdrop::RemoveListener(int id) {
    FListeners.erase(id);
}

void X11Backdrop::Notify() {
    // A copy: a handler may add or remove listeners.
    const auto listeners = FListeners;
    for (const auto& [id, handler] : listeners) handler();
}

bool X11Backdrop::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!FAvailable || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7F;
    if (FXFixesEvent && type == FXFixesEvent + XCB_XFIXES_SELECTION_NOTIFY) {
        const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
        if (notify->selection != FCompositorSelection) return false;
        const bool running = notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER &&
                             notify->owner != XCB_WINDOW_NONE;
        if (running == FCompositor) return false;
        FCompositor = running;
        // Kept only while it is used.
        if (FCompositor) {
            FPicture = {};
            FPictureStale = true;
        }
        Notify();
    } else if (type == XCB_PROPERTY_NOTIFY) {
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->window != FRoot ||
            (notify->atom != FRootPictureAtoms[0] && notify->atom != FRootPictureAtoms[1]))
            return false;
        // Answers asked for before the change tell of the old picture.
        ForgetRootPictureQuestions();
        // Setters write both names one after the other: one reading serves them both.
        if (FPictureStale) return false;
        FPictureStale = true;
        FPicture = {};
        if (!FCompositor) Notify();
    }
    return false;
}
