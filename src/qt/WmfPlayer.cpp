// Drawing a metafile: libwmf walks the records of a file that
// WmfPruefung.cpp has passed, and its callbacks here paint with QPainter.
#include "WmfPlayer.h"

#include "WmfPruefung.h"
#include "basis/Zeichen.h"
#include "qt/Schriften.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <optional>
#include <unordered_map>
#include <vector>

// libwmf comes last: its headers define U8, U16, S32 and friends as macros,
// which must not leak into any Qt header.
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>

namespace wmf {

using detail::FileLayout;
using detail::RawFont;

namespace {

// ---------------------------------------------------------------------------
// Drawing surface handed to the libwmf callbacks

// Text is measured at this pixel size and scaled to the wanted height.
constexpr double kRefPixels = 128.0;
// Widest pen drawn, in image pixels.
constexpr double kMaxPenPixels = 1024.0;

struct Canvas {
    QPainter* painter = nullptr;
    QSizeF imageSize;
    const FileLayout* layout = nullptr;
    QRectF scanBox;  // frame for metafiles without a placeable header
    bool textAllowed = false;

    // CreateFontIndirect records seen so far in the current pass of libwmf,
    // and what each of libwmf's font objects was made from.
    std::size_t nextFont = 0;
    std::unordered_map<const wmfFont*, RawFont> fonts;

    bool clipping = false;
    QPainterPath clip;  // device coordinates

    std::vector<std::unique_ptr<QImage>> bitmaps;

    // Device coordinates -> image pixels.  The placeable bounding box is in
    // logical units; it is taken through the DC's window mapping the same
    // way libwmf maps the records.
    QTransform deviceToImage(const wmfDC* dc) const {
        QRectF box = scanBox;
        if (layout->placeable) {
            const double pw = dc->pixel_width;
            const double ph = dc->pixel_height;
            box = QRectF(QPointF((layout->left - dc->Window.Ox) * pw, (layout->top - dc->Window.Oy) * ph),
                         QPointF((layout->right - dc->Window.Ox) * pw, (layout->bottom - dc->Window.Oy) * ph))
                      .normalized();
        }
        if (box.width() <= 0 || box.height() <= 0) return QTransform(0, 0, 0, 0, 0, 0);
        const double sx = imageSize.width() / box.width();
        const double sy = imageSize.height() / box.height();
        return QTransform(sx, 0, 0, sy, -box.left() * sx, -box.top() * sy);
    }

    QPainter& begin(const wmfDC* dc) {
        painter->setTransform(deviceToImage(dc));
        if (clipping)
            painter->setClipPath(clip);
        else
            painter->setClipping(false);
        return *painter;
    }

