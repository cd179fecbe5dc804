// The binder on a small form: the widget each control becomes and where, that
// only changes are applied, keys, timers, the blocking pause, closing; the
// message window and the settings dialog as real modal dialogs.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Masse.h"
#include "qt/Steuerwidgets.h"
#include "fenster/EinstellFrm.h"
#include "fenster/MldFenster.h"

namespace wxqt::test {
namespace {

// A label in a frame, a button, a picture, a line and a timer; clicks and keys count.
struct ProbeFrm : wx::Form {
    wx::Steuerelement Rahmen, Text, Knopf, Bild, Strich;
    wx::Timer Uhr;
    int klicks = 0, ticks = 0;
    std::vector<int> tasten;

    explicit ProbeFrm(wx::Plattform& p) : Form(p, "ProbeFrm") {
        width = 6000;
        height = 4500;
        neu(Rahmen, wx::Art::Frame, "Rahmen", nullptr, 300, 300, 3000, 2400);
        neu(Text, wx::Art::Label, "Text", &Rahmen, 150, 300, 2000, 600).caption = "eins\rzwei";
        neu(Knopf, wx::Art::Button, "Knopf", nullptr, 3600, 300, 1500, 450).caption = "&Los";
        neu(Bild, wx::Art::Image, "Bild", nullptr, 3600, 1600, 390, 390).bild = "@lampe_gruen";
        auto& strich = neu(Strich, wx::Art::Line, "Strich", nullptr, 0, 0, 0, 0);
        strich.x1 = 300;
        strich.x2 = 4800;
        strich.y1 = strich.y2 = 3000;
        neuerTimer(Uhr, "Uhr", 5);
        Knopf.beiKlick = [this] { ++klicks; };
        beiTaste = [this](int code) { tasten.push_back(code); };
    }
};

class Binder : public ::testing::Test {
protected:
    QtPlattform p{testOptionen()};
    ProbeFrm form{p};
    wx::MldFenster mld{p};

    void SetUp() override { form.zeigeModeless(); }
    FormFenster& fenster() { return *p.fenster(form); }
    template <class W = QWidget>
    W* w(const wx::Steuerelement& s) {
        return dynamic_cast<W*>(fenster().widgetVon(s));
    }

