#include "WmfPlayer.h"

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
#include <cstring>
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
namespace {

// ---------------------------------------------------------------------------
// Checking the file before libwmf sees it

constexpr qint64 kMaxFileSize = 32 * 1024 * 1024;

// A font as written in a CreateFontIndirect record.  libwmf keeps only the
// magnitude of the height, but its sign matters: negative means the em
// height, positive the cell height (ascent + descent).
struct RawFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    QByteArray face;
};

struct FileLayout {
    bool placeable = false;
    int left = 0, top = 0, right = 0, bottom = 0; // placeable bounding box
    std::vector<RawFont> fonts;                   // in record order
};

class Reader {
public:
    explicit Reader(const QByteArray& data) : data_(data) {}
    bool has(qint64 pos, qint64 count) const
    {
        return pos >= 0 && count >= 0 && pos + count <= data_.size();
    }
    std::uint16_t u16(qint64 pos) const
    {
        return std::uint16_t(std::uint8_t(data_[pos]) | (std::uint8_t(data_[pos + 1]) << 8));
    }
    std::int16_t s16(qint64 pos) const { return std::int16_t(u16(pos)); }
    std::uint32_t u32(qint64 pos) const { return u16(pos) | (std::uint32_t(u16(pos + 2)) << 16); }
    qint64 size() const { return data_.size(); }
    const char* at(qint64 pos) const { return data_.constData() + pos; }

private:
    const QByteArray& data_;
};

// The object table as the records fill and empty it.  A new object takes the
// lowest free slot.  libwmf's DC keeps pointing into the slot of a selected
// object after that object is deleted, which is harmless until the slot is
// reused for another kind of object: drawing then reads, say, a pen as if it
// were a font.  Such files are refused, as are selecting and deleting empty
// slots.
class ObjectTable {
public:
    enum Kind : std::uint8_t { Free, Pen, Brush, Font, Other, KindCount };

    explicit ObjectTable(int size) : slots_(std::size_t(size), Free) {}

    bool create(Kind kind)
    {
        const auto slot = std::find(slots_.begin(), slots_.end(), Free);
        if (slot == slots_.end()) return false;
        *slot = kind;
        return true;
    }
    bool select(unsigned index)
    {
        if (!holds(index)) return false;
        selected_[slots_[index]] = int(index);
        return true;
    }
    bool remove(unsigned index)
    {
        if (!holds(index)) return false;
        slots_[index] = Free;
        return true;
    }
    // Whether the DC's current object of this kind is still one.
    bool usable(Kind kind) const
    {
        const int slot = selected_[kind];
        return slot < 0 || slots_[std::size_t(slot)] == kind || slots_[std::size_t(slot)] == Free;
    }

private:
    bool holds(unsigned index) const { return index < slots_.size() && slots_[index] != Free; }

    std::vector<Kind> slots_;
    int selected_[KindCount] = {-1, -1, -1, -1, -1};
};

