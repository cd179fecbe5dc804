// mkwheel: writes the pictures of the points wheel as Windows metafiles.
//
//   mkwheel <output folder>
//
// GRAD0.WMF ... GRAD9.WMF show the whole wheel; picture k is turned so that
// segment k sits at the stop mark, which is to the right of the wheel at the
// height of its centre (the 3 o'clock direction).  Segment k+1 lies one step
// counter-clockwise from segment k, so showing the pictures 0, 1, 2, ... in
// turn makes the wheel spin clockwise past the stop mark.
// STOPMARKE.WMF is the marker itself: a triangle pointing left at the wheel.
//
// The files are placeable metafiles (Aldus header + standard metafile) made
// of plain GDI records only, so every metafile viewer can show them.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Metafile writer

struct Rgb {
    std::uint8_t r, g, b;
    std::uint32_t colorref() const { return r | (g << 8) | (std::uint32_t(b) << 16); }
};

struct Pt {
    int x, y;
};

// GDI constants used below.
constexpr std::uint16_t kMmAnisotropic = 8;
constexpr std::uint16_t kTransparent = 1;
constexpr std::uint16_t kWinding = 2;
constexpr std::uint16_t kPsSolid = 0;
constexpr std::uint16_t kPsNull = 5;
constexpr std::uint16_t kBsSolid = 0;
constexpr std::uint16_t kBsNull = 1;
constexpr std::uint16_t kTaCenter = 6;
constexpr std::uint16_t kTaBaseline = 24;

// Record function numbers.
enum : std::uint16_t {
    kEof = 0x0000,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDeleteObject = 0x01F0,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kEllipse = 0x0418,
    kTextOut = 0x0521,
    kPie = 0x081A,
};

class Metafile {
public:
    // The picture covers logical units (0,0)-(width,height); unitsPerInch
    // gives its natural size.
    Metafile(int width, int height, int unitsPerInch) : width_(width), height_(height), inch_(unitsPerInch) {}

    void setMapMode(std::uint16_t mode) { record(kSetMapMode, {mode}); }
    void setWindowOrg(int x, int y) { record(kSetWindowOrg, {w(y), w(x)}); }
    void setWindowExt(int x, int y) { record(kSetWindowExt, {w(y), w(x)}); }
    void setBkMode(std::uint16_t mode) { record(kSetBkMode, {mode}); }
    void setPolyFillMode(std::uint16_t mode) { record(kSetPolyFillMode, {mode}); }
    void setTextAlign(std::uint16_t align) { record(kSetTextAlign, {align}); }
    void setTextColor(Rgb c) { record(kSetTextColor, {lo(c.colorref()), hi(c.colorref())}); }

    int createPen(std::uint16_t style, int width, Rgb c) {
        record(kCreatePenIndirect, {style, w(width), 0, lo(c.colorref()), hi(c.colorref())});
        return allocate();
    }
    int createBrush(std::uint16_t style, Rgb c) {
        record(kCreateBrushIndirect, {style, lo(c.colorref()), hi(c.colorref()), 0});
        return allocate();
    }
    // height < 0: character (em) height; escapement in tenths of a degree,
    // counter-clockwise.
    int createFont(int height, int escapement, int weight, std::string_view face) {
        std::vector<std::uint8_t> bytes;
        auto put16 = [&](int v) {
            bytes.push_back(std::uint8_t(v & 0xFF));
            bytes.push_back(std::uint8_t((v >> 8) & 0xFF));
        };
        put16(height);
        put16(0);  // width: default aspect
        put16(escapement);
        put16(escapement);  // orientation follows the escapement
        put16(weight);
        bytes.push_back(0);     // italic
        bytes.push_back(0);     // underline
        bytes.push_back(0);     // strike out
        bytes.push_back(0);     // ANSI_CHARSET
        bytes.push_back(0);     // OUT_DEFAULT_PRECIS
        bytes.push_back(0);     // CLIP_DEFAULT_PRECIS
        bytes.push_back(4);     // ANTIALIASED_QUALITY
        bytes.push_back(0x22);  // VARIABLE_PITCH | FF_SWISS
        std::array<char, 32> name{};
        face.copy(name.data(), name.size() - 1);
        bytes.insert(bytes.end(), name.begin(), name.end());
        record(kCreateFontIndirect, packBytes(bytes));
        return allocate();
    }

