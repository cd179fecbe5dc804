// The binder on a form with one control of every kind: which widget each kind
// becomes, where it stands, what reaches the model, and that only changed
// controls are touched.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Steuerwidgets.h"

namespace wxqt::test {
namespace {

class Binder : public ::testing::Test {
protected:
    QtPlattform p{testOptionen(1.0)};
    ProbeFrm form{p};

    void SetUp() override { form.zeigeModeless(); }
    FormFenster& fenster() { return *p.fenster(form); }
    template <class W = QWidget>
    W* w(const wx::Steuerelement& s) {
        return dynamic_cast<W*>(fenster().widgetVon(s));
    }
};

TEST_F(Binder, EachKindBecomesItsWidgetAtTheDesignedPlaceInsideItsContainer) {
    auto* rahmen = w<QGroupBox>(form.Rahmen);
    ASSERT_NE(rahmen, nullptr);
    EXPECT_EQ(rahmen->title(), "Rahmen");
    EXPECT_EQ(rahmen->geometry(), QRect(20, 20, 200, 160));

    auto* text = w<QLabel>(form.Text);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->parentWidget(), rahmen) << "children sit inside their frame";
    EXPECT_EQ(text->geometry(), QRect(10, 20, 133, 40)) << "positions relative to the frame";
    EXPECT_EQ(text->text(), "eins\nzwei") << "character 13 breaks the line";

    ASSERT_NE(w<QCheckBox>(form.Haken), nullptr);
    ASSERT_NE(w<QRadioButton>(form.Wahl[1]), nullptr);
    EXPECT_TRUE(w<QRadioButton>(form.Wahl[0])->isChecked());
    EXPECT_EQ(w<QSpinBox>(form.Zahl)->value(), 5);

    auto* knopf = w<QPushButton>(form.Knopf);
    ASSERT_NE(knopf, nullptr);
    EXPECT_EQ(knopf->text(), "&Los");
    EXPECT_EQ(knopf->geometry(), QRect(240, 20, 100, 30));

    auto* bild = w<BildWidget>(form.Bild);
    ASSERT_NE(bild, nullptr);
    EXPECT_EQ(bild->bild().size(), QSize(26, 26)) << "a built-in lamp at its own size";

    auto* strich = w<LinienWidget>(form.Strich);
    ASSERT_NE(strich, nullptr);
    EXPECT_TRUE(strich->geometry().contains(QRect(20, 200, 300, 1))) << "covers the whole line";
    ASSERT_NE(w<KreisWidget>(form.Punkt), nullptr);