    RawFont rawFont(const wmfFont* f) const {
        const auto it = fonts.find(f);
        if (it != fonts.end()) return it->second;
        RawFont guess;
        guess.height = -int(f->lfHeight);
        return guess;
    }
};

Canvas& canvasOf(wmfAPI* api) { return *static_cast<Canvas*>(api->user_data); }

// Exceptions must not unwind through libwmf's C code.
template <typename Fn>
void guarded(wmfAPI* api, Fn&& fn) {
    try {
        fn(canvasOf(api));
    } catch (...) {
        api->err = wmf_E_DeviceError;
    }
}

QColor toQColor(const wmfRGB& c) { return QColor(c.r, c.g, c.b); }

double scaleOf(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

QPen penOf(const wmfDC* dc, double imageScale) {
    const wmfPen* pen = dc->pen;
    const unsigned style = pen->lopnStyle;
    if ((style & PS_STYLE_MASK) == PS_NULL) return Qt::NoPen;

    QPen qp(toQColor(pen->lopnColor));
    // Thinner than a pixel, or a width that a degenerate mapping made
    // meaningless (not a number): one pixel.
    if (!(pen->width * imageScale >= 1.0)) {
        qp.setCosmetic(true);
        qp.setWidthF(1.0);
    } else if (pen->width < 32768) {
        // A pen far wider than any picture covers it all the same; wider
        // still, Qt's stroker takes seconds over a dashed outline.
        qp.setWidthF(std::min(double(pen->width), kMaxPenPixels / imageScale));
    } else {
        // QPen refuses widths from 32768 units on and would keep its old one:
        // such a pen is given in pixels instead.
        qp.setCosmetic(true);
        qp.setWidthF(std::min(pen->width * imageScale, kMaxPenPixels));
    }
    switch (style & PS_STYLE_MASK) {
        case PS_DASH:
            qp.setStyle(Qt::DashLine);
            break;
        case PS_DOT:
        case PS_ALTERNATE:
            qp.setStyle(Qt::DotLine);
            break;
        case PS_DASHDOT:
            qp.setStyle(Qt::DashDotLine);
            break;
        case PS_DASHDOTDOT:
            qp.setStyle(Qt::DashDotDotLine);
            break;
        default:
            qp.setStyle(Qt::SolidLine);
            break;
    }
    switch (style & PS_ENDCAP_MASK) {
        case PS_ENDCAP_SQUARE:
            qp.setCapStyle(Qt::SquareCap);
            break;
        case PS_ENDCAP_FLAT:
            qp.setCapStyle(Qt::FlatCap);
            break;
        default:
            qp.setCapStyle(Qt::RoundCap);
            break;
    }
    switch (style & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL:
            qp.setJoinStyle(Qt::BevelJoin);
            break;
        case PS_JOIN_MITER:
            qp.setJoinStyle(Qt::MiterJoin);
            break;
        default:
            qp.setJoinStyle(Qt::RoundJoin);
            break;
    }
    return qp;
}

bool insideFrame(const wmfDC* dc) { return (dc->pen->lopnStyle & PS_STYLE_MASK) == PS_INSIDEFRAME; }

QBrush brushOf(const wmfDC* dc) {
    const wmfBrush* brush = dc->brush;
    const QColor color = toQColor(brush->lbColor);
    switch (brush->lbStyle) {
        case BS_NULL:
            return Qt::NoBrush;
        case BS_HATCHED:
            switch (brush->lbHatch) {
                case HS_HORIZONTAL:
                    return QBrush(color, Qt::HorPattern);
                case HS_VERTICAL:
                    return QBrush(color, Qt::VerPattern);
                case HS_FDIAGONAL:
                    return QBrush(color, Qt::FDiagPattern);
                case HS_BDIAGONAL:
                    return QBrush(color, Qt::BDiagPattern);
                case HS_CROSS:
                    return QBrush(color, Qt::CrossPattern);
                default:
                    return QBrush(color, Qt::DiagCrossPattern);
            }
        case BS_PATTERN:
        case BS_DIBPATTERN:
        case BS_DIBPATTERNPT:
            if (brush->bmp.data) return QBrush(*static_cast<const QImage*>(brush->bmp.data));
            return color;
        default:
            return color;
    }
}

// Fills (unless the brush is null) and outlines (unless the pen is null) a
// path given in device coordinates.
void paintPath(Canvas& c, const wmfDC* dc, QPainterPath path, bool fill) {
    QPainter& p = c.begin(dc);
    path.setFillRule(dc->polyfillmode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    const QBrush brush = fill ? brushOf(dc) : QBrush(Qt::NoBrush);
    if (brush.style() >= Qt::HorPattern && brush.style() <= Qt::DiagCrossPattern && dc->bgmode == OPAQUE)
        p.fillPath(path, toQColor(dc->bgcolor));
    p.setBrush(brush);
    p.setPen(penOf(dc, scaleOf(p.transform())));
    p.drawPath(path);
}

QRectF boxOf(const wmfD_Coord& tl, const wmfD_Coord& br, const wmfDC* dc) {
    QRectF r = QRectF(QPointF(tl.x, tl.y), QPointF(br.x, br.y)).normalized();
    if (insideFrame(dc)) {
        const double half = dc->pen->width / 2;
        r.adjust(half, half, -half, -half);
    }
    return r;
}

// Angle (degrees, counter-clockwise, as QPainterPath::arcTo wants it) of the
// point where the ray from the centre through rel meets the ellipse.
double arcAngle(const QRectF& box, const wmfD_Coord& rel) {
    const double rx = std::max(box.width() / 2, 1e-9);
    const double ry = std::max(box.height() / 2, 1e-9);
    return std::atan2(-rel.y / ry, rel.x / rx) * 180.0 / std::numbers::pi;
}

enum class ArcKind { Arc, Chord, Pie };

// libwmf hands over the arc's end points relative to the centre, already in
// the order that runs clockwise on the device; Qt sweeps counter-clockwise,
// so the arc goes from `end` round to `start`.
void paintArc(Canvas& c, const wmfDrawArc_t* a, ArcKind kind) {
    const QRectF box = boxOf(a->TL, a->BR, a->dc);
    const double from = arcAngle(box, a->end);
    double sweep = std::fmod(arcAngle(box, a->start) - from + 720.0, 360.0);
    if (sweep < 1e-6) sweep = 360.0;  // coinciding rays: the whole ellipse

    QPainterPath path;
    if (kind == ArcKind::Pie)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, from);
    path.arcTo(box, from, sweep);
    if (kind != ArcKind::Arc) path.closeSubpath();
    paintPath(c, a->dc, path, kind != ArcKind::Arc);
}

QPolygonF polygonOf(const wmfD_Coord* pt, int count) {
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly << QPointF(pt[i].x, pt[i].y);
    return poly;
}

// ---------------------------------------------------------------------------
// Text

// Text in the records is Windows-1252. The code page's unassigned bytes
// show as the replacement character.
QString fromAnsi(const char* s) {
    QString out;
    for (; *s; ++s) {
        const char32_t cp = wx::ausWindows1252(std::uint8_t(*s));
        out += (cp >= 0x80 && cp < 0xA0) ? QChar(0xFFFD) : QChar(char16_t(cp));
    }
    return out;
}

struct TextSetup {
    QFont font;        // at kRefPixels
    double perHeight;  // reference pixels -> device units, per unit of font_height
    double stretch;    // horizontal stretch from an explicit lfWidth
};

TextSetup textSetup(const Canvas& c, const wmfFont* f) {
    QFont qf;
    const QString face = f->lfFaceName ? fromAnsi(f->lfFaceName) : QString();
    qf.setFamilies(wxqt::schriftFamilien(face));
    switch (f->lfPitchAndFamily & 0xF0) {
        case 0x10:
            qf.setStyleHint(QFont::Serif);
            break;
        case 0x30:
            qf.setStyleHint(QFont::TypeWriter);
            break;
        case 0x40:
            qf.setStyleHint(QFont::Cursive);
            break;
        case 0x50:
            qf.setStyleHint(QFont::Decorative);
            break;
        default:
            qf.setStyleHint(QFont::SansSerif);
            break;
    }
    qf.setPixelSize(int(kRefPixels));
    qf.setWeight(f->lfWeight == 0 ? QFont::Normal : QFont::Weight(std::clamp(int(f->lfWeight), 1, 1000)));
    qf.setItalic(f->lfItalic != 0);
    qf.setUnderline(f->lfUnderline != 0);
    qf.setStrikeOut(f->lfStrikeOut != 0);
    qf.setHintingPreference(QFont::PreferNoHinting);

    const QFontMetricsF fm(qf);
    const RawFont raw = c.rawFont(f);
    TextSetup setup{qf, 1.0 / kRefPixels, 1.0};
    if (raw.height > 0 && fm.height() > 0) setup.perHeight = 1.0 / fm.height();
    if (raw.width != 0 && f->lfHeight != 0 && fm.averageCharWidth() > 0) {
        const double wanted = double(f->lfWidth) / double(f->lfHeight);  // per unit of height
        setup.stretch = wanted / (fm.averageCharWidth() * setup.perHeight);
        setup.stretch =
            std::clamp(setup.stretch, 1.0 / detail::kMaxFontStretch, double(detail::kMaxFontStretch));
    }
    return setup;
}

// libwmf's ratio of the font's width to its height, as it reports it in
// wmfDrawText_t::font_ratio.
double libwmfRatio(const wmfFont* f) {
    return (f->lfHeight != 0 && f->lfWidth != 0) ? double(f->lfWidth) / double(f->lfHeight) : 1.0;
}

// Width of str for libwmf: it multiplies this by the font height and ratio.
float stringWidth(wmfAPI* api, wmfFont* f, char* str) {
    float result = 0;
    guarded(api, [&](Canvas& c) {
        if (!c.textAllowed || !str) return;
        const TextSetup setup = textSetup(c, f);
        const double advance = QFontMetricsF(setup.font).horizontalAdvance(fromAnsi(str));
        result = float(advance * setup.perHeight * setup.stretch / libwmfRatio(f));
    });
    return result;
}

// Called by libwmf for every font it creates, in record order (after a
// default font of its own at the start of each pass).
void mapFont(wmfAPI* api, wmfFont* f) {
    guarded(api, [&](Canvas& c) {
        const auto& records = c.layout->fonts;
        if (c.nextFont < records.size()) {
            const RawFont& raw = records[c.nextFont];
            const QByteArray face = f->lfFaceName ? QByteArray(f->lfFaceName) : QByteArray();
            if (std::abs(raw.height) == int(f->lfHeight) && raw.escapement == f->lfEscapement &&
                raw.face == face) {
                c.fonts[f] = raw;
                ++c.nextFont;
                return;
            }
        }
        c.fonts.erase(f);
    });
}

void drawText(wmfAPI* api, wmfDrawText_t* t) {
    guarded(api, [&](Canvas& c) {
        if (!c.textAllowed || !t->str || !t->dc->font) return;
        const QString text = fromAnsi(t->str);
        if (text.isEmpty()) return;

        const wmfDC* dc = t->dc;
        const wmfFont* f = dc->font;
        const TextSetup setup = textSetup(c, f);
        const QFontMetricsF fm(setup.font);
        const double fh = t->font_height;
        const double s = fh * setup.perHeight;  // device units per reference pixel
        const double advance = fm.horizontalAdvance(text);
        const double width = advance * s * setup.stretch;

        const double angle = f->lfEscapement / 10.0;
        const double rad = angle * std::numbers::pi / 180.0;
        const QPointF along(std::cos(rad), -std::sin(rad));
        const QPointF down(std::sin(rad), std::cos(rad));

        // libwmf has already moved the reference point: down by the font
        // height for top alignment, and back by half its own width estimate
        // for centred *and* right-aligned text.  Undo that and lay the text
        // out with Qt's metrics.
        const unsigned align = dc->textalign;
        QPointF origin(t->pt.x, t->pt.y);
        if ((align & TA_BASELINE) == TA_TOP) origin -= fh * down;
        if (align & TA_CENTER) {
            const double theirs = stringWidth(api, const_cast<wmfFont*>(f), t->str) * fh * t->font_ratio;
            origin += theirs / 2 * along;
        }
        switch (align & TA_BASELINE) {
            case TA_TOP:
                origin += fm.ascent() * s * down;
                break;
            case TA_BOTTOM:
                origin -= fm.descent() * s * down;
                break;
            default:
                break;
        }
        switch (align & TA_CENTER) {
            case TA_CENTER:
                origin -= width / 2 * along;
                break;
            case TA_RIGHT:
                origin -= width * along;
                break;
            default:
                break;
        }

        QPainter& p = c.begin(dc);
        const QRectF frame = QRectF(QPointF(t->TL.x, t->TL.y), QPointF(t->BR.x, t->BR.y)).normalized();
        if ((t->flags & ETO_OPAQUE) && !frame.isEmpty()) p.fillRect(frame, toQColor(dc->bgcolor));
        p.save();
        if ((t->flags & ETO_CLIPPED) && !frame.isEmpty()) p.setClipRect(frame, Qt::IntersectClip);
        p.translate(origin);
        p.rotate(-angle);
        p.scale(s * setup.stretch, s);
        if (dc->bgmode == OPAQUE)
            p.fillRect(QRectF(0, -fm.ascent(), advance, fm.ascent() + fm.descent()), toQColor(dc->bgcolor));
        // Glyphs distorted or huge on the image go as outlines: Qt's glyph
        // cache crashes on some of them.
        const QTransform t = p.transform();
        const double sx = std::hypot(t.m11(), t.m12()), sy = std::hypot(t.m21(), t.m22());
        if (sy * kRefPixels > 512 || sx > 8 * sy || sy > 8 * sx) {
            QPainterPath outline;
            outline.addText(QPointF(0, 0), setup.font, text);
            p.fillPath(outline, toQColor(dc->textcolor));
        } else {
            p.setFont(setup.font);
            p.setPen(toQColor(dc->textcolor));
            p.drawText(QPointF(0, 0), text);
        }
        p.restore();
    });
}

void bmpRead(wmfAPI* api, wmfBMP_Read_t* r) {
    guarded(api, [&](Canvas& c) {
        r->bmp.data = nullptr;
        QImage image = detail::imageFromDib(r->buffer, r->length);
        if (image.isNull()) return;
        r->bmp.width = std::uint16_t(image.width());
        r->bmp.height = std::uint16_t(image.height());
        c.bitmaps.push_back(std::make_unique<QImage>(std::move(image)));
        r->bmp.data = c.bitmaps.back().get();
    });
}

void bmpFree(wmfAPI* api, wmfBMP* bmp) {
    guarded(api, [&](Canvas& c) {
        auto it = std::find_if(c.bitmaps.begin(), c.bitmaps.end(),
                               [&](const auto& b) { return b.get() == bmp->data; });
        if (it != c.bitmaps.end()) c.bitmaps.erase(it);
        bmp->data = nullptr;
    });
}

void bmpDraw(wmfAPI* api, wmfBMP_Draw_t* d) {
    guarded(api, [&](Canvas& c) {
        const auto* image = static_cast<const QImage*>(d->bmp.data);
        if (!image) return;
        const QRectF source(d->crop.x, d->crop.y, d->crop.w, d->crop.h);
        const QRectF target =
            QRectF(d->pt.x, d->pt.y, d->crop.w * d->pixel_width, d->crop.h * d->pixel_height).normalized();
        c.begin(d->dc).drawImage(target, *image, source);
    });
}

// ---------------------------------------------------------------------------
// The remaining callbacks

void drawPixel(wmfAPI* api, wmfDrawPixel_t* d) {
    guarded(api, [&](Canvas& c) {
        c.begin(d->dc).fillRect(QRectF(d->pt.x, d->pt.y, d->pixel_width, d->pixel_height),
                                toQColor(d->color));
    });
}

void drawPie(wmfAPI* api, wmfDrawArc_t* a) {
    guarded(api, [&](Canvas& c) { paintArc(c, a, ArcKind::Pie); });
}

void drawChord(wmfAPI* api, wmfDrawArc_t* a) {
    guarded(api, [&](Canvas& c) { paintArc(c, a, ArcKind::Chord); });
}

void drawArc(wmfAPI* api, wmfDrawArc_t* a) {
    guarded(api, [&](Canvas& c) { paintArc(c, a, ArcKind::Arc); });
}

void drawEllipse(wmfAPI* api, wmfDrawArc_t* a) {
    guarded(api, [&](Canvas& c) {
        QPainterPath path;
        path.addEllipse(boxOf(a->TL, a->BR, a->dc));
        paintPath(c, a->dc, path, true);
    });
}

void drawLine(wmfAPI* api, wmfDrawLine_t* l) {
    guarded(api, [&](Canvas& c) {
        QPainter& p = c.begin(l->dc);
        p.setPen(penOf(l->dc, scaleOf(p.transform())));
        p.drawLine(QPointF(l->from.x, l->from.y), QPointF(l->to.x, l->to.y));
    });
}

void polyLine(wmfAPI* api, wmfPolyLine_t* l) {
    guarded(api, [&](Canvas& c) {
        if (!l->pt || l->count < 2) return;
        QPainter& p = c.begin(l->dc);
        p.setPen(penOf(l->dc, scaleOf(p.transform())));
        p.drawPolyline(polygonOf(l->pt, l->count));
    });
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* l) {
    guarded(api, [&](Canvas& c) {
        if (!l->pt || l->count < 2) return;
        QPainterPath path;
        path.addPolygon(polygonOf(l->pt, l->count));
        path.closeSubpath();
        paintPath(c, l->dc, path, true);
    });
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* pp) {
    guarded(api, [&](Canvas& c) {
        if (!pp->pt || !pp->count) return;
        QPainterPath path;
        for (int i = 0; i < pp->npoly; ++i) {
            if (!pp->pt[i] || pp->count[i] < 2) continue;
            path.addPolygon(polygonOf(pp->pt[i], pp->count[i]));
            path.closeSubpath();
        }
        paintPath(c, pp->dc, path, true);
    });
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* r) {
    guarded(api, [&](Canvas& c) {
        const QRectF box = boxOf(r->TL, r->BR, r->dc);
        QPainterPath path;
        if (r->width > 0 && r->height > 0)
            path.addRoundedRect(box, r->width / 2, r->height / 2);
        else
            path.addRect(box);
        paintPath(c, r->dc, path, true);
    });
}

void ropDraw(wmfAPI* api, wmfROP_Draw_t* r) {
    guarded(api, [&](Canvas& c) {
        const QRectF box = QRectF(QPointF(r->TL.x, r->TL.y), QPointF(r->BR.x, r->BR.y)).normalized();
        QPainter& p = c.begin(r->dc);
        switch (r->ROP) {
            case 0x00F00021u:
                p.fillRect(box, brushOf(r->dc));
                break;  // PATCOPY
            case 0x00000042u:
                p.fillRect(box, Qt::black);
                break;  // BLACKNESS
            case 0x00FF0062u:
                p.fillRect(box, Qt::white);
                break;  // WHITENESS
            default:
                break;  // raster operations on the destination are not supported
        }
    });
}

QPainterPath rectsPath(const wmfPolyRectangle_t* r) {
    QPainterPath path;
    if (!r->TL || !r->BR) return path;
    for (unsigned i = 0; i < r->count; ++i)
        path.addRect(QRectF(QPointF(r->TL[i].x, r->TL[i].y), QPointF(r->BR[i].x, r->BR[i].y)).normalized());
    return path;
}

void regionPaint(wmfAPI* api, wmfPolyRectangle_t* r) {
    guarded(api, [&](Canvas& c) { c.begin(r->dc).fillPath(rectsPath(r), brushOf(r->dc)); });
}

void regionFrame(wmfAPI* api, wmfPolyRectangle_t* r) {
    guarded(api, [&](Canvas& c) {
        QPainterPath frame;
        if (!r->TL || !r->BR) return;
        for (unsigned i = 0; i < r->count; ++i) {
            const QRectF outer =
                QRectF(QPointF(r->TL[i].x, r->TL[i].y), QPointF(r->BR[i].x, r->BR[i].y)).normalized();
            frame.addRect(outer);
            frame.addRect(outer.adjusted(r->width, r->height, -r->width, -r->height));
        }
        frame.setFillRule(Qt::OddEvenFill);
        c.begin(r->dc).fillPath(frame, brushOf(r->dc));
    });
}

void regionClip(wmfAPI* api, wmfPolyRectangle_t* r) {
    guarded(api, [&](Canvas& c) {
        c.clipping = r->count > 0;
        c.clip = c.clipping ? rectsPath(r) : QPainterPath();
    });
}

void deviceBegin(wmfAPI* api) {
    guarded(api, [&](Canvas& c) {
        c.clipping = false;
        c.clip = QPainterPath();
    });
}

void noDevice(wmfAPI*) {}
void noFlood(wmfAPI*, wmfFlood_t*) {}
void noUserData(wmfAPI*, wmfUserData_t*) {}

// Installed by wmf_lite_create: our drawing callbacks and font functions.
void installDevice(wmfAPI* api) {
    auto* fr = static_cast<wmfFunctionReference*>(wmf_calloc(api, 1, sizeof(wmfFunctionReference)));
    auto* fd = static_cast<wmfFontData*>(wmf_calloc(api, 1, sizeof(wmfFontData)));
    if (!fr || !fd) {
        api->err = wmf_E_InsMem;
        return;
    }
    fr->device_open = noDevice;
    fr->device_close = noDevice;
    fr->device_begin = deviceBegin;
    fr->device_end = noDevice;
    fr->flood_interior = noFlood;
    fr->flood_exterior = noFlood;
    fr->draw_pixel = drawPixel;
    fr->draw_pie = drawPie;
    fr->draw_chord = drawChord;
    fr->draw_arc = drawArc;
    fr->draw_ellipse = drawEllipse;
    fr->draw_line = drawLine;
    fr->poly_line = polyLine;
    fr->draw_polygon = drawPolygon;
    fr->draw_polypolygon = drawPolyPolygon;
    fr->draw_rectangle = drawRectangle;
    fr->rop_draw = ropDraw;
    fr->bmp_draw = bmpDraw;
    fr->bmp_read = bmpRead;
    fr->bmp_free = bmpFree;
    fr->draw_text = drawText;
    fr->udata_init = noUserData;
    fr->udata_copy = noUserData;
    fr->udata_set = noUserData;
    fr->udata_free = noUserData;
    fr->region_frame = regionFrame;
    fr->region_paint = regionPaint;
    fr->region_clip = regionClip;
    api->function_reference = fr;

    fd->map = mapFont;
    fd->stringwidth = stringWidth;
    api->font_data = fd;
}

// Owns a libwmf instance for the duration of one rendering.
class Session {
public:
    Session() {
        wmfAPI_Options options{};
        options.function = installDevice;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_lite_create(&api_, flags, &options) != wmf_E_None) {
            if (api_) wmf_lite_destroy(api_);
            api_ = nullptr;
        }
    }
    ~Session() {
        if (!api_) return;
        if (open_) wmf_mem_close(api_);
        wmf_lite_destroy(api_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    wmfAPI* api() const { return api_; }
    bool open(QByteArray& data) {
        open_ = wmf_mem_open(api_, reinterpret_cast<unsigned char*>(data.data()), long(data.size())) ==
                wmf_E_None;
        return open_;
    }

private:
    wmfAPI* api_ = nullptr;
    bool open_ = false;
};

QImage renderData(QByteArray data, const QSize& pixelSize) {
    const std::optional<FileLayout> layout = detail::checkFile(data);
    if (!layout) return {};

    Session session;
    wmfAPI* api = session.api();
    if (!api) return {};

    Canvas canvas;
    canvas.layout = &*layout;
    canvas.imageSize = QSizeF(pixelSize);
    canvas.textAllowed = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    api->user_data = &canvas;

    // libwmf sees only the bytes that were checked.
    data.truncate(layout->length);
    if (!session.open(data)) return {};

    wmfD_Rect box{};
    canvas.nextFont = 0;
    if (wmf_scan(api, 0, &box) != wmf_E_None) return {};
    canvas.scanBox = QRectF(QPointF(box.TL.x, box.TL.y), QPointF(box.BR.x, box.BR.y)).normalized();

    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        canvas.painter = &painter;
        canvas.nextFont = 0;
        canvas.fonts.clear();
        const wmf_error_t played = wmf_play(api, 0, &box);
        canvas.painter = nullptr;
        if (played != wmf_E_None) return {};
    }
    return image;
}

}  // namespace

QImage render(const QString& path, const QSize& pixelSize, bool* ok) {
    if (ok) *ok = false;
    if (pixelSize.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > detail::kMaxFileSize) return {};
    QImage image = renderData(file.readAll(), pixelSize);
    if (ok) *ok = !image.isNull();
    return image;
}

QImage renderBytes(const QByteArray& data, const QSize& pixelSize) {
    if (pixelSize.isEmpty() || data.size() > detail::kMaxFileSize) return {};
    return renderData(data, pixelSize);
}

}  // namespace wmf
