// The metafile player, checked against the generated wheel pictures and
// against a few broken files.
#include "WmfPlayer.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

// Text is only drawn with a QGuiApplication, as in the game.
struct QtEnvironment : ::testing::Environment {
    int argc = 1;
    char name[16] = "wmf_player_test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
};

[[maybe_unused]] const auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QString picture(const QString& name) { return QStringLiteral(WMF_TEST_PICTURES "/") + name; }

::testing::AssertionResult opaqueNear(QRgb p, QColor want) {
    if (qAlpha(p) == 255 && std::abs(qRed(p) - want.red()) <= 4 && std::abs(qGreen(p) - want.green()) <= 4 &&
        std::abs(qBlue(p) - want.blue()) <= 4)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "rgba(" << qRed(p) << "," << qGreen(p) << "," << qBlue(p) << "," << qAlpha(p) << ")";
}

constexpr int kSide = 185;

// Point at r pixels from the centre of the wheel, deg counter-clockwise from 3 o'clock.
QPoint onWheel(double r, double deg) {
    const double a = deg * std::numbers::pi / 180.0;
    return QPoint(int(kSide / 2.0 + r * std::cos(a)), int(kSide / 2.0 - r * std::sin(a)));
}

TEST(WheelPictures, EachPictureHasItsSegmentAtTheStopMarkTransparentCornersAndAFilledHub) {
    QImage images[10];
    for (int k = 0; k < 10; ++k) {
        bool ok = false;
        images[k] = wmf::render(picture(QStringLiteral("GRAD%1.WMF").arg(k)), QSize(kSide, kSide), &ok);
        ASSERT_TRUE(ok) << k;
        ASSERT_EQ(images[k].size(), QSize(kSide, kSide)) << k;
    }
    auto atMark = [&](int k) { return QColor(images[k].pixel(kSide - 10, kSide / 2)); };
    const QColor hub(images[0].pixel(onWheel(10, 0)));
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE("GRAD" + std::to_string(k));
        const QImage& image = images[k];
        // The stop mark is at 3 o'clock and each picture shows a segment of its
        // own there. The next picture's segment lies one step counter-clockwise,
        // so the wheel turns clockwise from picture to picture.
        EXPECT_TRUE(opaqueNear(image.pixel(kSide - 10, kSide / 2), atMark(k)));
        for (int other = 0; other < k; ++other) EXPECT_NE(atMark(k), atMark(other)) << other;
        EXPECT_TRUE(opaqueNear(image.pixel(onWheel(80, 46)), atMark((k + 1) % 10)));
        EXPECT_TRUE(opaqueNear(image.pixel(onWheel(80, -26)), atMark((k + 9) % 10)));
        for (const QPoint corner : {QPoint(0, 0), QPoint(kSide - 1, 0), QPoint(0, kSide - 1),
                                    QPoint(kSide - 1, kSide - 1), QPoint(6, 6)})
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
        for (const double deg : {0.0, 90.0, 200.0, 300.0}) {
            EXPECT_TRUE(opaqueNear(image.pixel(onWheel(10, deg)), hub)) << "hub at " << deg;
            EXPECT_NE(hub, atMark(k)) << "the hub stands out from the segments";
        }
    }
}

TEST(WheelPictures, StopMarkIsATrianglePointingLeft) {
    bool ok = false;
    const QImage mark = wmf::render(picture(QStringLiteral("STOPMARKE.WMF")), QSize(60, 60), &ok);
    ASSERT_TRUE(ok);
    // Tip at the left edge, broad base at the right.
    for (const QPoint inside : {QPoint(4, 30), QPoint(54, 8), QPoint(54, 52)})
        EXPECT_EQ(qAlpha(mark.pixel(inside)), 255);
    for (const QPoint outside : {QPoint(4, 8), QPoint(4, 52)}) EXPECT_EQ(qAlpha(mark.pixel(outside)), 0);
}

