// xdnd_drop <window> <x> <y> <uri>...: drops the URIs on a window at a root position as a file
// manager would, through the XDND protocol (version 5, action copy, type text/uri-list). Exits 0
// when the target accepted the drop and said it finished, 1 when it refused, 2 on a usage or
// connection error, 3 when the target did not answer in time.

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_connection_t* c = nullptr;

xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

void Send(xcb_window_t target, xcb_atom_t type, uint32_t d0, uint32_t d1, uint32_t d2, uint32_t d3,
          uint32_t d4) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = target;
    event.type = type;
    event.data.data32[0] = d0;
    event.data.data32[1] = d1;
    event.data.data32[2] = d2;
    event.data.data32[3] = d3;
    event.data.data32[4] = d4;
    xcb_send_event(c, 0, target, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: xdnd_drop window x y uri...\n");
        return 2;
    }
    const auto target = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    const auto x = static_cast<uint32_t>(std::atoi(argv[2]));
    const auto y = static_cast<uint32_t>(std::atoi(argv[3]));
    std::string uris;
    for (int i = 4; i < argc; ++i) uris += std::string(argv[i]) + "\r\n";

    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 2;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t source = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, source, screen->root, -10, -10, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t selection = Atom("XdndSelection"), uriList = Atom("text/uri-list");
    const xcb_atom_t enter = Atom("XdndEnter"), position = Atom("XdndPosition"), status = Atom("XdndStatus");
    const xcb_atom_t drop = Atom("XdndDrop"), leave = Atom("XdndLeave"), finished = Atom("XdndFinished");
    const xcb_atom_t copy = Atom("XdndActionCopy");
    xcb_set_selection_owner(c, source, selection, XCB_CURRENT_TIME);

    Send(target, enter, source, 5u << 24, uriList, XCB_ATOM_NONE, XCB_ATOM_NONE);
    Send(target, position, source, 0, (x << 16) | y, XCB_CURRENT_TIME, copy);

    bool dropped = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c)) return 2;
            struct timespec pause {
                0, 5'000'000
            };
            nanosleep(&pause, nullptr);
            continue;
        }
        const uint8_t kind = event->response_type & ~0x80;
        if (kind == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->type == status && !dropped) {
                if (!(message->data.data32[1] & 1)) {
                    Send(target, leave, source, 0, 0, 0, 0);
                    std::free(event);
                    return 1;
                }
                Send(target, drop, source, 0, XCB_CURRENT_TIME, 0, 0);
                dropped = true;
            } else if (message->type == finished) {
                std::free(event);
                return 0;
            }
        } else if (kind == XCB_SELECTION_REQUEST) {
            const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
            xcb_selection_notify_event_t notify{};
            notify.response_type = XCB_SELECTION_NOTIFY;
            notify.time = request->time;
            notify.requestor = request->requestor;
            notify.selection = request->selection;
            notify.target = request->target;
            notify.property = XCB_ATOM_NONE;
            if (request->selection == selection && request->target == uriList) {
                const xcb_atom_t property = request->property ? request->property : request->target;
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, request->requestor, property, uriList, 8,
                                    static_cast<uint32_t>(uris.size()), uris.data());
                notify.property = property;
            }
            xcb_send_event(c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                           reinterpret_cast<const char*>(&notify));
            xcb_flush(c);
        }
        std::free(event);
    }
    return 3;
}
