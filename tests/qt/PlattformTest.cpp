// The real platform apart from windows: which fonts of this system stand in
// for the Windows fonts of the game's design (the windows and the wheel
// pictures share the choice), text sizes, the built-in pictures.
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Bilder.h"
#include "qt/Schriften.h"

namespace wxqt::test {
namespace {

TEST(Schriften, WindowsFontsBecomeLookAlikes) {
    const QStringList spielSchrift = schriftFamilien(QStringLiteral("MS Sans Serif"));
    ASSERT_FALSE(spielSchrift.isEmpty());
    EXPECT_EQ(spielSchrift.first(), QStringLiteral("Liberation Sans"));
    EXPECT_FALSE(spielSchrift.contains(QStringLiteral("MS Sans Serif")))
        << "the windows' layout was measured with Liberation Sans, even where the original exists";

    QFont::insertSubstitution(QStringLiteral("Wirbelschrift"), QStringLiteral("DejaVu Serif"));
    const struct {
        const char* name;
        QStringList anfang;  // the families asked for first
        const char* danach;  // a later family, nullptr if none must follow
    } faelle[] = {
        {.name = "Arial", .anfang = spielSchrift, .danach = nullptr},
        {.name = " ms sans serif ", .anfang = spielSchrift, .danach = nullptr},
        {.name = "", .anfang = spielSchrift, .danach = nullptr},
        {.name = "Times New Roman",
         .anfang = {"Times New Roman", "Liberation Serif"},
         .danach = "DejaVu Serif"},
        {.name = "courier new", .anfang = {"courier new", "Liberation Mono"}, .danach = "DejaVu Sans Mono"},
        {.name = "Helvetica", .anfang = {"Helvetica", "Liberation Sans"}, .danach = "DejaVu Sans"},
        {.name = "Wirbelschrift", .anfang = {"Wirbelschrift", "DejaVu Serif"}, .danach = nullptr},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const QStringList familien = schriftFamilien(QString::fromUtf8(f.name));
        // Qt keeps registered substitutes in lower case; font names match regardless.
        auto text = [](const QStringList& l) { return l.join(QLatin1Char(',')).toLower().toStdString(); };
        EXPECT_EQ(text(familien.mid(0, f.anfang.size())), text(f.anfang));
        if (f.danach)
            EXPECT_TRUE(familien.mid(f.anfang.size()).contains(QString::fromUtf8(f.danach)))
                << text(familien);
        else
            EXPECT_EQ(familien.size(), f.anfang.size());
    }
}

// The layout was measured with Liberation Sans: the designed fonts and what
// has none (tool tips, the help pages' plain text) are drawn with it.
TEST(Schriften, TheWindowsDrawWithLiberationSansWithOrWithoutADesignedFont) {
    for (const char* name : {"MS Sans Serif", "Arial"})
        EXPECT_EQ(QFontInfo(qtSchrift(wx::Schrift{name, 9.75, true, false}, 1.0)).family(),
                  QStringLiteral("Liberation Sans"))
            << name;
    const QFont vorher = QGuiApplication::font();
    setzeGrundschrift();
    QWidget ohneSchrift;
    EXPECT_EQ(QFontInfo(ohneSchrift.font()).family().toStdString(), "Liberation Sans");
    EXPECT_EQ(ohneSchrift.font().pointSizeF(), vorher.pointSizeF()) << "at the desktop's size";
    QGuiApplication::setFont(vorher);
}

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

}  // namespace
}  // namespace wxqt::test