    void select(int object) { record(kSelectObject, {w(object)}); }
    void remove(int object) {
        record(kDeleteObject, {w(object)});
        slots_.at(object) = false;
    }

    void ellipse(int left, int top, int right, int bottom) {
        record(kEllipse, {w(bottom), w(right), w(top), w(left)});
    }
    // Pie of the ellipse in the box, counter-clockwise from the ray through
    // r1 to the ray through r2.
    void pie(int left, int top, int right, int bottom, Pt r1, Pt r2) {
        record(kPie, {w(r2.y), w(r2.x), w(r1.y), w(r1.x), w(bottom), w(right), w(top), w(left)});
    }
    void polygon(const std::vector<Pt>& points) {
        std::vector<std::uint16_t> params{w(int(points.size()))};
        for (const Pt& p : points) {
            params.push_back(w(p.x));
            params.push_back(w(p.y));
        }
        record(kPolygon, params);
    }
    // text is in the Windows ANSI code page.
    void textOut(int x, int y, std::string_view text) {
        std::vector<std::uint8_t> bytes(text.begin(), text.end());
        std::vector<std::uint16_t> params{w(int(text.size()))};
        for (std::uint16_t v : packBytes(bytes)) params.push_back(v);
        params.push_back(w(y));
        params.push_back(w(x));
        record(kTextOut, params);
    }

    // The whole file: placeable header, metafile header, records, EOF.
    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint16_t> records = body_;
        records.insert(records.end(), {3, 0, kEof});
        std::uint32_t maxRecord = std::max<std::uint32_t>(maxRecord_, 3);

        std::vector<std::uint16_t> words;
        // Placeable header.
        words.insert(words.end(), {0xCDD7, 0x9AC6, 0, 0, 0, w(width_), w(height_), w(inch_), 0, 0});
        std::uint16_t checksum = 0;
        for (std::uint16_t v : words) checksum ^= v;
        words.push_back(checksum);
        // Metafile header: on disk, 9 words of header, Windows 3.0 records.
        const std::uint32_t total = 9 + std::uint32_t(records.size());
        words.insert(words.end(), {1, 9, 0x0300, lo(total), hi(total), w(int(slots_.size())), lo(maxRecord),
                                   hi(maxRecord), 0});
        words.insert(words.end(), records.begin(), records.end());

        std::vector<std::uint8_t> out;
        out.reserve(words.size() * 2);
        for (std::uint16_t v : words) {
            out.push_back(std::uint8_t(v & 0xFF));
            out.push_back(std::uint8_t(v >> 8));
        }
        return out;
    }

private:
    static std::uint16_t w(int v) { return std::uint16_t(std::int16_t(v)); }
    static std::uint16_t lo(std::uint32_t v) { return std::uint16_t(v & 0xFFFF); }
    static std::uint16_t hi(std::uint32_t v) { return std::uint16_t(v >> 16); }

    static std::vector<std::uint16_t> packBytes(std::vector<std::uint8_t> bytes) {
        if (bytes.size() % 2) bytes.push_back(0);
        std::vector<std::uint16_t> words;
        for (std::size_t i = 0; i < bytes.size(); i += 2)
            words.push_back(std::uint16_t(bytes[i] | (bytes[i + 1] << 8)));
        return words;
    }

    void record(std::uint16_t function, const std::vector<std::uint16_t>& params) {
        const std::uint32_t size = 3 + std::uint32_t(params.size());
        body_.push_back(lo(size));
        body_.push_back(hi(size));
        body_.push_back(function);
        body_.insert(body_.end(), params.begin(), params.end());
        maxRecord_ = std::max(maxRecord_, size);
    }
    void record(std::uint16_t function, std::initializer_list<std::uint16_t> params) {
        record(function, std::vector<std::uint16_t>(params));
    }

    // A new object takes the lowest free slot of the object table.
    int allocate() {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            if (!slots_[i]) {
                slots_[i] = true;
                return int(i);
            }
        }
        slots_.push_back(true);
        return int(slots_.size()) - 1;
    }

    int width_, height_, inch_;
    std::vector<std::uint16_t> body_;
    std::vector<bool> slots_;
    std::uint32_t maxRecord_ = 0;
};

// ---------------------------------------------------------------------------
// The wheel

// Logical size of a wheel picture; at 96 dpi it comes out at 185 pixels.
constexpr int kSize = 2000;
constexpr int kCentre = kSize / 2;
constexpr int kInch = kSize * 96 / 185;

