// Leaving the game through the real windows: the quit question answered by
// Escape, by its title bar and by "ja"; SIGTERM ending the game in order; the
// high-score window. The question and the list are also saved as pictures
// (endefrage.png, meisterliste.png) to be looked at.
#include <signal.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "../highscores/Lauf.h"
#include "FrontTest.h"
#include "fenster/EndeFrm.h"
#include "fenster/MeisterFrm.h"
#include "qt/Endewaechter.h"

namespace wxqt::test {
namespace {

std::string meisterDatei(FrontSpiel& s) { return s.installation.pfad() + "/User/Meister.mdb"; }

// The end of the game tells the application to quit, and from then on every
// event loop of the thread returns at once, as it should in the program. The
// tests that follow need their modal loops again: a short run of the
// application's own loop clears that state.
class EndeFront : public ::testing::Test {
protected:
    void TearDown() override {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};

// Runs once the next modal window is on the screen.
void imFenster(FrontSpiel& s, wx::Form& form, std::function<void(FormFenster&)> was) {
    QTimer::singleShot(0, [&s, &form, was] {
        FormFenster* f = s.plattform.fenster(form);
        ASSERT_TRUE(f && f->isVisible()) << form.name;
        was(*f);
    });
}

TEST_F(EndeFront, QuestionClosedWithoutAButtonKeepsTheGame_JaEndsAndStoresTheScores) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    auto& frage = s.spiel->endeFrm();
    s.spiel->glob.SpielerPunkte = {120, 80};

    // Escape on the question after closing the main window.
    imFenster(s, frage, [&](FormFenster& f) {
        EXPECT_EQ(f.windowTitle(), "Wirbelix beenden");
        EXPECT_EQ(static_cast<QLabel*>(f.widgetVon(frage.Meldung))->text(),
                  "Seid ihr wirklich sicher, dass ihr Wirbelix beenden wollt?");
        f.grab().save("endefrage.png");
        s.fenster().close();  // asked again while the question is open: nothing more
        QTest::keyClick(&f, Qt::Key_Escape);
    });
    s.fenster().close();
    EXPECT_FALSE(frage.visible);
    EXPECT_EQ(frage.Antwort, "nein");
    EXPECT_TRUE(s.fenster().isVisible() && !s.plattform.beendet());

    // The question's own title bar.
    frage.Antwort = "ja";
    imFenster(s, frage, [](FormFenster& f) { f.close(); });
    s.fenster().aktionVon(m.mnuDateiEnde)->trigger();
    EXPECT_EQ(frage.Antwort, "nein");
    EXPECT_TRUE(s.fenster().isVisible() && !s.plattform.beendet());

    // "ja": the game ends and the scores are in the list.
    imFenster(s, frage, [&](FormFenster& f) { QTest::mouseClick(f.widgetVon(frage.jaBtn), Qt::LeftButton); });
    s.fenster().aktionVon(m.mnuDateiEnde)->trigger();
    EXPECT_TRUE(s.plattform.beendet());
    EXPECT_FALSE(s.fenster().isVisible());
    EXPECT_EQ(wx::test::meisterZeilen(meisterDatei(s)).size(), 2u);
}

TEST_F(EndeFront, SigtermEndsInOrderAndTheScoresReachTheList) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    s.spiel->glob.SpielerPunkte = {0, 75};
    Endewaechter waechter(s.plattform, [&s] { s.main().programmEndeVonAussen(); });
    ::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&s] { return s.plattform.beendet(); }, 10000));
    const auto zeilen = wx::test::meisterZeilen(meisterDatei(s));
    ASSERT_EQ(zeilen.size(), 1u);
    EXPECT_EQ(zeilen[0].name, "Ben");
    EXPECT_EQ(zeilen[0].punkte, 75);
}

TEST_F(EndeFront, HighScoreWindowShowsTheColumns) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    wx::test::schreibeMeister(meisterDatei(s), {{"Anna", "Wirbelix", 1250, "06.12.2026"},
                                                {"Bartholomäus-Friedrich Z", "Wirbelix", 980, "05.12.2026"},
                                                {"Computer", "Wirbelix", 40, "01.12.2026"}});
    auto& liste = s.spiel->meisterFrm();
    imFenster(s, liste, [&](FormFenster& f) {
        EXPECT_EQ(f.windowTitle(), "Meisterliste");
        EXPECT_EQ(static_cast<QLabel*>(f.widgetVon(liste.MstNameLbl))->text().split('\n').first(), "Anna");
        EXPECT_EQ(static_cast<QLabel*>(f.widgetVon(liste.PunkteLbl))->text().split('\n').at(1), "980");
        f.grab().save("meisterliste.png");
        QTest::mouseClick(f.widgetVon(liste.okBtn), Qt::LeftButton);
    });
    s.fenster().aktionVon(s.main().mnuDateiMeisterliste)->trigger();
    EXPECT_FALSE(liste.visible);
    EXPECT_FALSE(s.plattform.beendet());
}

}  // namespace
}  // namespace wxqt::test
