// The real platform apart from windows: the blocking pause, text sizes and
// fonts, the built-in pictures, wave files.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Bilder.h"
#include "qt/Schriften.h"
#include "qt/Ton.h"

namespace wxqt::test {
namespace {

void klickeSpaeter(QWidget* w) {
    const QPointF innen(5, 5);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(w, new QMouseEvent(t, innen, w->mapToGlobal(innen), Qt::LeftButton,
                                                       t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                       Qt::NoModifier));
}

TEST(Pause, InputMadeDuringThePauseIsDroppedNotHandledLate) {
    QtPlattform p(testOptionen());
    ProbeFrm form(p);
    form.zeigeModeless();
    QWidget* knopf = p.fenster(form)->widgetVon(form.Knopf);

    p.beginnePause();
    klickeSpaeter(knopf);
    QCoreApplication::postEvent(knopf, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    p.schlafe(0.02);
    p.beendePause();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.klicks, 0);
    EXPECT_TRUE(form.tasten.empty());

    klickeSpaeter(knopf);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.klicks, 1) << "the same click after the pause counts";
}

TEST(Pause, NoTimerFiresDuringThePauseNorAsItEnds) {
    QtPlattform p(testOptionen());
    ProbeFrm form(p);
    form.zeigeModeless();
    form.Uhr.enabled = true;
    p.abgleichen();
    p.beginnePause();
    p.schlafe(0.05);
    p.beendePause();
    EXPECT_EQ(form.ticks, 0);
    EXPECT_TRUE(warteBis([&] { return form.ticks > 0; })) << "afterwards the timer runs on";
}

TEST(Text, SizesComeFromTheWidestLineAndTheNumberOfLines) {
    const wx::Schrift s{"MS Sans Serif", 9.75, true, false};
    const auto eine = misstText("kurz", s);
    const auto lang = misstText("ein viel längerer Text", s);
    const auto zwei = misstText("kurz\rein viel längerer Text", s);
    EXPECT_GT(lang.breite, eine.breite);
    EXPECT_EQ(zwei.breite, lang.breite);
    EXPECT_EQ(zwei.hoehe, 2 * eine.hoehe);
    EXPECT_EQ(eine.breite % 15, 0) << "whole pixels";
    EXPECT_EQ(eine.hoehe % 15, 0);
    EXPECT_EQ(misstText("", s).hoehe, eine.hoehe) << "an empty caption still has one line";

    // The game measures at 96 dpi and scale 1, whatever the windows' scale.
    QtPlattform gross(testOptionen(2.0));
    EXPECT_EQ(gross.textGroesse("kurz", s).breite, eine.breite);
}

TEST(Text, ScaledFontsNeverOutgrowTheRoomMeasuredAtScaleOne) {
    const std::string texte[] = {"kompatibel mit der installierten Version", "Lernwörter der Grundschule",
                                 "[kein Übungsschwerpunkt]", "Wort raten"};
    for (const wx::Schrift& s : {wx::Schrift{"MS Sans Serif", 9.75, true, false},
                                 wx::Schrift{"Arial", 12, true, false}, wx::Schrift{"Arial", 26.25, true, false}})
        for (double skala : {1.25, 1.5, 1.75, 2.0, 2.5})
            for (const auto& t : texte) {
                const double platz = misstText(t, s).breite / 15.0 * skala;
                EXPECT_LE(QFontMetricsF(qtSchrift(s, skala)).horizontalAdvance(QString::fromStdString(t)), platz + 0.5)
                    << t << " at " << skala;
            }
}

TEST(Text, DesignFontsMapToFontsOfThisSystem) {
    const QFont sans = qtSchrift({"MS Sans Serif", 8.25, false, false}, 1.0);
    EXPECT_EQ(QFontInfo(sans).family(), "Liberation Sans");
    EXPECT_EQ(sans.pixelSize(), 11);
    EXPECT_EQ(QFontInfo(qtSchrift({"Arial", 12, true, false}, 1.0)).family(), "Liberation Sans");
    EXPECT_EQ(qtSchrift({"Arial", 26.25, true, false}, 1.0).pixelSize(), 35);
    EXPECT_EQ(qtSchrift({"Arial", 12, true, false}, 1.5).pixelSize(), 24);
}

QColor mitte(const QImage& bild) { return bild.pixelColor(bild.width() / 2, bild.height() / 2); }

TEST(Bilder, BuiltInPicturesHaveTheirSizesAndLooks) {
    EXPECT_EQ(eingebautGroesse("@radkappe"), QSize(19, 19));
    EXPECT_EQ(eingebautGroesse("@energie_rahmen"), QSize(37, 344));
    EXPECT_FALSE(eingebautGroesse("@gibtsnicht").isValid());

    const QImage gruen = zeichneEingebaut("@lampe_gruen", {26, 26});
    const QImage rot = zeichneEingebaut("@lampe_rot", {26, 26});
    EXPECT_GT(mitte(gruen).green(), mitte(gruen).red());
    EXPECT_GT(mitte(rot).red(), mitte(rot).green());
    EXPECT_EQ(gruen.pixelColor(0, 0).alpha(), 0) << "round lamps leave the corners transparent";

    // The stop marker points left, at the wheel: its tip is its leftmost point.
    const QImage marke = zeichneEingebaut("@stopmarke", {30, 30});
    int links = 30, zeile = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (marke.pixelColor(x, y).alpha() > 128 && x < links) links = x, zeile = y;
    EXPECT_LT(links, 5);
    EXPECT_NEAR(zeile, 15, 2);

    const QImage balken = zeichneEingebaut("@energie_balken", {5, 301});
    EXPECT_GT(balken.pixelColor(2, 2).green(), balken.pixelColor(2, 2).red());
    EXPECT_GT(balken.pixelColor(2, 298).red(), balken.pixelColor(2, 298).green());
}

TEST(Bilder, PicturesAreDrawnOncePerSize) {
    vergissBilder();
    const QPixmap a = bildFuer("@vu_ein", {55, 55}, false, 1.0, 1.0);
    const QPixmap b = bildFuer("@vu_ein", {55, 55}, false, 1.0, 1.0);
    EXPECT_EQ(a.cacheKey(), b.cacheKey());
    EXPECT_EQ(bildFuer("@vu_ein", {55, 55}, false, 2.0, 1.0).size(), QSize(110, 110));
    EXPECT_EQ(bildFuer("@energie_balken", {5, 307}, true, 1.0, 1.0).size(), QSize(5, 307)) << "stretched";
    EXPECT_TRUE(bildFuer("/gibt/es/nicht.GIF", {40, 40}, true, 1.0, 1.0).isNull());
}

TEST(Ton, TheLengthOfAWaveComesFromItsHeader) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("ton.wav");
    QByteArray wav("RIFF\0\0\0\0WAVEfmt ", 16);
    auto u32 = [&wav](quint32 v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
    auto u16 = [&wav](quint16 v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    wav.append("data", 4);
    u32(24000);
    wav.append(QByteArray(24000, '\0'));
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(wav);
    f.close();
    EXPECT_EQ(wavDauerMs(datei), 1500);
    EXPECT_EQ(wavDauerMs(ordner.filePath("fehlt.wav")), 0);

    // A missing file plays nothing and does not wait.
    QtPlattform p;
    QElapsedTimer uhr;
    uhr.start();
    p.spieleWav(ordner.filePath("fehlt.wav").toStdString(), true);
    EXPECT_LT(uhr.elapsed(), 200);
}

}  // namespace
}  // namespace wxqt::test