constexpr int kRadius = 955;  // pie radius, the rim is drawn over its edge
constexpr int kRimWidth = 44;
constexpr int kHubRadius = 165;
constexpr int kPegRadius = 24;
constexpr double kStep = 36.0;  // degrees per segment

enum class Mark { Number, Skip, Bankrupt, Lucky };

struct Segment {
    Mark mark;
    const char* label;  // Windows ANSI
    Rgb fill;
    Rgb ink;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNavy{26, 35, 94};

// In the order of the value table: 0 (lose the turn), 20, 80, 300 (lucky hit),
// 150, -1 (lose all points), 200, 10, 40, 100.
constexpr std::array<Segment, 10> kSegments{{
    {Mark::Skip, "Aussetzen", {0, 188, 212}, kNavy},
    {Mark::Number, "20", {255, 214, 0}, kNavy},
    {Mark::Number, "80", {67, 160, 71}, kWhite},
    {Mark::Lucky,
     "Gl\xFC"
     "ck!",
     {236, 64, 122},
     kWhite},
    {Mark::Number, "150", {255, 145, 0}, kNavy},
    {Mark::Bankrupt, "alles weg", {84, 110, 122}, kWhite},
    {Mark::Number, "200", {229, 57, 53}, kWhite},
    {Mark::Number, "10", {174, 213, 54}, kNavy},
    {Mark::Number, "40", {30, 136, 229}, kWhite},
    {Mark::Number, "100", {142, 36, 170}, kWhite},
}};

constexpr double kPi = std::numbers::pi;

// Point at distance r from the centre in direction deg (counter-clockwise
// from 3 o'clock, as on a clock face seen from the front).
Pt polar(double r, double deg) {
    const double a = deg * kPi / 180.0;
    return {int(std::lround(kCentre + r * std::cos(a))), int(std::lround(kCentre - r * std::sin(a)))};
}

// Shift p by d along the direction deg.
Pt offset(Pt p, double d, double deg) {
    const double a = deg * kPi / 180.0;
    return {int(std::lround(p.x + d * std::cos(a))), int(std::lround(p.y - d * std::sin(a)))};
}

int escapementFor(double deg) {
    int e = int(std::lround(deg * 10.0)) % 3600;
    return e < 0 ? e + 3600 : e;
}

// Text running outwards along the ray deg, centred at distance r from the
// centre and centred across the ray.
void radialText(Metafile& mf, std::string_view text, double r, double deg, int em, Rgb ink) {
    const int font = mf.createFont(-em, escapementFor(deg), 700, "Arial");
    mf.select(font);
    mf.setTextColor(ink);
    // The reference point is on the baseline; move it half a cap height
    // "down" as seen by the text, i.e. clockwise of the ray.
    const Pt ref = offset(polar(r, deg), 0.36 * em, deg - 90.0);
    mf.textOut(ref.x, ref.y, text);
    mf.remove(font);
}

std::vector<Pt> star(Pt centre, double outer, double inner, double deg) {
    std::vector<Pt> pts;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2) ? inner : outer;
        pts.push_back(offset(centre, r, deg + i * 36.0));
    }
    return pts;
}

void drawLabel(Metafile& mf, const Segment& s, double deg) {
    switch (s.mark) {
        case Mark::Number:
            radialText(mf, s.label, 545, deg, 250, s.ink);
            break;
        case Mark::Skip:
            radialText(mf, s.label, 525, deg, 126, s.ink);
            break;
        case Mark::Bankrupt:
            radialText(mf, s.label, 525, deg, 132, s.ink);
            break;
        case Mark::Lucky: {
            const int pen = mf.createPen(kPsSolid, 14, {230, 81, 0});
            const int brush = mf.createBrush(kBsSolid, {255, 235, 59});
            mf.select(pen);
            mf.select(brush);
            mf.polygon(star(polar(730, deg), 125, 52, deg));
            mf.remove(pen);
            mf.remove(brush);
            radialText(mf, s.label, 405, deg, 132, s.ink);
            break;
        }
    }
}

