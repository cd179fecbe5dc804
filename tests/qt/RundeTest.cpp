// A whole round through the real widgets: spinning and stopping with the
// buttons, naming letters on the keyboard, the turn passing on.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "FrontTest.h"

namespace wxqt::test {
namespace {

// Where the wheel stops is chance; the test turns it to a known segment
// just before the stop button is pressed.
void stelleRad(wx::MainFrm& m, int16_t pos) {
    m.RadImg[static_cast<size_t>(m.RadPos)].visible = false;
    m.RadPos = pos;
    m.RadImg[static_cast<size_t>(pos)].visible = true;
}

bool aufgedeckt(QLabel* zelle) {
    return zelle->palette().color(QPalette::WindowText) != zelle->palette().color(QPalette::Window);
}

TEST(Runde, ButtonsAndTypingDriveTwoTurns) {
    FrontSpiel s({{3, "Bär", "der", true, true, "Ein großes Tier im Wald.", "Der @ brummt."}});
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    auto knopf = [&s](const wx::Steuerelement& c) { return s.widget<QPushButton>(c); };
    auto zelle = [&s, &m](int i) { return s.widget<QLabel>(m.BstLbl[i]); };
    EXPECT_FALSE(aufgedeckt(zelle(0)));

    const struct {
        int16_t segment, punkte;
        const char* buchstabe;
        const char* naechster;
    } zuege[] = {{1, 20, "b", "Ben"}, {8, 40, "ä", "Anna"}};
    for (int zug = 0; zug < 2; ++zug) {
        SCOPED_TRACE(zug);
        ASSERT_TRUE(knopf(m.drehenBtn)->isEnabled());
        QTest::mouseClick(knopf(m.drehenBtn), Qt::LeftButton);
        EXPECT_FALSE(knopf(m.drehenBtn)->isEnabled());
        ASSERT_TRUE(knopf(m.anhaltenBtn)->isEnabled());

        // The wheel turns by itself, one picture every tick.
        const long vorher = s.plattform.aenderungenGesamt();
        EXPECT_TRUE(warteBis([&] { return s.plattform.aenderungenGesamt() >= vorher + 6; }));

        stelleRad(m, zuege[zug].segment);
        QTest::mouseClick(knopf(m.anhaltenBtn), Qt::LeftButton);
        EXPECT_TRUE(knopf(m.bstBtn[1])->isEnabled()) << "letters may be named now";
        EXPECT_EQ(s.fenster().focusWidget(), knopf(m.bstBtn[0]));

        tippe(s.fenster().focusWidget(), QString::fromUtf8(zuege[zug].buchstabe));
        EXPECT_TRUE(aufgedeckt(zelle(zug)));
        EXPECT_EQ(s.g().SpielerPunkte[static_cast<size_t>(zug)], zuege[zug].punkte);
        EXPECT_EQ(s.widget<QLabel>(m.SpNameLbl)->text(), zuege[zug].naechster);
        EXPECT_FALSE(knopf(m.bstBtn[1])->isEnabled());
    }
    EXPECT_FALSE(aufgedeckt(zelle(2)));
}

}  // namespace
}  // namespace wxqt::test
