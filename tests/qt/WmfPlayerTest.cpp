// The metafile player, checked against the generated wheel pictures and
// against small metafiles built here for one drawing feature each.

#include "WmfPlayer.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = new QGuiApplication(argc_, argv_);
    }
    void TearDown() override { delete app_; }

private:
    int argc_ = 1;
    char name_[16] = "wmf_player_test";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication* app_ = nullptr;
};

[[maybe_unused]] const auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QString picture(const QString& name) { return QStringLiteral(WMF_TEST_PICTURES "/") + name; }

bool near(QRgb pixel, QColor want, int tolerance = 4)
{
    return qAlpha(pixel) == 255 && std::abs(qRed(pixel) - want.red()) <= tolerance &&
           std::abs(qGreen(pixel) - want.green()) <= tolerance &&
           std::abs(qBlue(pixel) - want.blue()) <= tolerance;
}

std::string describe(QRgb p)
{
    return "rgba(" + std::to_string(qRed(p)) + "," + std::to_string(qGreen(p)) + "," +
           std::to_string(qBlue(p)) + "," + std::to_string(qAlpha(p)) + ")";
}

// Bounding box of everything not fully transparent.
QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) box |= QRect(x, y, 1, 1);
    return box;
}

// ---------------------------------------------------------------------------
// The wheel pictures

constexpr int kSide = 185;

// Segment colours in value-table order: 0, 20, 80, 300, 150, -1, 200, 10, 40, 100.
const QColor kSegmentColours[10] = {
    {0, 188, 212}, {255, 214, 0}, {67, 160, 71}, {236, 64, 122}, {255, 145, 0},
    {84, 110, 122}, {229, 57, 53}, {174, 213, 54}, {30, 136, 229}, {142, 36, 170}};

QImage wheel(int k, bool* ok)
{
    return wmf::render(picture(QStringLiteral("GRAD%1.WMF").arg(k)), QSize(kSide, kSide), ok);
}

// Point at r pixels from the centre of the wheel, deg counter-clockwise from 3 o'clock.
QPoint onWheel(double r, double deg)
{
    const double a = deg * std::numbers::pi / 180.0;
    return QPoint(int(kSide / 2.0 + r * std::cos(a)), int(kSide / 2.0 - r * std::sin(a)));
}

TEST(WheelPictures, EachPictureHasItsSegmentAtTheStopMarkAndTheNextOneAboveIt)
{
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE("GRAD" + std::to_string(k));
        bool ok = false;
        const QImage image = wheel(k, &ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(image.size(), QSize(kSide, kSide));
        EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);

        // The stop mark is right of the wheel at the height of its centre.
        const QRgb atStop = image.pixel(kSide - 10, kSide / 2);
        EXPECT_TRUE(near(atStop, kSegmentColours[k])) << describe(atStop);

        // The next segment is one step counter-clockwise, so it comes to the
        // stop mark in the next picture and the wheel turns clockwise.
        const QRgb above = image.pixel(onWheel(80, 46));
        EXPECT_TRUE(near(above, kSegmentColours[(k + 1) % 10])) << describe(above);
        const QRgb below = image.pixel(onWheel(80, -26));
        EXPECT_TRUE(near(below, kSegmentColours[(k + 9) % 10])) << describe(below);
    }
}

TEST(WheelPictures, CornersAreTransparentAndTheHubIsFilled)
{
    const QColor hub(255, 202, 40);
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE("GRAD" + std::to_string(k));
        bool ok = false;
        const QImage image = wheel(k, &ok);
        ASSERT_TRUE(ok);
        for (const QPoint corner : {QPoint(0, 0), QPoint(kSide - 1, 0), QPoint(0, kSide - 1),
                                    QPoint(kSide - 1, kSide - 1), QPoint(6, 6)})
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
        for (const double deg : {0.0, 90.0, 200.0, 300.0}) {
            const QRgb p = image.pixel(onWheel(10, deg));
            EXPECT_TRUE(near(p, hub)) << describe(p) << " at " << deg << " degrees";
        }
    }
}

