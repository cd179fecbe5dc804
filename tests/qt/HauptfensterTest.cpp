// The main window as the front builds it from its model, a spin tick, scaling,
// whole turns through the real buttons and keyboard, the names a screen reader
// gets, and the demo paraphrases in their frame.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Steuerwidgets.h"

namespace wxqt::test {
namespace {

const std::vector<wx::test::TestWort> baer = {{3, "Bär", "der"}};

TEST(Hauptfenster, BuildsFromItsModelAtTheDesignedGeometryAndASpinTickChangesTwoWidgets) {
    FrontSpiel s(baer);
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    auto& f = s.fenster();
    EXPECT_EQ(f.flaeche()->geometry(), QRect(0, f.menueLeiste()->height(), 640, 442)) << "below the menu";
    EXPECT_EQ(s.widget(m.drehenBtn)->geometry(), QRect(12, 324, 89, 31));
    const QString reihen[3] = {"ABCDEFGHIJ", "KLMNOPQRST", QStringLiteral("UVWXYZÄÖÜß")};
    for (int i = 0; i < 30; ++i) {
        auto* taste = s.widget<QPushButton>(m.bstBtn[i]);
        EXPECT_EQ(taste->text(), QString(reihen[i / 10][i % 10])) << i;
        EXPECT_TRUE(f.flaeche()->rect().contains(taste->geometry())) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(taste->geometry().intersects(s.widget(m.bstBtn[j])->geometry())) << i;
    }

    QStringList menues;
    for (QAction* titel : f.menueLeiste()->actions()) {
        menues << titel->text() + ":";
        for (QAction* a : titel->menu()->actions()) menues << (a->isSeparator() ? "-" : a->text());
    }
    EXPECT_EQ(menues.join(' '),
              QStringLiteral("&Datei: &Neu ... - &Info ... &Meisterliste ... - &Ende ... "
                             "&Bearbeiten: &Einstellungen ... &Hilfe: &Info über ... - "
                             "&Bedienungshinweise ... &Spielregeln ... Üb&ungsschwerpunkt ..."));
    m.schalteMenues(false);  // as during the computer's turn
    s.plattform.abgleichen();
    EXPECT_FALSE(f.aktionVon(m.mnuDateiNeu)->isEnabled());
    EXPECT_TRUE(f.aktionVon(m.mnuHilfeBedienung)->isEnabled());

    int zellen = 0;
    for (auto& zelle : m.BstLbl) zellen += s.widget(zelle)->isVisibleTo(&f);
    EXPECT_EQ(zellen, 3) << "one cell per letter of the first word";
    EXPECT_EQ(s.widget<QLabel>(m.BstLbl[1])->text(), QStringLiteral("ä"));
    EXPECT_EQ(s.widget(m.BstLbl[0])->geometry().right() + 1, s.widget(m.BstLbl[1])->x()) << "edge to edge";

    // A spin tick changes exactly two widgets: the wheel's picture before and after.
    QTest::mouseClick(s.widget(m.drehenBtn), Qt::LeftButton);
    ASSERT_TRUE(f.timerVon(m.gradTimer)->isActive());
    for (int i = 0; i < 12; ++i) {
        const int vorher = m.RadPos;
        s.plattform.tick(m.gradTimer);
        EXPECT_EQ(s.plattform.letzteAenderungen(), 2) << i;
        EXPECT_FALSE(s.widget(m.RadImg[vorher])->isVisible()) << i;
        EXPECT_TRUE(s.widget(m.RadImg[m.RadPos])->isVisible()) << i;
    }
}

TEST(Hauptfenster, ResizingScalesTheWholeLayoutKeepingItsProportions) {
    FrontSpiel s(baer, 1.5);
    ASSERT_TRUE(s.gestartet);
    auto& f = s.fenster();
    QPushButton* drehen = s.widget<QPushButton>(s.main().drehenBtn);
    EXPECT_EQ(drehen->geometry(), QRect(18, 486, 134, 47));
    EXPECT_EQ(f.flaeche()->size(), QSize(960, 663));

    // Twice the design's width and more than enough height: the width decides.
    f.resize(1280, 1400);
    EXPECT_TRUE(QTest::qWaitFor([&f] { return f.skala() == 2.0; }));
    const int mh = f.menueLeiste()->height();
    EXPECT_EQ(f.flaeche()->geometry(), QRect(0, mh + (1400 - mh - 884) / 2, 1280, 884)) << "centred";
    // Wider than that: the height decides, the layout stays centred.
    f.resize(1600, 884 + mh);
    EXPECT_TRUE(QTest::qWaitFor([&f, mh] { return f.flaeche()->geometry() == QRect(160, mh, 1280, 884); }));
    EXPECT_EQ(f.skala(), 2.0);
    EXPECT_EQ(drehen->geometry(), QRect(24, 648, 178, 62));
    EXPECT_EQ(drehen->font().pixelSize(), 32);
    EXPECT_EQ(s.widget<BildWidget>(s.main().WortRatenLampe)->bild().size(), QSize(50, 50));
    EXPECT_DOUBLE_EQ(s.plattform.skala(), 2.0) << "new windows follow the main window";
}

// Two turns, Anna's by keyboard alone and Ben's by mouse. Hidden cells are
// not read out.
TEST(Runde, KeyboardAndMouseDriveTwoTurnsAndHiddenCellsAreNotReadOut) {
    FrontSpiel s(baer);
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    auto& f = s.fenster();
    auto knopf = [&s](const wx::Steuerelement& c) { return s.widget<QPushButton>(c); };
    auto aufgedeckt = [&](int i) {
        const QPalette farben = s.widget(m.BstLbl[i])->palette();
        return farben.color(QPalette::WindowText) != farben.color(QPalette::Window);
    };
    // Where the wheel stops is chance, so the test sets it.
    auto stelleRad = [&m](int16_t segment) {
        m.RadImg[static_cast<size_t>(m.RadPos)].visible = false;
        m.RadImg[static_cast<size_t>(m.RadPos = segment)].visible = true;
    };
    EXPECT_EQ(s.widget(m.BstLbl[0])->accessibleName(), "verdeckt");
    EXPECT_EQ(s.widget(m.BstLbl[1])->accessibleName(), "verdeckt");
    EXPECT_EQ(s.widget(m.BstLbl[5])->accessibleName(), "") << "unused cells say nothing";
    EXPECT_EQ(s.widget<QLabel>(m.BstLbl[5])->text(), "");

    // The space bar spins; the focus moves on to "anhalten" as "drehen" goes grey.
    knopf(m.drehenBtn)->setFocus();
    QTest::keyClick(knopf(m.drehenBtn), Qt::Key_Space);
    ASSERT_TRUE(f.timerVon(m.gradTimer)->isActive());
    EXPECT_FALSE(knopf(m.drehenBtn)->isEnabled());
    EXPECT_EQ(f.focusWidget(), knopf(m.anhaltenBtn));
    stelleRad(1);
    QTest::keyClick(f.focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(f.timerVon(m.gradTimer)->isActive());
    EXPECT_EQ(f.focusWidget(), knopf(m.bstBtn[0])) << "a letter is due";
    tippe(f.focusWidget(), "b");
    EXPECT_TRUE(aufgedeckt(0));
    EXPECT_EQ(s.widget(m.BstLbl[0])->accessibleName(), "B");
    EXPECT_EQ(s.widget(m.BstLbl[1])->accessibleName(), "verdeckt");
    EXPECT_EQ(s.spiel->glob.SpielerPunkte[0], 20);
    EXPECT_EQ(s.widget<QLabel>(m.SpNameLbl)->text(), "Ben");
    EXPECT_FALSE(knopf(m.bstBtn[1])->isEnabled());

    QTest::mouseClick(knopf(m.drehenBtn), Qt::LeftButton);
    EXPECT_FALSE(knopf(m.drehenBtn)->isEnabled());
    const long vorher = s.plattform.aenderungenGesamt();
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.plattform.aenderungenGesamt() >= vorher + 6; })) << "it turns";
    stelleRad(8);
    QTest::mouseClick(knopf(m.anhaltenBtn), Qt::LeftButton);
    EXPECT_EQ(f.focusWidget(), knopf(m.bstBtn[0])) << "letters may be named now";
    tippe(f.focusWidget(), QStringLiteral("ä"));
    EXPECT_TRUE(aufgedeckt(1));
    EXPECT_FALSE(aufgedeckt(2));
    EXPECT_EQ(s.spiel->glob.SpielerPunkte[1], 40);
    EXPECT_EQ(s.widget<QLabel>(m.SpNameLbl)->text(), "Anna");

