// Checking a metafile before libwmf is let loose on it, and reading the
// bitmaps inside it.
#include "WmfPruefung.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace wmf::detail {
namespace {

// ExtTextOut options that add a rectangle to the record.
constexpr std::uint16_t kEtoOpaque = 0x0002;
constexpr std::uint16_t kEtoClipped = 0x0004;

// Little-endian numbers at byte positions of the data.
class Reader {
public:
    explicit Reader(const QByteArray& data) : data_(data) {}
    bool has(qint64 pos, qint64 count) const { return pos >= 0 && count >= 0 && pos + count <= data_.size(); }
    std::uint16_t u16(qint64 pos) const {
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
// slots.  libwmf draws with a pen, brush or font from the moment it is
// created, as if it had been selected, and SelectObject changes it
// afterwards; a clip region or palette selection must name an object of its
// own kind.  SaveDC keeps the current objects and RestoreDC brings back the
// ones saved last, whatever its parameter says, even if their slots have
// since been given to other objects.
class ObjectTable {
public:
    enum Kind : std::uint8_t { Free, Pen, Brush, Font, Palette, Region, KindCount };

    explicit ObjectTable(int size) : slots_(std::size_t(size), Free) {}

    // Slots below next_ that were emptied again wait in a min-heap, so the
    // lowest free slot is found without walking the table.
    bool create(Kind kind) {
        std::size_t slot;
        if (!freed_.empty()) {
            std::pop_heap(freed_.begin(), freed_.end(), std::greater<>());
            slot = freed_.back();
            freed_.pop_back();
        } else if (next_ < slots_.size()) {
            slot = next_++;
        } else {
            return false;
        }
        slots_[slot] = kind;
        drawWith(slot);
        return true;
    }
    bool select(unsigned index) {
        if (!holds(index)) return false;
        drawWith(index);
        return true;
    }
    void save() { saved_.push_back(selected_); }
    bool restore() {
        if (saved_.empty()) return false;
        selected_ = saved_.back();
        saved_.pop_back();
        return true;
    }
    bool holdsKind(unsigned index, Kind kind) const { return holds(index) && slots_[index] == kind; }
    bool remove(unsigned index) {
        if (!holds(index)) return false;
        slots_[index] = Free;
        freed_.push_back(index);
        std::push_heap(freed_.begin(), freed_.end(), std::greater<>());
        return true;
    }
    // Whether the DC's current object of this kind is still one.  A deleted
    // pen or brush leaves its values in the slot; a deleted font has had its
    // face name freed, so text needs a font still there.
    bool usable(Kind kind) const {
        const int slot = selected_[kind];
        if (slot < 0) return true;
        const Kind held = slots_[std::size_t(slot)];
        return held == kind || (held == Free && kind != Font);
    }

private:
    bool holds(unsigned index) const { return index < slots_.size() && slots_[index] != Free; }
    // The DC's current pen, brush or font is now the object in this slot.
    void drawWith(std::size_t slot) {
        const Kind kind = slots_[slot];
        if (kind == Pen || kind == Brush || kind == Font) selected_[kind] = int(slot);
    }

    std::vector<Kind> slots_;
    std::vector<std::size_t> freed_;
    std::size_t next_ = 0;
    std::array<int, KindCount> selected_ = {-1, -1, -1, -1, -1, -1};
    std::vector<std::array<int, KindCount>> saved_;
};

// The records libwmf knows.  It tells them apart by the low byte alone (the
// high byte only counts the parameters), so a record whose low byte names
// one of these under another number is played as that record.
constexpr std::uint16_t kKnownFunctions[] = {
    0x001E, 0x0035, 0x0037, 0x00F7, 0x0102, 0x0103, 0x0104, 0x0105, 0x0106, 0x0107, 0x0108, 0x0127,
    0x012A, 0x012B, 0x012C, 0x012D, 0x012E, 0x0139, 0x0142, 0x01F0, 0x01F9, 0x0201, 0x0209, 0x020A,
    0x020B, 0x020C, 0x020D, 0x020E, 0x020F, 0x0211, 0x0213, 0x0214, 0x0220, 0x0228, 0x0231, 0x0234,
    0x0324, 0x0325, 0x0410, 0x0412, 0x0415, 0x0416, 0x0418, 0x0419, 0x041B, 0x041F, 0x0429, 0x0436,
    0x0521, 0x0538, 0x0548, 0x061C, 0x061D, 0x0626, 0x0817, 0x081A, 0x0830, 0x0922, 0x0940, 0x0A32,
    0x0B23, 0x0B41, 0x0D33, 0x0F43, 0x02FA, 0x02FB, 0x02FC, 0x06FF, 0x012C};

bool knownExactly(std::uint16_t function) {
    return std::find(std::begin(kKnownFunctions), std::end(kKnownFunctions), function) !=
           std::end(kKnownFunctions);
}

// Whether libwmf would take the record for another one than its number says.
bool aliased(std::uint16_t function) {
    for (const std::uint16_t known : kKnownFunctions)
        if ((known & 0xFF) == (function & 0xFF)) return known != function && !knownExactly(function);
    return false;
}

}  // namespace

std::optional<FileLayout> checkFile(const QByteArray& data) {
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
    const std::uint32_t largest = in.u32(pos + 12);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        return std::nullopt;
    // libwmf allocates by these two numbers before reading a record, so they
    // must fit the file: every object needs a record of at least six bytes.
    if (objects > kMaxObjects || qint64(objects) * 6 > in.size() - pos) return std::nullopt;
    if (largest < 3 || qint64(largest) * 2 > in.size() - pos - 18) return std::nullopt;
    pos += 18;

    ObjectTable table(objects);

    for (qint64 records = 0;; ++records) {
        if (!in.has(pos, 6) || records > kMaxRecords) return std::nullopt;
        const std::uint32_t words = in.u32(pos);
        const std::uint16_t function = in.u16(pos + 4);
        if (words < 3 || words > largest || !in.has(pos, qint64(words) * 2)) return std::nullopt;
        // libwmf ends only on a bare EOF record and plays on past any other
        // record of function 0.
        if (function == 0x0000) {
            if (words != 3) return std::nullopt;
            layout.length = pos + 6;
            return layout;
        }

        if (aliased(function)) return std::nullopt;
        const qint64 params = pos + 6;
        const qint64 paramBytes = qint64(words) * 2 - 6;
        auto needs = [&](qint64 bytes) { return bytes <= paramBytes; };
        bool fits = true;
        switch (function) {
            case 0x0521:  // TextOut
            case 0x0A32:  // ExtTextOut
                fits = table.usable(ObjectTable::Font);
                break;
            case 0x0213:  // LineTo
            case 0x0817:  // Arc
            case 0x0830:  // Chord
            case 0x0418:  // Ellipse
            case 0x081A:  // Pie
            case 0x0324:  // Polygon
            case 0x0325:  // Polyline
            case 0x0538:  // PolyPolygon
            case 0x041B:  // Rectangle
            case 0x061C:  // RoundRect
            case 0x061D:  // PatBlt
            case 0x0419:  // FloodFill
            case 0x0548:  // ExtFloodFill
            case 0x0228:  // FillRegion
            case 0x0429:  // FrameRegion
            case 0x012B:  // PaintRegion
            case 0x0940:  // DibBitBlt
            case 0x0B41:  // DibStretchBlt
            case 0x0F43:  // StretchDib
                fits = table.usable(ObjectTable::Pen) && table.usable(ObjectTable::Brush);
                break;
            default:
                break;
        }
        if (!fits) return std::nullopt;

        switch (function) {
            case 0x0324:  // Polygon
            case 0x0325:  // Polyline
                fits = needs(2) && needs(2 + 4 * qint64(in.u16(params)));
                break;
            case 0x0538: {  // PolyPolygon
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
            case 0x0521:  // TextOut
                fits = needs(2) && needs(2 + ((qint64(in.u16(params)) + 1) & ~1) + 4);
                break;
            case 0x0A32: {  // ExtTextOut
                fits = needs(8);
                if (!fits) break;
                const qint64 count = in.u16(params + 4);
                const std::uint16_t options = in.u16(params + 6);
                const qint64 rect = (options & (kEtoOpaque | kEtoClipped)) ? 8 : 0;
                fits = needs(8 + rect + count);
                break;
            }
            case 0x012D:  // SelectObject
                fits = needs(2) && table.select(in.u16(params));
                break;
            case 0x012C:  // SelectClipRegion
                fits = needs(2) && table.holdsKind(in.u16(params), ObjectTable::Region);
                break;
            case 0x0234:  // SelectPalette
                fits = needs(2) && table.holdsKind(in.u16(params), ObjectTable::Palette);
                break;
            case 0x001E:  // SaveDC
                table.save();
                break;
            case 0x0127:  // RestoreDC
                fits = table.restore();
                break;
            case 0x01F0:  // DeleteObject
                fits = needs(2) && table.remove(in.u16(params));
                break;
            case 0x02FA:  // CreatePenIndirect
                fits = table.create(ObjectTable::Pen);
                break;
            case 0x02FC:  // CreateBrushIndirect
            case 0x01F9:  // CreatePatternBrush
            case 0x0142:  // DibCreatePatternBrush
                fits = table.create(ObjectTable::Brush);
                break;
            case 0x00F7:  // CreatePalette
                fits = table.create(ObjectTable::Palette);
                break;
            case 0x06FF:  // CreateRegion
                fits = table.create(ObjectTable::Region);
                break;
            case 0x02FB: {  // CreateFontIndirect
                fits = needs(18) && table.create(ObjectTable::Font);
                if (!fits) break;
                RawFont font;
                font.height = in.s16(params);
                font.width = in.s16(params + 2);
                font.escapement = in.s16(params + 4);
                if (std::abs(font.width) > kMaxFontStretch * std::max(std::abs(font.height), 1)) {
                    fits = false;
                    break;
                }
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

// Turns a packed DIB (info header, colour table, bits) into an image by
// putting a BMP file header in front of it.
QImage imageFromDib(const unsigned char* dib, long length) {
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
        if (compression == 3 && headerSize == 40) masks = 12;  // BI_BITFIELDS
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

}  // namespace wmf::detail
