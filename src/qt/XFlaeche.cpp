#include "qt/XFlaeche.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <memory>

namespace wxqt {

namespace {

xcb_connection_t* verbindung() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// A colour component scaled into the bits of its mask.
uint32_t inMaske(int wert, uint32_t maske) {
    if (maske == 0) return 0;
    int verschiebung = 0;
    while (!((maske >> verschiebung) & 1)) ++verschiebung;
    const uint32_t hoechster = maske >> verschiebung;
    return (uint32_t(wert) * hoechster / 255u) << verschiebung & maske;
}

// The visual with this id if it is true colour without an alpha channel
// (where the bits outside the colour masks would make the window see-through).
const xcb_visualtype_t* visual(xcb_connection_t* c, xcb_visualid_t id) {
    for (auto s = xcb_setup_roots_iterator(xcb_get_setup(c)); s.rem; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == id)
                    return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && d.data->depth <= 24 ? v.data
                                                                                                : nullptr;
    return nullptr;
}

}  // namespace

bool xFlaecheMoeglich() { return verbindung() != nullptr; }

bool setzeXHintergrund(QWidget& fenster, const QColor& farbe) {
    xcb_connection_t* c = verbindung();
    if (!c) return false;
    const auto id = xcb_window_t(fenster.winId());
    std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&free)> attribute(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr), &free);
    if (!attribute) return false;
    const xcb_visualtype_t* v = visual(c, attribute->visual);
    if (!v) return false;
    const uint32_t pixel = inMaske(farbe.red(), v->red_mask) | inMaske(farbe.green(), v->green_mask) |
                           inMaske(farbe.blue(), v->blue_mask);
    xcb_change_window_attributes(c, id, XCB_CW_BACK_PIXEL, &pixel);
    xcb_clear_area(c, 1, id, 0, 0, 0, 0);
    xcb_flush(c);
    return true;
}

}  // namespace wxqt
