// The main window as the front builds it from its model: the designed
// geometry, the letter keys, the menus, the first word, the spin, and scaling.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Steuerwidgets.h"
#include "start/Text.h"

namespace wxqt::test {
namespace {

TEST(Hauptfenster, ButtonsAndLetterKeysStandWhereTheDesignPutsThem) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    EXPECT_EQ(s.fenster().flaeche()->size(), QSize(640, 442));
    EXPECT_EQ(s.fenster().flaeche()->y(), s.fenster().menueLeiste()->height()) << "client area below the menu";
    EXPECT_EQ(s.widget(s.main().drehenBtn)->geometry(), QRect(12, 324, 89, 31));
    EXPECT_EQ(s.widget(s.main().anhaltenBtn)->geometry(), QRect(108, 324, 89, 31));

    const QString reihen[3] = {"ABCDEFGHIJ", "KLMNOPQRST", QStringLiteral("UVWXYZÄÖÜß")};
    for (int i = 0; i < 30; ++i) {
        auto* taste = s.widget<QPushButton>(s.main().bstBtn[i]);
        SCOPED_TRACE(i);
        EXPECT_EQ(taste->text(), QString(reihen[i / 10][i % 10]));
        EXPECT_EQ(taste->geometry(), QRect(278 + 30 * (i % 10), 106 + 30 * (i / 10), 29, 29));
    }
}

TEST(Hauptfenster, MenusCarryTheirCaptionsAndSeparators) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    const QList<QAction*> titel = s.fenster().menueLeiste()->actions();
    ASSERT_EQ(titel.size(), 3);
    EXPECT_EQ(titel[0]->text(), "&Datei");
    EXPECT_EQ(titel[1]->text(), "&Bearbeiten");
    EXPECT_EQ(titel[2]->text(), "&Hilfe");

    const QList<QAction*> datei = titel[0]->menu()->actions();
    ASSERT_EQ(datei.size(), 6);
    EXPECT_EQ(datei[0]->text(), "&Neu ...");
    EXPECT_TRUE(datei[1]->isSeparator());
    EXPECT_EQ(datei[3]->text(), "&Meisterliste ...");
    EXPECT_TRUE(datei[4]->isSeparator());
    EXPECT_EQ(datei[5]->text(), "&Ende ...");
    EXPECT_EQ(titel[2]->menu()->actions()[4]->text(), QStringLiteral("Üb&ungsschwerpunkt ..."));

    // The game locks the menu group during the computer's turn.
    s.main().schalteMenues(false);
    s.plattform.abgleichen();
    EXPECT_FALSE(s.fenster().aktionVon(s.main().mnuDateiNeu)->isEnabled());
    EXPECT_TRUE(s.fenster().aktionVon(s.main().mnuHilfeBedienung)->isEnabled());
}

TEST(Hauptfenster, TheFirstWordShowsOneCellPerLetter) {
    FrontSpiel s({{3, "Bär", "der", true, true, "Ein großes Tier im Wald.", "Der @ brummt."}});
    ASSERT_TRUE(s.gestartet);
    int sichtbar = 0;
    for (auto& zelle : s.main().BstLbl) {
        QWidget* w = s.widget(zelle);
        EXPECT_EQ(w->isVisibleTo(&s.fenster()), zelle.visible);
        if (w->isVisibleTo(&s.fenster())) ++sichtbar;
    }
    EXPECT_EQ(sichtbar, 3);
    EXPECT_EQ(s.widget<QLabel>(s.main().BstLbl[1])->text(), QStringLiteral("ä")) << "as the word writes it";
    EXPECT_EQ(s.widget<QLabel>(s.main().SpNameLbl)->text(), "Anna");
    EXPECT_EQ(s.widget<QLabel>(s.main().KontextLbl)->text(), "der");
    // The cells stand edge to edge, as the model lays them out.
    EXPECT_EQ(s.widget(s.main().BstLbl[0])->geometry().right() + 1, s.widget(s.main().BstLbl[1])->x());
}

TEST(Hauptfenster, ASpinTickTouchesExactlyTwoPictures) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    QTest::mouseClick(s.widget(m.drehenBtn), Qt::LeftButton);
    QTimer* timer = s.fenster().timerVon(m.gradTimer);
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 30);

    for (int i = 0; i < 12; ++i) {
        const int vorher = m.RadPos;
        s.plattform.tick(m.gradTimer);
        SCOPED_TRACE(i);
        EXPECT_EQ(s.plattform.letzteAenderungen(), 2);
        EXPECT_FALSE(s.widget(m.RadImg[vorher])->isVisible());
        EXPECT_TRUE(s.widget(m.RadImg[m.RadPos])->isVisible()) << "on the screen, in its window";
    }
}

TEST(Hauptfenster, ResizingScalesTheWholeLayoutKeepingItsProportions) {
    FrontSpiel s({{1, "Hund", "der"}}, 1.5);
    ASSERT_TRUE(s.gestartet);
    auto& f = s.fenster();
    QPushButton* drehen = s.widget<QPushButton>(s.main().drehenBtn);
    EXPECT_EQ(drehen->geometry(), QRect(18, 486, 134, 47));
    EXPECT_EQ(f.flaeche()->size(), QSize(960, 663));

    // Twice the design's width and more than enough height: the width decides.
    f.resize(1280, 1400);
    EXPECT_TRUE(warteBis([&f] { return f.skala() == 2.0; }));
    const int mh = f.menueLeiste()->height();
    EXPECT_EQ(f.flaeche()->geometry(), QRect(0, mh + (1400 - mh - 884) / 2, 1280, 884)) << "centred";
    // Wider than that: the height decides, the layout stays centred.
    f.resize(1600, 884 + mh);
    EXPECT_TRUE(warteBis([&f, mh] { return f.flaeche()->geometry() == QRect(160, mh, 1280, 884); }));
    EXPECT_EQ(f.skala(), 2.0);
    EXPECT_EQ(drehen->geometry(), QRect(24, 648, 178, 62));
    EXPECT_EQ(drehen->font().pixelSize(), 32);
    EXPECT_EQ(s.widget<BildWidget>(s.main().LampeRotImg)->bild().size(), QSize(52, 52));
    EXPECT_DOUBLE_EQ(s.plattform.skala(), 2.0) << "new windows follow the main window";
}

}  // namespace
}  // namespace wxqt::test