// A placeable metafile of 10 x 10 units around the records, each {function, parameters...}.
QByteArray metafile(std::uint16_t objects, const std::vector<std::vector<std::uint16_t>>& records) {
    std::vector<std::uint16_t> w{0xCDD7, 0x9AC6, 0, 0, 0, 10, 10, 1440, 0, 0};
    std::uint16_t sum = 0;
    for (auto v : w) sum ^= v;
    w.push_back(sum);
    std::vector<std::uint16_t> body;
    std::uint16_t largest = 0;
    auto add = [&](const std::vector<std::uint16_t>& r) {
        const auto size = std::uint16_t(r.size() + 2);
        body.insert(body.end(), {size, 0});
        body.insert(body.end(), r.begin(), r.end());
        largest = std::max(largest, size);
    };
    for (const auto& r : {std::vector<std::uint16_t>{0x0103, 8}, {0x020B, 0, 0}, {0x020C, 10, 10}})
        add(r);  // window
    for (const auto& r : records) add(r);
    add({0});  // end of file
    const auto size = std::uint32_t(9 + body.size());
    w.insert(w.end(), {1, 9, 0x0300, std::uint16_t(size), std::uint16_t(size >> 16), objects, largest, 0, 0});
    w.insert(w.end(), body.begin(), body.end());
    QByteArray out;
    for (auto v : w) out.append(char(v & 0xFF)).append(char(v >> 8));
    return out;
}

// A CreateFontIndirect record for a face, height in logical units (negative:
// the em height).
std::vector<std::uint16_t> fontRecord(const char* face, std::int16_t height) {
    std::vector<std::uint16_t> r{0x02FB, std::uint16_t(height), 0, 0, 0, 400, 0, 0, 0, 0};
    char name[32] = {};
    std::strncpy(name, face, sizeof name - 1);
    for (std::size_t i = 0; i < sizeof name; i += 2)
        r.push_back(std::uint16_t(std::uint8_t(name[i]) | (std::uint8_t(name[i + 1]) << 8)));
    return r;
}

QImage renderBytes(const QByteArray& data, const QSize& size, bool* ok = nullptr) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("bild.wmf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) return {};
    file.close();
    return wmf::render(file.fileName(), size, ok);
}