// Walks the headers and the record list and rejects anything libwmf should
// not be trusted with: wrong keys or checksum, records running past the end,
// point and character counts that do not fit their record, misuse of the
// object table (see above), a missing EOF record.
std::optional<FileLayout> checkFile(const QByteArray& data)
{
    const Reader in(data);
    FileLayout layout;
    qint64 pos = 0;

    if (in.has(0, 22) && in.u32(0) == 0x9AC6CDD7u) {
        std::uint16_t sum = 0;
        for (int i = 0; i < 10; ++i) sum ^= in.u16(2 * i);
        if (sum != in.u16(20)) return std::nullopt;
        layout.placeable = true;
        layout.left = in.s16(6);
        layout.top = in.s16(8);
        layout.right = in.s16(10);
        layout.bottom = in.s16(12);
        if (layout.left == layout.right || layout.top == layout.bottom) return std::nullopt;
        pos = 22;
    }

    if (!in.has(pos, 18)) return std::nullopt;
    const std::uint16_t type = in.u16(pos);
    const std::uint16_t headerWords = in.u16(pos + 2);
    const std::uint16_t version = in.u16(pos + 4);
    const std::uint16_t objects = in.u16(pos + 10);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        return std::nullopt;
    pos += 18;

    ObjectTable table(objects);

    for (;;) {
        if (!in.has(pos, 6)) return std::nullopt;
        const std::uint32_t words = in.u32(pos);
        const std::uint16_t function = in.u16(pos + 4);
        if (words < 3 || !in.has(pos, qint64(words) * 2)) return std::nullopt;
        if (function == 0x0000) return layout; // EOF

        const qint64 params = pos + 6;
        const qint64 paramBytes = qint64(words) * 2 - 6;
        auto needs = [&](qint64 bytes) { return bytes <= paramBytes; };
        bool fits = true;
        switch (function) {
        case 0x0521: // TextOut
        case 0x0A32: // ExtTextOut
            fits = table.usable(ObjectTable::Font);
            break;
        case 0x0213: // LineTo
        case 0x0817: // Arc
        case 0x0830: // Chord
        case 0x0418: // Ellipse
        case 0x081A: // Pie
        case 0x0324: // Polygon
        case 0x0325: // Polyline
        case 0x0538: // PolyPolygon
        case 0x041B: // Rectangle
        case 0x061C: // RoundRect
        case 0x061D: // PatBlt
        case 0x0419: // FloodFill
        case 0x0548: // ExtFloodFill
        case 0x0228: // FillRegion
        case 0x0429: // FrameRegion
        case 0x012B: // PaintRegion
        case 0x0940: // DibBitBlt
        case 0x0B41: // DibStretchBlt
        case 0x0F43: // StretchDib
            fits = table.usable(ObjectTable::Pen) && table.usable(ObjectTable::Brush);
            break;
        default:
            break;
        }
        if (!fits) return std::nullopt;

        switch (function) {
        case 0x0324: // Polygon
        case 0x0325: // Polyline
            fits = needs(2) && needs(2 + 4 * qint64(in.u16(params)));
            break;
        case 0x0538: { // PolyPolygon
            fits = needs(2);
            if (!fits) break;
            const qint64 polys = in.u16(params);
            fits = needs(2 + 2 * polys);
            if (!fits) break;
            qint64 points = 0;
            for (qint64 i = 0; i < polys; ++i) points += in.u16(params + 2 + 2 * i);
            fits = needs(2 + 2 * polys + 4 * points);
            break;
        }
        case 0x0521: // TextOut
            fits = needs(2) && needs(2 + ((qint64(in.u16(params)) + 1) & ~1) + 4);
            break;
        case 0x0A32: { // ExtTextOut
            fits = needs(8);
            if (!fits) break;
            const qint64 count = in.u16(params + 4);
            const std::uint16_t options = in.u16(params + 6);
            const qint64 rect = (options & (ETO_OPAQUE | ETO_CLIPPED)) ? 8 : 0;
            fits = needs(8 + rect + count);
            break;
        }
        case 0x012D: // SelectObject
        case 0x012C: // SelectClipRegion
        case 0x0234: // SelectPalette
            fits = needs(2) && table.select(in.u16(params));
            break;
        case 0x01F0: // DeleteObject
            fits = needs(2) && table.remove(in.u16(params));
            break;
        case 0x02FA: // CreatePenIndirect
            fits = table.create(ObjectTable::Pen);
            break;
        case 0x02FC: // CreateBrushIndirect
        case 0x01F9: // CreatePatternBrush
        case 0x0142: // DibCreatePatternBrush
            fits = table.create(ObjectTable::Brush);
            break;
        case 0x00F7: // CreatePalette
        case 0x06FF: // CreateRegion
            fits = table.create(ObjectTable::Other);
            break;
        case 0x02FB: { // CreateFontIndirect
            fits = needs(18) && table.create(ObjectTable::Font);
            if (!fits) break;
            RawFont font;
            font.height = in.s16(params);
            font.width = in.s16(params + 2);
            font.escapement = in.s16(params + 4);
            const qint64 faceBytes = std::min<qint64>(paramBytes - 18, 32);
            const char* face = in.at(params + 18);
            font.face = QByteArray(face, qint64(::strnlen(face, size_t(faceBytes))));
            layout.fonts.push_back(font);
            break;
        }
        default:
            break;
        }
        if (!fits) return std::nullopt;
        pos += qint64(words) * 2;
    }
}

// ---------------------------------------------------------------------------
// Drawing surface handed to the libwmf callbacks

// Text is measured at this pixel size and scaled to the wanted height.
constexpr double kRefPixels = 128.0;

struct Canvas {
    QPainter* painter = nullptr;
    QSizeF imageSize;
    const FileLayout* layout = nullptr;
    QRectF scanBox;          // frame for metafiles without a placeable header
    bool textAllowed = false;

