// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/X11FramePresenter.h"

#include <QGuiApplication>

#ifdef MOCKEXAM_HAVE_XCB
#include <cstdlib>
#include <xcb/xcb.h>
#endif

struct X11FramePresenter::Connection {
#ifdef MOCKEXAM_HAVE_XCB
    xcb_connection_t *xcb = nullptr;
    xcb_gcontext_t gc = 0;
    quint8 depth = 0;

    ~Connection() {
        if (!xcb)
            return;
        if (gc)
            xcb_free_gc(xcb, gc);
        xcb_disconnect(xcb);
    }
#endif
};

X11FramePresenter::X11FramePresenter(quintptr window, const QPoint &offset)
    : m_connection(std::make_unique<Connection>()), m_window(window), m_offset(offset) {}

X11FramePresenter::~X11FramePresenter() = default;

std::unique_ptr<X11FramePresenter> X11FramePresenter::create(quintptr window, const QPoint &offset) {
#ifdef MOCKEXAM_HAVE_XCB
    if (window == 0 || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    std::unique_ptr<X11FramePresenter> presenter(new X11FramePresenter(window, offset));
    Connection &c = *presenter->m_connection;
    c.xcb = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c.xcb))
        return nullptr;

    const auto geometry = xcb_get_geometry_reply(c.xcb, xcb_get_geometry(c.xcb, xcb_window_t(window)), nullptr);
    if (!geometry)
        return nullptr;
    c.depth = geometry->depth;
    std::free(geometry);

    // The frames are 32-bit little-endian pixels (QImage::Format_RGB32); the server must take them as they are.
    const xcb_setup_t *setup = xcb_get_setup(c.xcb);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || (c.depth != 24 && c.depth != 32))
        return nullptr;
    bool thirtyTwoBits = false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == c.depth)
            thirtyTwoBits = it.data->bits_per_pixel == 32;
    }
    if (!thirtyTwoBits)
        return nullptr;

    c.gc = xcb_generate_id(c.xcb);
    xcb_create_gc(c.xcb, c.gc, xcb_window_t(window), 0, nullptr);
    xcb_flush(c.xcb);
    return presenter;
#else
    Q_UNUSED(window);
    Q_UNUSED(offset);
    return nullptr;
#endif
}

void X11FramePresenter::present(const QImage &frame) {
#ifdef MOCKEXAM_HAVE_XCB
    Connection &c = *m_connection;
    // RGB32 keeps 0xFF in the fourth byte, which is also what a 32-bit window needs for an opaque pixel.
    const QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
    xcb_put_image(c.xcb, XCB_IMAGE_FORMAT_Z_PIXMAP, xcb_window_t(m_window), c.gc, quint16(pixels.width()),
                  quint16(pixels.height()), qint16(m_offset.x()), qint16(m_offset.y()), 0, c.depth,
                  quint32(pixels.sizeInBytes()), pixels.constBits());
    xcb_flush(c.xcb);
    // Errors (the window gone between two frames) arrive as events on this private connection; drop them.
    while (xcb_generic_event_t *event = xcb_poll_for_event(c.xcb))
        std::free(event);
#else
    Q_UNUSED(frame);
#endif
}