TEST(Render, MissingOrBrokenFilesGiveANullImage) {
    bool ok = true;
    EXPECT_TRUE(wmf::render(picture(QStringLiteral("GIBTESNICHT.WMF")), QSize(50, 50), &ok).isNull());
    EXPECT_FALSE(ok);

    QFile wheelFile(picture(QStringLiteral("GRAD0.WMF")));
    ASSERT_TRUE(wheelFile.open(QIODevice::ReadOnly));
    const QByteArray wheel = wheelFile.readAll();
    QByteArray badChecksum = wheel;
    badChecksum[20] = char(badChecksum[20] ^ 0x5A);
    const std::vector<std::uint16_t> ellipse{0x0418, 9, 9, 1, 1}, selectFirst{0x012D, 0};
    const std::vector<std::uint16_t> font = fontRecord("Arial", -5);
    const std::vector<std::uint16_t> text{0x0521, 5, 0x6148, 0x6C6C, 0x6F, 5, 1};  // "Hallo" at (1, 5)
    const std::vector<std::uint16_t> pen{0x02FA, 0, 1, 0, 0x1234, 0x0056};
    std::vector<std::uint16_t> wideFont = font, fontUnter0x08FB = font;
    wideFont[2] = 30000;
    fontUnter0x08FB[0] = 0x08FB;
    // The header's largest record (in words) set to another number.
    auto withLargest = [](QByteArray file, std::uint32_t words) {
        for (int i = 0; i < 4; ++i) file[22 + 12 + i] = char((words >> (8 * i)) & 0xFF);
        return file;
    };
    const struct {
        const char* what;
        QByteArray data;
        bool ok;
    } cases[] = {
        {"the wheel", wheel, true},
        {"truncated", wheel.left(wheel.size() / 2), false},
        {"bad checksum", badChecksum, false},
        {"an ellipse", metafile(0, {ellipse}), true},
        {"selecting an empty object slot", metafile(0, {{0x012D, 3}, ellipse}), false},
        {"text", metafile(1, {font, selectFirst, text}), true},
        // The selected font is deleted and a pen takes its slot: the text
        // would be written with the pen taken for a font.
        {"text with the font's slot now holding a pen",
         metafile(1, {font, selectFirst, {0x01F0, 0}, pen, text}), false},
        // A new font, brush or pen is drawn with from its creation on, selected
        // or not: the same holds for it once it is deleted and its slot reused.
        {"text with a font that was only created", metafile(1, {font, text}), true},
        {"text with the slot of a font never selected now holding a pen",
         metafile(1, {font, {0x01F0, 0}, pen, text}), false},
        {"an ellipse with the slot of a brush never selected now holding a dashed pen",
         metafile(
             1, {{0x02FC, 0, 0x1234, 0x0056, 0}, {0x01F0, 0}, {0x02FA, 3, 1234, 0, 0xFFFF, 0x00FF}, ellipse}),
         false},
        // RestoreDC brings back the objects of the last SaveDC, one level
        // whatever its parameter says, even from slots given away since.
        {"text after RestoreDC brought back a font whose slot now holds a pen",
         metafile(2, {font, {0x001E}, font, {0x01F0, 0}, pen, {0x0127, 0xFFFF}, text}), false},
        {"RestoreDC of two levels going back only one",
         metafile(3, {font, {0x001E}, font, {0x001E}, font, {0x01F0, 0}, pen, {0x0127, 0xFFFE}, text}), true},
        {"RestoreDC without a saved DC", metafile(0, {{0x0127, 0xFFFF}, ellipse}), false},
        // A clip-region selection does not change the DC's font: the first
        // font stays selected, and its slot goes to a pen.
        {"clip region selection naming a font",
         metafile(3, {font, selectFirst, font, {0x012C, 1}, {0x01F0, 0}, pen, text}), false},
        // Deleting a font frees its face name, which the DC still points to.
        {"text after the selected font was deleted", metafile(1, {font, selectFirst, {0x01F0, 0}, text}),
         false},
        // libwmf reads 0x08FB as CreateFontIndirect: a second font the check would not see.
        {"a font record under another number", metafile(2, {font, selectFirst, fontUnter0x08FB, text}),
         false},
        {"palette selection naming a pen", metafile(1, {pen, {0x0234, 0}, ellipse}), false},
        // A freed slot is the lowest free one and is taken again first.
        {"a font created into a freed lower slot",
         metafile(3, {font, pen, {0x01F0, 0}, font, selectFirst, text}), true},
        {"a record of function 0 that is no bare end",
         metafile(2, {font, selectFirst, {0, 0, 0, 0}, {0x01F0, 0}, pen, text}), false},
        {"bytes after the end", wheel + QByteArray(64, '\x41'), true},
        {"a font thousands of times wider than high", metafile(1, {wideFont, selectFirst, text}), false},
        {"more objects than the file could hold", metafile(1000, {ellipse}), false},
        {"a largest record beyond the file", withLargest(metafile(0, {ellipse}), 0x50000000), false},
        {"a record larger than the largest", withLargest(metafile(0, {ellipse}), 4), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ok = !c.ok;
        EXPECT_EQ(renderBytes(c.data, QSize(50, 50), &ok).isNull(), !c.ok);
        EXPECT_EQ(ok, c.ok);
    }
}

int inkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0;
    return inked;
}

// QPen refuses widths from 32768 units on and keeps its old one. Without a
// placeable header the picture is the records' extent, which a pen of 65535
// units widens so far that the ellipse of 8 units is a dot: only the pen's
// own width makes it show, as a disc.
TEST(Render, APenTooWideForQPenKeepsItsWidth) {
    const QByteArray ohneRahmen =
        metafile(1, {{0x02FA, 0, 65535, 0, 0, 0}, {0x012D, 0}, {0x0418, 9, 9, 1, 1}}).mid(22);
    const QImage bild = renderBytes(ohneRahmen, QSize(50, 50));
    ASSERT_FALSE(bild.isNull());
    EXPECT_GT(inkedPixels(bild), 100);
}

// The classic dialog font and Arial are drawn alike, with the font the game's
// windows use; another face is drawn differently.
TEST(Render, FaceNamesAreMappedAsInTheWindows) {
    const std::vector<std::uint16_t> text{0x0521, 3, 0x6957, 0x0072, 2, 0};  // "Wir" at (0, 2)
    auto withFace = [&](const char* face) {
        return renderBytes(metafile(1, {fontRecord(face, -6), {0x012D, 0}, text}), QSize(200, 200));
    };
    const QImage arial = withFace("Arial");
    ASSERT_FALSE(arial.isNull());
    ASSERT_GT(inkedPixels(arial), 100) << "the text must show";
    EXPECT_EQ(withFace("MS Sans Serif"), arial);
    EXPECT_EQ(withFace("ms sans serif"), arial);
    EXPECT_NE(withFace("Courier New"), arial);
}

}  // namespace