    EXPECT_EQ(fenster().windowTitle(), "Probe");
    EXPECT_EQ(fenster().flaeche()->size(), QSize(400, 300));
}

TEST_F(Binder, AppliesOnlyWhatChanged) {
    EXPECT_EQ(p.abgleichen(), 0) << "nothing changed, nothing touched";

    form.Text.caption = "drei";
    form.Knopf.enabled = false;
    EXPECT_EQ(p.abgleichen(), 2);
    EXPECT_EQ(w<QLabel>(form.Text)->text(), "drei");
    EXPECT_FALSE(w(form.Knopf)->isEnabled());
    EXPECT_EQ(p.abgleichen(), 0);

    const qint64 vorher = w<BildWidget>(form.Bild)->bild().cacheKey();
    form.Bild.bild = "@lampe_rot";
    EXPECT_EQ(p.abgleichen(), 1);
    EXPECT_NE(w<BildWidget>(form.Bild)->bild().cacheKey(), vorher);

    form.Rahmen.visible = false;
    p.abgleichen();
    EXPECT_FALSE(w(form.Text)->isVisibleTo(&fenster())) << "a hidden frame hides its controls";

    form.caption = "Neu";
    p.abgleichen();
    EXPECT_EQ(fenster().windowTitle(), "Neu");
}

TEST_F(Binder, UserChoicesReachTheModel) {
    // Click on the box itself, at the left of the control.
    const QPoint links(6, 10);
    QTest::mouseClick(w(form.Haken), Qt::LeftButton, {}, links);
    EXPECT_EQ(form.Haken.wert, 1);
    EXPECT_EQ(form.hakenKlicks, 1);

    QTest::mouseClick(w(form.Wahl[1]), Qt::LeftButton, {}, links);
    EXPECT_EQ(form.Wahl[0].wert, 0);
    EXPECT_EQ(form.Wahl[1].wert, 1);

    // The game selects the first option again.
    form.Wahl[0].wert = 1;
    form.Wahl[1].wert = 0;
    p.abgleichen();
    EXPECT_TRUE(w<QRadioButton>(form.Wahl[0])->isChecked());
    EXPECT_FALSE(w<QRadioButton>(form.Wahl[1])->isChecked());

    w<QSpinBox>(form.Zahl)->stepUp();
    EXPECT_EQ(form.Zahl.wert, 6);

    QTest::mouseClick(w(form.Knopf), Qt::LeftButton);
    EXPECT_EQ(form.klicks, 1);
    form.Knopf.enabled = false;
    p.abgleichen();
    QTest::mouseClick(w(form.Knopf), Qt::LeftButton);
    EXPECT_EQ(form.klicks, 1) << "a disabled button does not click";
}

TEST_F(Binder, TimersFollowTheModelAndEachTickUpdatesTheWindow) {
    QTimer* uhr = fenster().timerVon(form.Uhr);
    ASSERT_NE(uhr, nullptr);
    EXPECT_FALSE(uhr->isActive());

    form.Uhr.enabled = true;
    form.Uhr.beiTick = [this] {
        ++form.ticks;
        form.Text.caption = std::to_string(form.ticks);
        if (form.ticks == 3) form.Uhr.enabled = false;
    };
    p.abgleichen();
    EXPECT_TRUE(uhr->isActive());
    EXPECT_EQ(uhr->interval(), 5);

    EXPECT_TRUE(warteBis([this] { return form.ticks == 3; }));
    EXPECT_EQ(w<QLabel>(form.Text)->text(), "3");
    EXPECT_FALSE(uhr->isActive()) << "the tick that disabled the timer stopped it";

    form.Uhr.intervall = 50;
    form.Uhr.enabled = true;
    p.abgleichen();
    EXPECT_EQ(uhr->interval(), 50);
}

TEST_F(Binder, TypedCharactersReachTheWindowFirstThenTheControl) {
    QWidget* knopf = w(form.Knopf);
    knopf->setFocus();
    tippe(knopf, QStringLiteral("aä"));
    EXPECT_EQ(form.tasten, (std::vector<int>{'a', 228})) << "once each, as Windows-1252 codes";

    form.tasten.clear();
    QTest::keyClick(knopf, Qt::Key_Space);
    EXPECT_EQ(form.tasten, std::vector<int>{32});
    EXPECT_EQ(form.klicks, 1) << "the focused button still takes the space key";

    form.tasten.clear();
    QTest::keyClick(knopf, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(knopf, Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(form.tasten.empty()) << "Ctrl and Alt keys are no typed characters";

    QTest::keyClick(knopf, Qt::Key_Shift);
    EXPECT_TRUE(form.tasten.empty()) << "keys without a character are not passed on";
}

TEST_F(Binder, FocusMovesWhenTheGameAsksForIt) {
    form.setzeFokus(form.Knopf);
    p.abgleichen();
    EXPECT_EQ(fenster().focusWidget(), w(form.Knopf));
    form.setzeFokus(form.Haken);
    p.abgleichen();
    EXPECT_EQ(fenster().focusWidget(), w(form.Haken));
}

TEST_F(Binder, CloseRequestGoesToTheGame) {
    fenster().close();
    EXPECT_TRUE(form.schliessenGefragt);
    EXPECT_FALSE(form.visible);
    EXPECT_FALSE(fenster().isVisible());

    // Without a handler the window just hides.
    form.beiSchliessen = nullptr;
    form.zeigeModeless();
    EXPECT_TRUE(fenster().isVisible());
    fenster().close();
    EXPECT_FALSE(form.visible);
    EXPECT_FALSE(fenster().isVisible());
}

}  // namespace
}  // namespace wxqt::test