TEST(WheelPictures, StopMarkIsATrianglePointingLeft)
{
    bool ok = false;
    const QImage mark = wmf::render(picture(QStringLiteral("STOPMARKE.WMF")), QSize(60, 60), &ok);
    ASSERT_TRUE(ok);
    // Tip at the left edge, broad base at the right.
    EXPECT_EQ(qAlpha(mark.pixel(4, 30)), 255);
    EXPECT_EQ(qAlpha(mark.pixel(4, 8)), 0);
    EXPECT_EQ(qAlpha(mark.pixel(4, 52)), 0);
    EXPECT_EQ(qAlpha(mark.pixel(54, 8)), 255);
    EXPECT_EQ(qAlpha(mark.pixel(54, 52)), 255);
    const QRgb middle = mark.pixel(40, 30);
    EXPECT_GT(qRed(middle), 200);
    EXPECT_LT(qBlue(middle), 80);
}

// ---------------------------------------------------------------------------
// Small metafiles for single features

constexpr std::uint16_t kNull = 0xFFFF;

struct Rgb {
    int r, g, b;
};

class Builder {
public:
    Builder& window(int x, int y, int w, int h)
    {
        add(0x0103, {8}); // MM_ANISOTROPIC
        add(0x020B, {s(y), s(x)});
        add(0x020C, {s(h), s(w)});
        return *this;
    }
    Builder& pen(int style, int width, Rgb c)
    {
        add(0x02FA, {s(style), s(width), 0, lo(c), hi(c)});
        return select();
    }
    Builder& brush(int style, Rgb c)
    {
        add(0x02FC, {s(style), lo(c), hi(c), 0});
        return select();
    }
    Builder& font(int height, int escapement)
    {
        std::vector<std::uint16_t> p{s(height), 0, s(escapement), s(escapement), 400, 0, 0, 0, 0};
        const char face[32] = "Arial";
        for (int i = 0; i < 32; i += 2) p.push_back(std::uint16_t(face[i] | (face[i + 1] << 8)));
        add(0x02FB, p);
        return select();
    }
    Builder& textAlign(int align) { return add(0x012E, {s(align)}); }
    Builder& textColor(Rgb c) { return add(0x0209, {lo(c), hi(c)}); }
    Builder& transparentText() { return add(0x0102, {1}); }
    Builder& text(int x, int y, const std::string& str)
    {
        std::vector<std::uint16_t> p{s(int(str.size()))};
        for (std::size_t i = 0; i < str.size(); i += 2)
            p.push_back(std::uint16_t(std::uint8_t(str[i]) |
                                      ((i + 1 < str.size() ? std::uint8_t(str[i + 1]) : 0) << 8)));
        p.push_back(s(y));
        p.push_back(s(x));
        return add(0x0521, p);
    }
    Builder& ellipse(int l, int t, int r, int b) { return add(0x0418, {s(b), s(r), s(t), s(l)}); }
    Builder& rectangle(int l, int t, int r, int b) { return add(0x041B, {s(b), s(r), s(t), s(l)}); }
    Builder& pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
    {
        return add(0x081A, {s(y2), s(x2), s(y1), s(x1), s(b), s(r), s(t), s(l)});
    }
    Builder& polygon(const std::vector<int>& xy, int claimedCount = -1)
    {
        std::vector<std::uint16_t> p{s(claimedCount >= 0 ? claimedCount : int(xy.size() / 2))};
        for (int v : xy) p.push_back(s(v));
        return add(0x0324, p);
    }
    // A 24-bit DIB, one row, stretched onto the destination rectangle.
    Builder& stretchDib(const std::vector<Rgb>& row, int x, int y, int w, int h)
    {
        const int width = int(row.size());
        std::vector<std::uint8_t> dib;
        auto put = [&](std::uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i) dib.push_back(std::uint8_t(v >> (8 * i)));
        };
        const int stride = (width * 3 + 3) & ~3;
        put(40, 4), put(width, 4), put(1, 4), put(1, 2), put(24, 2), put(0, 4), put(stride, 4);
        put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
        for (const Rgb& c : row) put(std::uint32_t(c.b | (c.g << 8) | (c.r << 16)), 3);
        dib.resize(40 + stride, 0);
        std::vector<std::uint16_t> p{0x0020, 0x00CC, 0, 1, s(width), 0, 0, s(h), s(w), s(y), s(x)};
        for (std::size_t i = 0; i < dib.size(); i += 2) p.push_back(std::uint16_t(dib[i] | (dib[i + 1] << 8)));
        return add(0x0F43, p);
    }

    Builder& record(std::uint16_t function, const std::vector<std::uint16_t>& params)
    {
        return add(function, params);
    }

    // Placeable metafile with the given bounding box.
    QByteArray bytes(int left, int top, int right, int bottom) const
    {
        std::vector<std::uint16_t> w{0xCDD7, 0x9AC6, 0, s(left), s(top), s(right), s(bottom), 1440, 0, 0};
        std::uint16_t sum = 0;
        for (auto v : w) sum ^= v;
        w.push_back(sum);
        std::vector<std::uint16_t> body = records_;
        body.insert(body.end(), {3, 0, 0});
        const std::uint32_t size = 9 + std::uint32_t(body.size());
        w.insert(w.end(), {1, 9, 0x0300, std::uint16_t(size & 0xFFFF), std::uint16_t(size >> 16),
                           s(objects_), std::uint16_t(maxRecord_), 0, 0});
        w.insert(w.end(), body.begin(), body.end());
        QByteArray out;
        for (auto v : w) out.append(char(v & 0xFF)).append(char(v >> 8));
        return out;
    }

