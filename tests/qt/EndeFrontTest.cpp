// Leaving the game through the real windows: the quit question closed by
// Escape or answered "ja", and SIGTERM. The question is saved as
// endefrage.png to be looked at.
#include <signal.h>

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "Lauf.h"
#include "FrontTest.h"
#include "fenster/EndeFrm.h"
#include "fenster/MeisterFrm.h"
#include "qt/Endewaechter.h"

namespace wxqt::test {
namespace {

// The end tells the application to quit, after which every event loop of the
// thread returns at once; a short run of the application's loop clears that
// for the tests that follow.
class EndeFront : public ::testing::Test {
protected:
    void TearDown() override {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
    FrontSpiel s;
    wx::EndeFrm& frage = s.spiel->endeFrm();
    std::string meister = s.installation.pfad() + "/User/Meister.mdb";

    // Runs on the question once it is on the screen.
    void beiFrage(std::function<void(FormFenster&)> was) {
        QTimer::singleShot(0, [this, was] {
            FormFenster* f = s.plattform.fenster(frage);
            ASSERT_TRUE(f && f->isVisible());
            was(*f);
        });
    }
};

TEST_F(EndeFront, QuestionClosedWithoutAButtonKeepsTheGame_JaEndsAndStoresTheScores) {
    ASSERT_TRUE(s.gestartet);
    s.spiel->glob.SpielerPunkte = {120, 80};
    beiFrage([&](FormFenster& f) {
        EXPECT_EQ(static_cast<QLabel*>(f.widgetVon(frage.Meldung))->text(),
                  "Seid ihr wirklich sicher, dass ihr Wirbelix beenden wollt?");
        f.grab().save("endefrage.png");
        QTest::keyClick(&f, Qt::Key_Escape);
    });
    s.fenster().close();
    EXPECT_EQ(frage.Antwort, "nein");
    EXPECT_TRUE(s.fenster().isVisible() && !s.plattform.beendet());

    beiFrage([&](FormFenster& f) { QTest::mouseClick(f.widgetVon(frage.jaBtn), Qt::LeftButton); });
    s.fenster().aktionVon(s.main().mnuDateiEnde)->trigger();
    EXPECT_TRUE(s.plattform.beendet() && !s.fenster().isVisible());
    EXPECT_EQ(wx::test::meisterZeilen(meister).size(), 2u);
}

TEST_F(EndeFront, SigtermEndsInOrderAndTheScoresReachTheList) {
    s.spiel->glob.SpielerPunkte = {0, 75};
    Endewaechter waechter(s.plattform, [this] { s.main().programmEndeVonAussen(); });
    ::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([this] { return s.plattform.beendet(); }, 10000));
    EXPECT_EQ(
        wx::test::meisterZeilen(meister),
        (std::vector<wx::test::MeisterZeile>{{"Ben", "Wirbelix", 75, s.spiel->meisterFrm().heuteAlsText()}}));
}

}  // namespace
}  // namespace wxqt::test