    // The message window: mw() finds its widgets, zeige() shows a message, a
    // question if it has a second button, and runs waehrenddessen once it is
    // on the screen, while it waits; enter() presses Enter there.
    FormFenster& mf() { return *p.fenster(mld); }
    QWidget* mw(const wx::Steuerelement& s) { return mf().widgetVon(s); }
    static int px(int twips) { return zuPixel(twips, 1.0); }
    void zeige(const std::string& text, const std::string& knopf2, std::function<void()> waehrenddessen) {
        QTimer::singleShot(0, std::move(waehrenddessen));
        mld.zeige(text, knopf2.empty() ? "&OK" : "&ja", knopf2, "Hilfe");
    }
    void enter() { QTest::keyClick(mf().focusWidget() ? mf().focusWidget() : &mf(), Qt::Key_Return); }
};

TEST_F(Binder, EachControlBecomesItsWidgetAtTheDesignedPlaceInsideItsContainer) {
    auto* rahmen = w<QGroupBox>(form.Rahmen);
    auto* text = w<QLabel>(form.Text);
    ASSERT_TRUE(rahmen && text && w<BildWidget>(form.Bild) && w<LinienWidget>(form.Strich));
    EXPECT_EQ(fenster().flaeche()->size(), QSize(400, 300));
    EXPECT_EQ(rahmen->geometry(), QRect(20, 20, 200, 160));
    EXPECT_EQ(text->parentWidget(), rahmen);
    EXPECT_EQ(text->geometry(), QRect(10, 20, 133, 40)) << "relative to its frame";
    EXPECT_EQ(text->text(), "eins\nzwei") << "character 13 breaks the line";
    EXPECT_EQ(w<BildWidget>(form.Bild)->bild().size(), QSize(26, 26)) << "a built-in lamp at its own size";
    EXPECT_TRUE(w(form.Strich)->geometry().contains(QRect(20, 200, 300, 1))) << "covers the whole line";
}

TEST_F(Binder, AppliesOnlyWhatChanged) {
    EXPECT_EQ(p.abgleichen(), 0);
    const qint64 lampe = w<BildWidget>(form.Bild)->bild().cacheKey();
    form.Text.caption = "drei";
    form.Knopf.enabled = false;
    form.Bild.bild = "@lampe_rot";
    EXPECT_EQ(p.abgleichen(), 3);
    EXPECT_EQ(w<QLabel>(form.Text)->text(), "drei");
    EXPECT_NE(w<BildWidget>(form.Bild)->bild().cacheKey(), lampe);
    QTest::mouseClick(w(form.Knopf), Qt::LeftButton);
    EXPECT_EQ(form.klicks, 0) << "a disabled button does not click";

    form.Rahmen.visible = false;
    p.abgleichen();
    EXPECT_FALSE(w(form.Text)->isVisibleTo(&fenster())) << "a hidden frame hides its controls";
}

TEST_F(Binder, TypedCharactersReachTheWindowBeforeTheControl) {
    QWidget* knopf = w(form.Knopf);
    knopf->setFocus();
    tippe(knopf, QStringLiteral("aä "));
    EXPECT_EQ(form.tasten, (std::vector<int>{'a', 228, ' '})) << "once each, as Windows-1252 codes";
    EXPECT_EQ(form.klicks, 1) << "the focused button still takes the space key";

    form.tasten.clear();
    QTest::keyClick(knopf, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(knopf, Qt::Key_L, Qt::AltModifier);
    QTest::keyClick(knopf, Qt::Key_Shift);
    EXPECT_TRUE(form.tasten.empty()) << "no characters: Ctrl and Alt keys, keys without text";
}

TEST_F(Binder, APauseDropsInputAndHoldsTimersThatThenRunAndUpdateTheWindow) {
    QWidget* knopf = w(form.Knopf);
    auto klickeSpaeter = [k = knopf] {
        const QPointF innen(5, 5), aussen = k->mapToGlobal(innen);
        using E = QMouseEvent;
        QCoreApplication::postEvent(
            k, new E(E::MouseButtonPress, innen, aussen, Qt::LeftButton, Qt::LeftButton, {}));
        QCoreApplication::postEvent(
            k, new E(E::MouseButtonRelease, innen, aussen, Qt::LeftButton, Qt::NoButton, {}));
    };
    form.Uhr.enabled = true;
    form.Uhr.beiTick = [this] {
        form.Text.caption = std::to_string(++form.ticks);
        form.Uhr.enabled = form.ticks < 3;
    };
    p.abgleichen();
    EXPECT_EQ(fenster().timerVon(form.Uhr)->interval(), 5);
    p.beginnePause();
    klickeSpaeter();
    QCoreApplication::postEvent(knopf, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    p.schlafe(0.05);
    p.beendePause();
    EXPECT_EQ(form.ticks, 0) << "neither in the pause nor as it ends";
    QCoreApplication::processEvents();
    EXPECT_EQ(form.klicks, 0);
    EXPECT_TRUE(form.tasten.empty());

    klickeSpaeter();
    EXPECT_TRUE(QTest::qWaitFor([this] { return form.klicks == 1 && form.ticks == 3; }));
    EXPECT_EQ(w<QLabel>(form.Text)->text(), "3");
    EXPECT_FALSE(fenster().timerVon(form.Uhr)->isActive()) << "the tick that disabled the timer stopped it";
}

TEST_F(Binder, ClosingTheWindowAsksTheGameOrElseHidesIt) {
    form.beiSchliessen = [this] { form.Text.caption = "gefragt"; };
    fenster().close();
    EXPECT_EQ(form.Text.caption, "gefragt");
    EXPECT_TRUE(fenster().isVisible()) << "the game decides";
    form.beiSchliessen = nullptr;
    fenster().close();
    EXPECT_FALSE(form.visible || fenster().isVisible());
}

TEST_F(Binder, TheMessageDialogGetsTheComputedGeometryEnterPressesTheFirstButtonAltTheOther) {
    zeige("Neues Spiel?", "&nein", [&] {
        FormFenster& f = mf();
        EXPECT_TRUE(f.isModal());
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return f.frameGeometry().size() == QSize(px(mld.width), px(mld.height));
        })) << "outer size "
            << f.frameGeometry().width() << "x" << f.frameGeometry().height();
        EXPECT_EQ(mw(mld.Btn1)->pos(), QPoint(px(mld.Btn1.left), px(mld.Btn1.top)));
        EXPECT_EQ(mw(mld.Btn2)->geometry().right() + 1, px(mld.MldFrame.left + mld.MldFrame.width))
            << "the second button ends with the frame";
        enter();
    });
    EXPECT_EQ(mld.Antwort, "ja");
    EXPECT_FALSE(mf().isVisible());
    // The first answer hid its button and the focus moved on; Enter still means the first button.
    zeige("Noch ein Spiel?", "&nein", [&] { enter(); });
    EXPECT_EQ(mld.Antwort, "ja");