private:
    static std::uint16_t s(int v) { return std::uint16_t(std::int16_t(v)); }
    static std::uint32_t ref(Rgb c) { return std::uint32_t(c.r | (c.g << 8) | (c.b << 16)); }
    static std::uint16_t lo(Rgb c) { return std::uint16_t(ref(c) & 0xFFFF); }
    static std::uint16_t hi(Rgb c) { return std::uint16_t(ref(c) >> 16); }

    Builder& add(std::uint16_t function, const std::vector<std::uint16_t>& params)
    {
        const std::uint32_t size = 3 + std::uint32_t(params.size());
        records_.insert(records_.end(), {std::uint16_t(size & 0xFFFF), std::uint16_t(size >> 16), function});
        records_.insert(records_.end(), params.begin(), params.end());
        maxRecord_ = std::max(maxRecord_, size);
        return *this;
    }
    Builder& select() { return add(0x012D, {s(objects_++)}); }

    std::vector<std::uint16_t> records_;
    int objects_ = 0;
    std::uint32_t maxRecord_ = 3;
};

constexpr Rgb kRed{220, 20, 30};
constexpr Rgb kBlue{20, 40, 220};

class Drawing : public ::testing::Test {
protected:
    QImage render(const QByteArray& data, QSize size, bool* ok = nullptr)
    {
        const QString path = dir_.filePath(QStringLiteral("t%1.wmf").arg(count_++));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) return {};
        file.close();
        return wmf::render(path, size, ok);
    }
    QTemporaryDir dir_;
    int count_ = 0;
};