    // CreateFontIndirect records seen so far in the current pass of libwmf,
    // and what each of libwmf's font objects was made from.
    std::size_t nextFont = 0;
    std::unordered_map<const wmfFont*, RawFont> fonts;

    bool clipping = false;
    QPainterPath clip;       // device coordinates

    std::vector<std::unique_ptr<QImage>> bitmaps;

    // Device coordinates -> image pixels.  The placeable bounding box is in
    // logical units; it is taken through the DC's window mapping the same
    // way libwmf maps the records.
    QTransform deviceToImage(const wmfDC* dc) const
    {
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

    QPainter& begin(const wmfDC* dc)
    {
        painter->setTransform(deviceToImage(dc));
        if (clipping)
            painter->setClipPath(clip);
        else
            painter->setClipping(false);
        return *painter;
    }

    RawFont rawFont(const wmfFont* f) const
    {
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
void guarded(wmfAPI* api, Fn&& fn)
{
    try {
        fn(canvasOf(api));
    } catch (...) {
        api->err = wmf_E_DeviceError;
    }
}

QColor toQColor(const wmfRGB& c) { return QColor(c.r, c.g, c.b); }

double scaleOf(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

QPen penOf(const wmfDC* dc, double imageScale)
{
    const wmfPen* pen = dc->pen;
    const unsigned style = pen->lopnStyle;
    if ((style & PS_STYLE_MASK) == PS_NULL) return Qt::NoPen;

    QPen qp(toQColor(pen->lopnColor));
    if (pen->width * imageScale < 1.0) {
        qp.setCosmetic(true);
        qp.setWidthF(1.0);
    } else {
        qp.setWidthF(pen->width);
    }
    switch (style & PS_STYLE_MASK) {
    case PS_DASH: qp.setStyle(Qt::DashLine); break;
    case PS_DOT:
    case PS_ALTERNATE: qp.setStyle(Qt::DotLine); break;
    case PS_DASHDOT: qp.setStyle(Qt::DashDotLine); break;
    case PS_DASHDOTDOT: qp.setStyle(Qt::DashDotDotLine); break;
    default: qp.setStyle(Qt::SolidLine); break;
    }
    switch (style & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE: qp.setCapStyle(Qt::SquareCap); break;
    case PS_ENDCAP_FLAT: qp.setCapStyle(Qt::FlatCap); break;
    default: qp.setCapStyle(Qt::RoundCap); break;
    }
    switch (style & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL: qp.setJoinStyle(Qt::BevelJoin); break;
    case PS_JOIN_MITER: qp.setJoinStyle(Qt::MiterJoin); break;
    default: qp.setJoinStyle(Qt::RoundJoin); break;
    }
    return qp;
}

bool insideFrame(const wmfDC* dc) { return (dc->pen->lopnStyle & PS_STYLE_MASK) == PS_INSIDEFRAME; }

QBrush brushOf(const wmfDC* dc)
{
    const wmfBrush* brush = dc->brush;
    const QColor color = toQColor(brush->lbColor);
    switch (brush->lbStyle) {
    case BS_NULL: return Qt::NoBrush;
    case BS_HATCHED:
        switch (brush->lbHatch) {
        case HS_HORIZONTAL: return QBrush(color, Qt::HorPattern);
        case HS_VERTICAL: return QBrush(color, Qt::VerPattern);
        case HS_FDIAGONAL: return QBrush(color, Qt::FDiagPattern);
        case HS_BDIAGONAL: return QBrush(color, Qt::BDiagPattern);
        case HS_CROSS: return QBrush(color, Qt::CrossPattern);
        default: return QBrush(color, Qt::DiagCrossPattern);
        }
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        if (brush->bmp.data) return QBrush(*static_cast<const QImage*>(brush->bmp.data));
        return color;
    default: return color;
    }
}

// Fills (unless the brush is null) and outlines (unless the pen is null) a
// path given in device coordinates.
void paintPath(Canvas& c, const wmfDC* dc, QPainterPath path, bool fill)
{
    QPainter& p = c.begin(dc);
    path.setFillRule(dc->polyfillmode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    const QBrush brush = fill ? brushOf(dc) : QBrush(Qt::NoBrush);
    if (brush.style() >= Qt::HorPattern && brush.style() <= Qt::DiagCrossPattern &&
        dc->bgmode == OPAQUE)
        p.fillPath(path, toQColor(dc->bgcolor));
    p.setBrush(brush);
    p.setPen(penOf(dc, scaleOf(p.transform())));
    p.drawPath(path);
}

QRectF boxOf(const wmfD_Coord& tl, const wmfD_Coord& br, const wmfDC* dc)
{
    QRectF r = QRectF(QPointF(tl.x, tl.y), QPointF(br.x, br.y)).normalized();
    if (insideFrame(dc)) {
        const double half = dc->pen->width / 2;
        r.adjust(half, half, -half, -half);
    }
    return r;
}

// Angle (degrees, counter-clockwise, as QPainterPath::arcTo wants it) of the
// point where the ray from the centre through rel meets the ellipse.
double arcAngle(const QRectF& box, const wmfD_Coord& rel)
{
    const double rx = std::max(box.width() / 2, 1e-9);
    const double ry = std::max(box.height() / 2, 1e-9);
    return std::atan2(-rel.y / ry, rel.x / rx) * 180.0 / std::numbers::pi;
}

enum class ArcKind { Arc, Chord, Pie };

// libwmf hands over the arc's end points relative to the centre, already in
// the order that runs clockwise on the device; Qt sweeps counter-clockwise,
// so the arc goes from `end` round to `start`.
void paintArc(Canvas& c, const wmfDrawArc_t* a, ArcKind kind)
{
    const QRectF box = boxOf(a->TL, a->BR, a->dc);
    const double from = arcAngle(box, a->end);
    double sweep = std::fmod(arcAngle(box, a->start) - from + 720.0, 360.0);
    if (sweep < 1e-6) sweep = 360.0; // coinciding rays: the whole ellipse

    QPainterPath path;
    if (kind == ArcKind::Pie)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, from);
    path.arcTo(box, from, sweep);
    if (kind != ArcKind::Arc) path.closeSubpath();
    paintPath(c, a->dc, path, kind != ArcKind::Arc);
}

QPolygonF polygonOf(const wmfD_Coord* pt, int count)
{
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly << QPointF(pt[i].x, pt[i].y);
    return poly;
}

// ---------------------------------------------------------------------------
// Text

// Windows code page 1252; 0x80..0x9F differ from Latin-1.
QString fromAnsi(const char* s)
{
    static const char16_t k80[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
        0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString out;
    for (; *s; ++s) {
        const auto b = std::uint8_t(*s);
        out += (b >= 0x80 && b < 0xA0) ? QChar(k80[b - 0x80]) : QChar(b);
    }
    return out;
}

// Families to try for a Windows face name: the name itself, whatever the
// application registered with QFont::insertSubstitution, then look-alikes
// commonly installed on Linux.
QStringList familiesFor(const QString& face)
{
    struct Alias {
        const char* face;
        const char* families;
    };
    static const Alias kAliases[] = {
        {"arial", "Liberation Sans,Arimo,Nimbus Sans,Helvetica,DejaVu Sans"},
        {"helvetica", "Liberation Sans,Arimo,Nimbus Sans,DejaVu Sans"},
        {"arial narrow", "Liberation Sans Narrow,Nimbus Sans Narrow,DejaVu Sans Condensed"},
        {"arial black", "DejaVu Sans,Liberation Sans"},
        {"times new roman", "Liberation Serif,Tinos,Nimbus Roman,DejaVu Serif"},
        {"times", "Liberation Serif,Tinos,Nimbus Roman,DejaVu Serif"},
        {"courier new", "Liberation Mono,Cousine,Nimbus Mono PS,DejaVu Sans Mono"},
        {"courier", "Liberation Mono,Cousine,Nimbus Mono PS,DejaVu Sans Mono"},
        {"ms sans serif", "DejaVu Sans,Liberation Sans"},
        {"tahoma", "DejaVu Sans,Liberation Sans"},
        {"verdana", "DejaVu Sans,Liberation Sans"},
        {"comic sans ms", "Comic Neue,URW Gothic,DejaVu Sans"},
    };
    QStringList families;
    if (!face.isEmpty()) families << face << QFont::substitutes(face);
    const QString key = face.toLower();
    for (const Alias& a : kAliases) {
        if (key == QLatin1String(a.face)) {
            families << QString::fromLatin1(a.families).split(QLatin1Char(','));
            break;
        }
    }
    return families;
}

struct TextSetup {
    QFont font;          // at kRefPixels
    double perHeight;    // reference pixels -> device units, per unit of font_height
    double stretch;      // horizontal stretch from an explicit lfWidth
};

TextSetup textSetup(const Canvas& c, const wmfFont* f)
{
    QFont qf;
    const QString face = f->lfFaceName ? fromAnsi(f->lfFaceName) : QString();
    const QStringList families = familiesFor(face);
    if (!families.isEmpty()) qf.setFamilies(families);
    switch (f->lfPitchAndFamily & 0xF0) {
    case 0x10: qf.setStyleHint(QFont::Serif); break;
    case 0x30: qf.setStyleHint(QFont::TypeWriter); break;
    case 0x40: qf.setStyleHint(QFont::Cursive); break;
    case 0x50: qf.setStyleHint(QFont::Decorative); break;
    default: qf.setStyleHint(QFont::SansSerif); break;
    }
    qf.setPixelSize(int(kRefPixels));
    qf.setWeight(f->lfWeight == 0 ? QFont::Normal
                                  : QFont::Weight(std::clamp(int(f->lfWeight), 1, 1000)));
    qf.setItalic(f->lfItalic != 0);
    qf.setUnderline(f->lfUnderline != 0);
    qf.setStrikeOut(f->lfStrikeOut != 0);
    qf.setHintingPreference(QFont::PreferNoHinting);

    const QFontMetricsF fm(qf);
    const RawFont raw = c.rawFont(f);
    TextSetup setup{qf, 1.0 / kRefPixels, 1.0};
    if (raw.height > 0 && fm.height() > 0) setup.perHeight = 1.0 / fm.height();
    if (raw.width != 0 && f->lfHeight != 0 && fm.averageCharWidth() > 0) {
        const double wanted = double(f->lfWidth) / double(f->lfHeight); // per unit of height
        setup.stretch = wanted / (fm.averageCharWidth() * setup.perHeight);
    }
    return setup;
}

// libwmf's ratio of the font's width to its height, as it reports it in
// wmfDrawText_t::font_ratio.
double libwmfRatio(const wmfFont* f)
{
    return (f->lfHeight != 0 && f->lfWidth != 0) ? double(f->lfWidth) / double(f->lfHeight) : 1.0;
}

// Width of str for libwmf: it multiplies this by the font height and ratio.
float stringWidth(wmfAPI* api, wmfFont* f, char* str)
{
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
void mapFont(wmfAPI* api, wmfFont* f)
{
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

void drawText(wmfAPI* api, wmfDrawText_t* t)
{
    guarded(api, [&](Canvas& c) {
        if (!c.textAllowed || !t->str || !t->dc->font) return;
        const QString text = fromAnsi(t->str);
        if (text.isEmpty()) return;

        const wmfDC* dc = t->dc;
        const wmfFont* f = dc->font;
        const TextSetup setup = textSetup(c, f);
        const QFontMetricsF fm(setup.font);
        const double fh = t->font_height;
        const double s = fh * setup.perHeight; // device units per reference pixel
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
        case TA_TOP: origin += fm.ascent() * s * down; break;
        case TA_BOTTOM: origin -= fm.descent() * s * down; break;
        default: break;
        }
        switch (align & TA_CENTER) {
        case TA_CENTER: origin -= width / 2 * along; break;
        case TA_RIGHT: origin -= width * along; break;
        default: break;
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
            p.fillRect(QRectF(0, -fm.ascent(), advance, fm.ascent() + fm.descent()),
                       toQColor(dc->bgcolor));
        p.setFont(setup.font);
        p.setPen(toQColor(dc->textcolor));
        p.drawText(QPointF(0, 0), text);
        p.restore();
    });
}

// ---------------------------------------------------------------------------
// Bitmaps

// Turns a packed DIB (info header, colour table, bits) into an image by
// putting a BMP file header in front of it.
QImage imageFromDib(const unsigned char* dib, long length)
{
    if (!dib || length < 12) return {};
    const QByteArray bytes(reinterpret_cast<const char*>(dib), length);
    const Reader in(bytes);
    const std::uint32_t headerSize = in.u32(0);
    qint64 colours = 0, entry = 4, masks = 0;
    if (headerSize == 12) {
        const int bits = in.u16(10);
        colours = bits <= 8 ? (1 << bits) : 0;
        entry = 3;
    } else if (headerSize >= 40 && length >= 40) {
        const int bits = in.u16(14);
        const std::uint32_t compression = in.u32(16);
        const std::uint32_t used = in.u32(32);
        colours = used ? qint64(used) : (bits <= 8 ? (1 << bits) : 0);
        if (compression == 3 && headerSize == 40) masks = 12; // BI_BITFIELDS
    } else {
        return {};
    }
    const qint64 offset = 14 + qint64(headerSize) + colours * entry + masks;
    if (offset > 14 + length) return {};

    QByteArray file;
    file.reserve(14 + length);
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file.append(char((v >> (8 * i)) & 0xFF));
    };
    file.append("BM", 2);
    put32(std::uint32_t(14 + length));
    put32(0);
    put32(std::uint32_t(offset));
    file.append(bytes);
    QImage image;
    image.loadFromData(file, "BMP");
    return image;
}

void bmpRead(wmfAPI* api, wmfBMP_Read_t* r)
{
    guarded(api, [&](Canvas& c) {
        r->bmp.data = nullptr;
        QImage image = imageFromDib(r->buffer, r->length);
        if (image.isNull()) return;
        r->bmp.width = std::uint16_t(image.width());
        r->bmp.height = std::uint16_t(image.height());
        c.bitmaps.push_back(std::make_unique<QImage>(std::move(image)));
        r->bmp.data = c.bitmaps.back().get();
    });
}

void bmpFree(wmfAPI* api, wmfBMP* bmp)
{
    guarded(api, [&](Canvas& c) {
        auto it = std::find_if(c.bitmaps.begin(), c.bitmaps.end(),
                               [&](const auto& b) { return b.get() == bmp->data; });
        if (it != c.bitmaps.end()) c.bitmaps.erase(it);
        bmp->data = nullptr;
    });
}

void bmpDraw(wmfAPI* api, wmfBMP_Draw_t* d)
{
    guarded(api, [&](Canvas& c) {
        const auto* image = static_cast<const QImage*>(d->bmp.data);
        if (!image) return;
        const QRectF source(d->crop.x, d->crop.y, d->crop.w, d->crop.h);
        const QRectF target = QRectF(d->pt.x, d->pt.y, d->crop.w * d->pixel_width,
                                     d->crop.h * d->pixel_height)
                                  .normalized();
        c.begin(d->dc).drawImage(target, *image, source);
    });
}

// ---------------------------------------------------------------------------
// The remaining callbacks

void drawPixel(wmfAPI* api, wmfDrawPixel_t* d)
{
    guarded(api, [&](Canvas& c) {
        c.begin(d->dc).fillRect(QRectF(d->pt.x, d->pt.y, d->pixel_width, d->pixel_height),
                                toQColor(d->color));
    });
}

void drawPie(wmfAPI* api, wmfDrawArc_t* a)
{
    guarded(api, [&](Canvas& c) { paintArc(c, a, ArcKind::Pie); });
}

void drawChord(wmfAPI* api, wmfDrawArc_t* a)
{
    guarded(api, [&](Canvas& c) { paintArc(c, a, ArcKind::Chord); });
}

void drawArc(wmfAPI* api, wmfDrawArc_t* a)
{
    guarded(api, [&](Canvas& c) { paintArc(c, a, ArcKind::Arc); });
}

void drawEllipse(wmfAPI* api, wmfDrawArc_t* a)
{
    guarded(api, [&](Canvas& c) {
        QPainterPath path;
        path.addEllipse(boxOf(a->TL, a->BR, a->dc));
        paintPath(c, a->dc, path, true);
    });
}

void drawLine(wmfAPI* api, wmfDrawLine_t* l)
{
    guarded(api, [&](Canvas& c) {
        QPainter& p = c.begin(l->dc);
        p.setPen(penOf(l->dc, scaleOf(p.transform())));
        p.drawLine(QPointF(l->from.x, l->from.y), QPointF(l->to.x, l->to.y));
    });
}

void polyLine(wmfAPI* api, wmfPolyLine_t* l)
{
    guarded(api, [&](Canvas& c) {
        if (!l->pt || l->count < 2) return;
        QPainter& p = c.begin(l->dc);
        p.setPen(penOf(l->dc, scaleOf(p.transform())));
        p.drawPolyline(polygonOf(l->pt, l->count));
    });
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* l)
{
    guarded(api, [&](Canvas& c) {
        if (!l->pt || l->count < 2) return;
        QPainterPath path;
        path.addPolygon(polygonOf(l->pt, l->count));
        path.closeSubpath();
        paintPath(c, l->dc, path, true);
    });
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* pp)
{
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

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* r)
{
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

void ropDraw(wmfAPI* api, wmfROP_Draw_t* r)
{
    guarded(api, [&](Canvas& c) {
        const QRectF box = QRectF(QPointF(r->TL.x, r->TL.y), QPointF(r->BR.x, r->BR.y)).normalized();
        QPainter& p = c.begin(r->dc);
        switch (r->ROP) {
        case 0x00F00021u: p.fillRect(box, brushOf(r->dc)); break; // PATCOPY
        case 0x00000042u: p.fillRect(box, Qt::black); break;      // BLACKNESS
        case 0x00FF0062u: p.fillRect(box, Qt::white); break;      // WHITENESS
        default: break; // raster operations on the destination are not supported
        }
    });
}

QPainterPath rectsPath(const wmfPolyRectangle_t* r)
{
    QPainterPath path;
    if (!r->TL || !r->BR) return path;
    for (unsigned i = 0; i < r->count; ++i)
        path.addRect(QRectF(QPointF(r->TL[i].x, r->TL[i].y), QPointF(r->BR[i].x, r->BR[i].y)).normalized());
    return path;
}

void regionPaint(wmfAPI* api, wmfPolyRectangle_t* r)
{
    guarded(api, [&](Canvas& c) {
        c.begin(r->dc).fillPath(rectsPath(r), brushOf(r->dc));
    });
}

void regionFrame(wmfAPI* api, wmfPolyRectangle_t* r)
{
    guarded(api, [&](Canvas& c) {
        QPainterPath frame;
        if (!r->TL || !r->BR) return;
        for (unsigned i = 0; i < r->count; ++i) {
            const QRectF outer = QRectF(QPointF(r->TL[i].x, r->TL[i].y), QPointF(r->BR[i].x, r->BR[i].y))
                                     .normalized();
            frame.addRect(outer);
            frame.addRect(outer.adjusted(r->width, r->height, -r->width, -r->height));
        }
        frame.setFillRule(Qt::OddEvenFill);
        c.begin(r->dc).fillPath(frame, brushOf(r->dc));
    });
}

void regionClip(wmfAPI* api, wmfPolyRectangle_t* r)
{
    guarded(api, [&](Canvas& c) {
        c.clipping = r->count > 0;
        c.clip = c.clipping ? rectsPath(r) : QPainterPath();
    });
}

void deviceBegin(wmfAPI* api)
{
    guarded(api, [&](Canvas& c) {
        c.clipping = false;
        c.clip = QPainterPath();
    });
}

void noDevice(wmfAPI*) {}
void noFlood(wmfAPI*, wmfFlood_t*) {}
void noUserData(wmfAPI*, wmfUserData_t*) {}

// Installed by wmf_lite_create: our drawing callbacks and font functions.
void installDevice(wmfAPI* api)
{
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
    Session()
    {
        wmfAPI_Options options{};
        options.function = installDevice;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_lite_create(&api_, flags, &options) != wmf_E_None) {
            if (api_) wmf_lite_destroy(api_);
            api_ = nullptr;
        }
    }
    ~Session()
    {
        if (!api_) return;
        if (open_) wmf_mem_close(api_);
        wmf_lite_destroy(api_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    wmfAPI* api() const { return api_; }
    bool open(QByteArray& data)
    {
        open_ = wmf_mem_open(api_, reinterpret_cast<unsigned char*>(data.data()), long(data.size())) ==
                wmf_E_None;
        return open_;
    }

private:
    wmfAPI* api_ = nullptr;
    bool open_ = false;
};

QImage renderData(QByteArray data, const QSize& pixelSize)
{
    const std::optional<FileLayout> layout = checkFile(data);
    if (!layout) return {};

    Session session;
    wmfAPI* api = session.api();
    if (!api) return {};

    Canvas canvas;
    canvas.layout = &*layout;
    canvas.imageSize = QSizeF(pixelSize);
    canvas.textAllowed = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    api->user_data = &canvas;

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

} // namespace

QImage render(const QString& path, const QSize& pixelSize, bool* ok)
{
    if (ok) *ok = false;
    if (pixelSize.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) return {};
    QImage image = renderData(file.readAll(), pixelSize);
    if (ok) *ok = !image.isNull();
    return image;
}

} // namespace wmf