    zeige("Neues Spiel?", "&nein", [&] {
        QApplication::setActiveWindow(&mf());  // accelerators belong to the active window
        QTest::keyClick(&mf(), Qt::Key_N, Qt::AltModifier);
        // The accelerator presses its button visibly, a moment later.
        if (!QTest::qWaitFor([&] { return !mld.visible; }, 1000)) enter();
    });
    EXPECT_EQ(mld.Antwort, "nein");

    zeige("Gut gemacht.", "", [&] {
        EXPECT_FALSE(mw(mld.Btn2)->isVisibleTo(&mf())) << "only the buttons of this message";
        enter();
    });
    EXPECT_EQ(mld.Antwort, "OK");
}

TEST_F(Binder, OtherWindowsTimersRunOnWhileAMessageWaitsAndMayAnswerIt) {
    form.Uhr.enabled = true;
    form.Uhr.beiTick = [&] {
        if (++form.ticks == 3) mld.Btn2_Click();
    };
    p.abgleichen();
    // Without ticks Enter answers "ja" after a while, instead of a hang.
    zeige("Frage?", "&nein", [&] { QTimer::singleShot(3000, &mf(), [&] { enter(); }); });
    EXPECT_EQ(mld.Antwort, "nein");
    EXPECT_FALSE(mf().isVisible());
}

// The settings dialog, modal from the menu: its option groups and spin box as
// real widgets, Enter for OK, and a picture of it to look at
// (einstellungen.png in the test's folder).
TEST(EinstellFenster, OpensModallyFromTheMenuAndTakesRealClicks) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& d = s.spiel->einstellFrm();
    bool modal = false;
    QTimer::singleShot(0, [&] {
        FormFenster* f = s.plattform.fenster(d);
        if (!f) return;  // the dialog never opened: the checks below fail
        auto w = [f](const wx::Steuerelement& c) { return f->widgetVon(c); };
        modal = f->isVisible() && f->isModal() && f->windowTitle() == "Einstellungen";
        f->grab().save("einstellungen.png");
        QTest::mouseClick(w(d.SpSt[2]), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_FALSE(static_cast<QRadioButton*>(w(d.SpSt[0]))->isChecked());
        EXPECT_TRUE(static_cast<QRadioButton*>(w(d.LoesWortFarbe))->isChecked()) << "a group of its own";
        QTest::mouseClick(w(d.LoesWortSW), Qt::LeftButton, {}, QPoint(5, 5));
        auto* rahmen = static_cast<QCheckBox*>(w(d.BstRahmEin));
        EXPECT_TRUE(rahmen->isChecked() && !rahmen->isEnabled());
        auto* zahl = static_cast<QSpinBox*>(w(d.UpDnFehlVersuche));
        zahl->setValue(12);
        EXPECT_EQ(zahl->value(), 9);
        QTest::keyClick(f->focusWidget() ? f->focusWidget() : f, Qt::Key_Return);
        if (d.visible) d.abbrBtn_Click();  // Enter missed OK: close all the same
    });
    s.fenster().aktionVon(s.main().mnuBearbEinstell)->trigger();
    EXPECT_TRUE(modal);
    auto& g = s.spiel->glob;
    EXPECT_EQ(g.ComputerSpielStaerke, 2) << "Enter pressed OK";
    EXPECT_EQ(g.LoesungswortFarbig, wx::FALSCH);
    EXPECT_EQ(g.BuchstabenRahmen, 1);
    EXPECT_EQ(g.FehlversucheMaximum, 9);
}

}  // namespace
}  // namespace wxqt::test