TEST_F(Drawing, EllipsesAreFilledAndOutlinedAsTheDcSays)
{
    bool ok = false;
    const QImage filled = render(Builder().window(0, 0, 100, 100).pen(5, 0, kRed).brush(0, kRed)
                                     .ellipse(10, 10, 90, 90).bytes(0, 0, 100, 100),
                                 QSize(100, 100), &ok);
    ASSERT_TRUE(ok);
    for (const QPoint p : {QPoint(50, 50), QPoint(50, 13), QPoint(20, 50), QPoint(70, 80)})
        EXPECT_TRUE(near(filled.pixel(p), QColor(220, 20, 30))) << describe(filled.pixel(p));
    for (const QPoint p : {QPoint(0, 0), QPoint(12, 12), QPoint(99, 99), QPoint(50, 95)})
        EXPECT_EQ(qAlpha(filled.pixel(p)), 0);

    // Null brush: only the pen's ring is drawn.
    const QImage ring = render(Builder().window(0, 0, 100, 100).pen(0, 6, kBlue).brush(1, kRed)
                                   .ellipse(10, 10, 90, 90).bytes(0, 0, 100, 100),
                               QSize(100, 100), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(qAlpha(ring.pixel(50, 50)), 0);
    EXPECT_TRUE(near(ring.pixel(50, 10), QColor(20, 40, 220))) << describe(ring.pixel(50, 10));
    EXPECT_TRUE(near(ring.pixel(90, 50), QColor(20, 40, 220))) << describe(ring.pixel(90, 50));
}

TEST_F(Drawing, PieRunsCounterClockwiseAndItsEdgesEndOnTheEllipse)
{
    // Radial points far outside the ellipse: only their direction counts.
    const auto quarter = Builder().window(0, 0, 100, 100).pen(5, 0, kRed).brush(0, kRed)
                             .pie(0, 0, 100, 100, 400, 50, 50, -300).bytes(0, 0, 100, 100);
    bool ok = false;
    const QImage q = render(quarter, QSize(100, 100), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(qAlpha(q.pixel(75, 25)), 255); // upper right: from east round to north
    EXPECT_EQ(qAlpha(q.pixel(53, 47)), 255); // reaches the centre
    EXPECT_EQ(qAlpha(q.pixel(25, 25)), 0);
    EXPECT_EQ(qAlpha(q.pixel(75, 75)), 0);
    EXPECT_EQ(qAlpha(q.pixel(97, 3)), 0);    // outside the ellipse

    // The same rays the other way round give the other three quarters.
    const QImage rest = render(Builder().window(0, 0, 100, 100).pen(5, 0, kRed).brush(0, kRed)
                                   .pie(0, 0, 100, 100, 50, -300, 400, 50).bytes(0, 0, 100, 100),
                               QSize(100, 100), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(qAlpha(rest.pixel(75, 25)), 0);
    EXPECT_EQ(qAlpha(rest.pixel(25, 25)), 255);
    EXPECT_EQ(qAlpha(rest.pixel(25, 75)), 255);
    EXPECT_EQ(qAlpha(rest.pixel(75, 75)), 255);
}

TEST_F(Drawing, PlaceableBoundingBoxIsStretchedOntoTheImage)
{
    // Window and bounding box start away from the origin; the image is not
    // in the picture's proportions.
    const auto data = Builder().window(100, 50, 200, 100).pen(5, 0, kRed).brush(0, kBlue)
                          .rectangle(100, 50, 200, 100).bytes(100, 50, 300, 150);
    bool ok = false;
    const QImage image = render(data, QSize(40, 80), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(image.size(), QSize(40, 80));
    EXPECT_EQ(inkBox(image), QRect(0, 0, 20, 40));
}

TEST_F(Drawing, TextIsAlignedOnItsReferencePoint)
{
    auto ink = [&](int align, int height = -40) {
        const auto data = Builder().window(0, 0, 200, 100).font(height, 0).textColor({0, 0, 0})
                              .transparentText().textAlign(align).text(100, 50, "HHH")
                              .bytes(0, 0, 200, 100);
        bool ok = false;
        const QImage image = render(data, QSize(200, 100), &ok);
        EXPECT_TRUE(ok);
        return inkBox(image);
    };
    constexpr int kBaseline = 24, kCentre = 6, kRight = 2, kBottom = 8;

    const QRect left = ink(kBaseline);
    EXPECT_GE(left.left(), 100);
    EXPECT_GT(left.right(), 140);
    EXPECT_LE(left.bottom(), 50);
    const int capHeight = left.height();
    EXPECT_NEAR(capHeight, 29, 3); // Arial's capitals are 0.72 em high

    const QRect right = ink(kRight | kBaseline);
    EXPECT_LE(right.right(), 100);
    EXPECT_LT(right.left(), 60);

    const QRect centred = ink(kCentre | kBaseline);
    EXPECT_NEAR(100 - centred.left(), centred.right() + 1 - 100, 3);

    const QRect top = ink(0);
    EXPECT_GE(top.top(), 50);
    EXPECT_LE(top.top(), 58); // just the ascender's room above the capitals

    const QRect bottom = ink(kBottom);
    EXPECT_LE(bottom.bottom(), 50 - 5); // the descender's room stays free

    // A positive height is the cell height, so the letters come out smaller.
    const double ratio = double(ink(kBaseline, 40).height()) / capHeight;
    EXPECT_GT(ratio, 0.8);
    EXPECT_LT(ratio, 0.95);
}

TEST_F(Drawing, EscapementTurnsTheText)
{
    const auto data = Builder().window(0, 0, 200, 200).font(-40, 900).textColor({0, 0, 0})
                          .transparentText().textAlign(24).text(100, 180, "HHH").bytes(0, 0, 200, 200);
    bool ok = false;
    const QRect box = inkBox(render(data, QSize(200, 200), &ok));
    ASSERT_TRUE(ok);
    // Written upwards from the reference point, letters standing to its left.
    EXPECT_GT(box.height(), 2 * box.width());
    EXPECT_LE(box.bottom(), 180);
    EXPECT_LT(box.top(), 140);
    EXPECT_LE(box.right(), 100);
    EXPECT_GE(box.left(), 65);
}

TEST_F(Drawing, DeviceIndependentBitmapsAreDrawn)
{
    const auto data = Builder().window(0, 0, 100, 50).stretchDib({kRed, kBlue}, 0, 0, 100, 50)
                          .bytes(0, 0, 100, 50);
    bool ok = false;
    const QImage image = render(data, QSize(100, 50), &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(near(image.pixel(10, 25), QColor(220, 20, 30), 8)) << describe(image.pixel(10, 25));
    EXPECT_TRUE(near(image.pixel(90, 25), QColor(20, 40, 220), 8)) << describe(image.pixel(90, 25));
}

TEST_F(Drawing, BrokenFilesGiveANullImage)
{
    QFile good(picture(QStringLiteral("GRAD0.WMF")));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray wheelData = good.readAll();
    ASSERT_GT(wheelData.size(), 200);

    QByteArray badChecksum = wheelData;
    badChecksum[20] = char(badChecksum[20] ^ 0x5A);
    QByteArray recordTooLong = wheelData;
    recordTooLong[22 + 18] = char(0xFF); // size of the first record
    recordTooLong[22 + 19] = char(0x7F);
    QByteArray noEof = wheelData;
    noEof.chop(6);

    const struct {
        const char* what;
        QByteArray data;
    } cases[] = {
        {"empty file", QByteArray()},
        {"text", QByteArray("Das ist kein Bild, sondern nur ein Satz.\n")},
        {"zeros", QByteArray(4000, '\0')},
        {"truncated", wheelData.left(wheelData.size() / 2)},
        {"header only", wheelData.left(40)},
        {"bad checksum", badChecksum},
        {"record running past the end", recordTooLong},
        {"no EOF record", noEof},
        {"polygon claims more points than it has",
         Builder().window(0, 0, 10, 10).polygon({1, 1, 9, 1, 5, 9}, 3000).bytes(0, 0, 10, 10)},
        {"selecting an empty object slot",
         Builder().window(0, 0, 10, 10).record(0x012D, {3}).ellipse(1, 1, 9, 9).bytes(0, 0, 10, 10)},
        // The selected font is deleted and a pen takes its slot: the text
        // would be written with the pen taken for a font.
        {"text with a font slot now holding a pen",
         Builder().window(0, 0, 10, 10).font(-5, 0).record(0x01F0, {0})
             .record(0x02FA, {0, 1, 0, 0x1234, 0x0056}).text(1, 5, "Hallo").bytes(0, 0, 10, 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bool ok = true;
        const QImage image = render(c.data, QSize(50, 50), &ok);
        EXPECT_FALSE(ok);
        EXPECT_TRUE(image.isNull());
    }

    // The untouched data does render, so the failures above are the damage.
    bool ok = false;
    EXPECT_FALSE(render(wheelData, QSize(50, 50), &ok).isNull());
    EXPECT_TRUE(ok);
}

TEST(Render, MissingFileOrEmptySizeGiveANullImage)
{
    bool ok = true;
    EXPECT_TRUE(wmf::render(picture(QStringLiteral("GIBTESNICHT.WMF")), QSize(50, 50), &ok).isNull());
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_TRUE(wmf::render(picture(QStringLiteral("GRAD0.WMF")), QSize(0, 50), &ok).isNull());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(wmf::render(QString(), QSize(50, 50)).isNull()); // ok may be left out
}

} // namespace