Metafile wheelPicture(int atStop) {
    Metafile mf(kSize, kSize, kInch);
    mf.setMapMode(kMmAnisotropic);
    mf.setWindowOrg(0, 0);
    mf.setWindowExt(kSize, kSize);
    mf.setBkMode(kTransparent);
    mf.setPolyFillMode(kWinding);
    mf.setTextAlign(kTaCenter | kTaBaseline);

    // Segments, separated by thin white lines.
    const int separator = mf.createPen(kPsSolid, 10, kWhite);
    mf.select(separator);
    for (int j = 0; j < int(kSegments.size()); ++j) {
        const double deg = (j - atStop) * kStep;
        const int brush = mf.createBrush(kBsSolid, kSegments[j].fill);
        mf.select(brush);
        mf.pie(kCentre - kRadius, kCentre - kRadius, kCentre + kRadius, kCentre + kRadius,
               polar(kRadius, deg - kStep / 2), polar(kRadius, deg + kStep / 2));
        mf.remove(brush);
    }
    mf.remove(separator);

    for (int j = 0; j < int(kSegments.size()); ++j) drawLabel(mf, kSegments[j], (j - atStop) * kStep);

    // Rim.
    const int hollow = mf.createBrush(kBsNull, kWhite);
    const int rim = mf.createPen(kPsSolid, kRimWidth, kNavy);
    mf.select(hollow);
    mf.select(rim);
    mf.ellipse(kCentre - kRadius, kCentre - kRadius, kCentre + kRadius, kCentre + kRadius);
    mf.remove(rim);

    // Pegs on the rim at the segment borders.
    const int noPen = mf.createPen(kPsNull, 0, kWhite);
    const int peg = mf.createBrush(kBsSolid, {255, 241, 118});
    mf.select(noPen);
    mf.select(peg);
    for (int j = 0; j < int(kSegments.size()); ++j) {
        const Pt p = polar(kRadius, (j - atStop) * kStep + kStep / 2);
        mf.ellipse(p.x - kPegRadius, p.y - kPegRadius, p.x + kPegRadius, p.y + kPegRadius);
    }
    mf.remove(peg);

    // Hub.
    const int hubPen = mf.createPen(kPsSolid, 24, kNavy);
    const int hub = mf.createBrush(kBsSolid, {255, 202, 40});
    mf.select(hubPen);
    mf.select(hub);
    mf.ellipse(kCentre - kHubRadius, kCentre - kHubRadius, kCentre + kHubRadius, kCentre + kHubRadius);
    mf.remove(hub);
    const int cap = mf.createBrush(kBsSolid, kWhite);
    mf.select(noPen);
    mf.select(cap);
    mf.ellipse(kCentre - 55, kCentre - 55, kCentre + 55, kCentre + 55);
    mf.remove(cap);
    mf.remove(hubPen);
    mf.remove(noPen);
    mf.remove(hollow);
    return mf;
}

// The stop mark: a triangle pointing left, drawn red with an orange inside.
Metafile stopMark() {
    constexpr int kW = 400, kH = 400;
    Metafile mf(kW, kH, kW * 96 / 40);
    mf.setMapMode(kMmAnisotropic);
    mf.setWindowOrg(0, 0);
    mf.setWindowExt(kW, kH);
    mf.setBkMode(kTransparent);

    const int pen = mf.createPen(kPsSolid, 28, {183, 28, 28});
    const int red = mf.createBrush(kBsSolid, {229, 57, 53});
    mf.select(pen);
    mf.select(red);
    mf.polygon({{24, 200}, {380, 24}, {380, 376}});
    mf.remove(red);

    const int noPen = mf.createPen(kPsNull, 0, kWhite);
    const int orange = mf.createBrush(kBsSolid, {255, 145, 0});
    mf.select(noPen);
    mf.select(orange);
    mf.polygon({{130, 200}, {330, 101}, {330, 299}});
    mf.remove(orange);
    mf.remove(noPen);
    mf.remove(pen);
    return mf;
}

bool save(const std::filesystem::path& file, const Metafile& mf) {
    const std::vector<std::uint8_t> data = mf.bytes();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "mkwheel: cannot write %s\n", file.string().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkwheel <output folder>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "mkwheel: cannot create %s\n", dir.string().c_str());
        return 1;
    }
    bool ok = true;
    for (int k = 0; k < int(kSegments.size()); ++k)
        ok = save(dir / ("GRAD" + std::to_string(k) + ".WMF"), wheelPicture(k)) && ok;
    ok = save(dir / "STOPMARKE.WMF", stopMark()) && ok;
    return ok ? 0 : 1;
}
