// The real platform apart from windows: text sizes and fonts, the built-in
// pictures, the length of wave files.
#include <QFile>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Bilder.h"
#include "qt/Schriften.h"
#include "qt/Ton.h"

namespace wxqt::test {
namespace {

TEST(Text, SizesComeFromTheWidestLineAndLinesAndFitTheScaledFonts) {
    const wx::Schrift s{"MS Sans Serif", 9.75, true, false};
    const auto eine = misstText("kurz", s);
    const auto zwei = misstText("kurz\rein viel längerer Text", s);
    EXPECT_EQ(zwei.breite, misstText("ein viel längerer Text", s).breite);
    EXPECT_EQ(zwei.hoehe, 2 * eine.hoehe);
    EXPECT_EQ(eine.breite % 15 + eine.hoehe % 15, 0);
    EXPECT_EQ(misstText("", s).hoehe, eine.hoehe) << "an empty caption still has one line";
    EXPECT_EQ(QtPlattform(testOptionen(2.0)).textGroesse("kurz", s).breite, eine.breite)
        << "the game measures at scale 1, whatever the windows' scale";

    // Scaled fonts never outgrow the room measured at scale 1.
    for (const wx::Schrift& s :
         {wx::Schrift{"MS Sans Serif", 9.75, true, false}, wx::Schrift{"Arial", 12, true, false},
          wx::Schrift{"Arial", 26.25, true, false}})
        for (double skala : {1.25, 1.5, 1.75, 2.0, 2.5})
            for (const std::string t :
                 {"kompatibel mit der installierten Version", "[kein Übungsschwerpunkt]"})
                EXPECT_LE(QFontMetricsF(qtSchrift(s, skala)).horizontalAdvance(QString::fromStdString(t)),
                          misstText(t, s).breite / 15.0 * skala + 0.5)
                    << t << " at " << skala;
}

TEST(Bilder, BuiltInPicturesLookRight) {
    auto mitte = [](const QImage& b) { return b.pixelColor(b.width() / 2, b.height() / 2); };
    const QImage gruen = zeichneEingebaut("@lampe_gruen", {26, 26});
    const QImage rot = zeichneEingebaut("@lampe_rot", {26, 26});
    EXPECT_GT(mitte(gruen).green(), mitte(gruen).red());
    EXPECT_GT(mitte(rot).red(), mitte(rot).green());
    EXPECT_EQ(gruen.pixelColor(0, 0).alpha(), 0) << "round lamps leave the corners transparent";

    // The stop marker points left, at the wheel: its tip is its leftmost point.
    const QImage marke = zeichneEingebaut("@stopmarke", {30, 30});
    int links = 30, zeile = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < links; ++x)
            if (marke.pixelColor(x, y).alpha() > 128) links = x, zeile = y;
    EXPECT_LT(links, 5);
    EXPECT_NEAR(zeile, 15, 2);
}

TEST(Ton, AWavesLengthComesFromItsHeader) {
    // PCM, mono, 8000 Hz, 16 bit: 24000 bytes of data last 1.5 s.
    QByteArray wav(
        "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0"
        "data\xc0\x5d\0\0",
        44);
    wav.append(24000, '\0');
    QTemporaryDir ordner;
    QFile f(ordner.filePath("ton.wav"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size() && f.flush());
    EXPECT_EQ(wavDauerMs(f.fileName()), 1500);
    EXPECT_EQ(wavDauerMs(ordner.filePath("fehlt.wav")), 0);
}

}  // namespace
}  // namespace wxqt::test
