#include "X11PicturePixmap.h"

#include <algorithm>
#include <cstdlib>

#include <xcb/xcb.h>

#include "XcbConnection.h"

namespace {

// The depth of the window, when its pixels are 32 bits wide with the blue byte first, as a
// premultiplied ARGB picture's are in memory; 0 otherwise.
std::uint8_t TakenDepth(xcb_connection_t* c, xcb_window_t window) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return 0;
    auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry) return 0;
    const std::uint8_t depth = geometry->depth;
    std::free(geometry);
    if (depth != 24 && depth != 32) return 0;
    const xcb_format_t* formats = xcb_setup_pixmap_formats(setup);
    const int count = xcb_setup_pixmap_formats_length(setup);
    for (int i = 0; i < count; ++i)
        if (formats[i].depth == depth) return formats[i].bits_per_pixel == 32 ? depth : 0;
    return 0;
}

}  // namespace

X11PicturePixmap::X11PicturePixmap(WId window, const QImage& picture) {
    xcb_connection_t* c = Xcb::Connection();
    if (!c || picture.isNull() || picture.format() != QImage::Format_ARGB32_Premultiplied ||
        picture.width() > 32767 || picture.height() > 32767)
        return;
    const auto target = static_cast<xcb_window_t>(window);
    const std::uint8_t depth = TakenDepth(c, target);
    if (!depth) return;
    FWindow = target;
    FPicture = picture;
    FPixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, depth, FPixmap, target, static_cast<std::uint16_t>(picture.width()),
                      static_cast<std::uint16_t>(picture.height()));
    FGc = xcb_generate_id(c);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(c, FGc, FPixmap, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    // In bands of rows that fit one request.
    const std::size_t line = static_cast<std::size_t>(picture.bytesPerLine());
    const std::size_t room = static_cast<std::size_t>(xcb_get_maximum_request_length(c)) * 4 - 64;
    const int rows = static_cast<int>(std::max<std::size_t>(1, std::min<std::size_t>(room / line, 256)));
    for (int y = 0; y < picture.height(); y += rows) {
        const int band = std::min(rows, picture.height() - y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, FPixmap, FGc, static_cast<std::uint16_t>(picture.width()),
                      static_cast<std::uint16_t>(band), 0, static_cast<std::int16_t>(y), 0, depth,
                      static_cast<std::uint32_t>(line * static_cast<std::size_t>(band)),
                      picture.constScanLine(y));
    }
    xcb_flush(c);
}

X11PicturePixmap::~X11PicturePixmap() {
    xcb_connection_t* c = Xcb::Connection();
    if (!c || !FPixmap) return;
    xcb_free_gc(c, FGc);
    xcb_free_pixmap(c, FPixmap);
    xcb_flush(c);
}

void X11PicturePixmap::CopyTo(const QRegion& region, QPoint at) const {
    xcb_connection_t* c = Xcb::Connection();
    if (!c || !FPixmap) return;
    for (const QRect& r : region)
        xcb_copy_area(c, FPixmap, FWindow, FGc, static_cast<std::int16_t>(r.x() - at.x()),
                      static_cast<std::int16_t>(r.y() - at.y()), static_cast<std::int16_t>(r.x()),
                      static_cast<std::int16_t>(r.y()), static_cast<std::uint16_t>(r.width()),
                      static_cast<std::uint16_t>(r.height()));
    xcb_flush(c);
}