    // Alt+D spins the wheel, although "&Datei" has the same letter.
    ASSERT_TRUE(knopf(m.drehenBtn)->isEnabled());
    QTest::keyClick(f.focusWidget(), Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(f.timerVon(m.gradTimer)->isActive());
    EXPECT_FALSE(f.menueLeiste()->activeAction()) << "the menu stays closed";
}

QString gesprochen(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

// The names a screen reader gets from the real widgets, through Qt's
// accessibility interfaces: the score, the wheel, a lamp, the meters.
TEST(ZugangFront, TheWidgetsSpeakTheModelsNamesAndFollowTheirChanges) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    EXPECT_EQ(gesprochen(s.widget(m.punkZiff[0])), "Punkte: 0");
    EXPECT_EQ(gesprochen(s.widget(m.RadImg[0])), QStringLiteral("Glücksrad: Aussetzen"));
    EXPECT_EQ(gesprochen(s.widget(m.KaufenLampe)), "Lampe Kaufen: aus");
    EXPECT_EQ(gesprochen(s.widget(m.RestZeitStand)).left(16), "Spielzeit: noch ");
    EXPECT_EQ(gesprochen(s.widget(m.drehenBtn)), "drehen") << "buttons speak their caption";

    s.spiel->glob.SpielerPunkte[0] = 250;
    m.zeigePunkte();
    m.setzeLampe(1, true);
    m.switchVuRestZeit(true);
    s.plattform.abgleichen();
    for (const auto& ziffer : m.punkZiff) EXPECT_EQ(gesprochen(s.widget(ziffer)), "Punkte: 250");
    EXPECT_EQ(gesprochen(s.widget(m.KaufenLampe)), "Lampe Kaufen: an");
    EXPECT_EQ(gesprochen(s.widget(m.vuRestZeitImage)), "Ratezeit: noch 100 Sekunden");
}

// Every paraphrase of the demo word lists fits its frame at the label's real
// font: below the frame's title and above its lower edge, with no line cut.
std::vector<std::pair<QString, QString>> demoUmschreibungen() {
    std::vector<std::pair<QString, QString>> liste;
    for (const char* teil : {"teil1.tsv", "teil2.tsv"}) {
        QFile datei(QStringLiteral(WIRBELIX_DEMO_WOERTER "/") + teil);
        if (!datei.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "cannot read " << datei.fileName().toStdString();
            continue;
        }
        QTextStream ein(&datei);
        ein.readLine();  // column names
        while (!ein.atEnd()) {
            const QStringList felder = ein.readLine().split(QLatin1Char('\t'));
            if (felder.size() > 7) liste.emplace_back(felder[1], felder[7]);
        }
    }
    return liste;
}

TEST(Umschreibung, EveryDemoParaphraseFitsItsFrame) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    const auto liste = demoUmschreibungen();
    ASSERT_GT(liste.size(), 600u);
    auto* rahmen = s.widget<QGroupBox>(m.ParaphrFrm);
    auto* label = s.widget<QLabel>(m.ParaphrLbl);
    int zuLang = 0;
    for (const auto& [wort, umschreibung] : liste) {
        s.spiel->glob.aktWort = wort.toStdString();
        s.spiel->glob.aktKontext.clear();
        s.spiel->glob.aktParaphrase = umschreibung.toStdString();
        m.WortAufbauen();
        s.plattform.abgleichen();
        // The capitals of the first line start below the title's text, and
        // the last line ends above the frame's lower edge.
        const QFontMetrics titel(rahmen->font()), text(label->font());
        const int oben = label->y() + text.ascent() - text.capHeight();
        const int unten = label->y() + label->heightForWidth(label->width());
        const bool passt = oben >= titel.height() && unten <= rahmen->height() - 2 &&
                           label->heightForWidth(label->width()) <= label->height();
        if (!passt && ++zuLang <= 60)
            ADD_FAILURE() << wort.toStdString() << ": \"" << umschreibung.toStdString() << "\" takes "
                          << label->heightForWidth(label->width()) << " px from y " << label->y()
                          << ", the title ends at " << titel.height() << ", the frame at "
                          << rahmen->height() - 2;
    }
    EXPECT_EQ(zuLang, 0);
}

}  // namespace
}  // namespace wxqt::test
