// The settings dialog on the screen: opened from the menu as a modal window,
// its option groups and its spin box as real widgets, Enter for OK, and a
// picture of it for the eye (einstellungen.png in the test's folder).
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "fenster/EinstellFrm.h"

namespace wxqt::test {
namespace {

TEST(EinstellFenster, OpensModallyFromTheMenuAndTakesRealClicks) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& d = s.spiel->einstellFrm();
    bool gesehen = false;
    QTimer::singleShot(0, [&] {
        FormFenster* f = s.plattform.fenster(d);
        if (!f) return;  // the test below fails; the game closes the dialog
        auto w = [f](const wx::Steuerelement& c) { return f->widgetVon(c); };
        gesehen = f->isVisible() && f->isModal();
        EXPECT_EQ(f->windowTitle(), "Einstellungen");
        f->grab().save("einstellungen.png");

        auto* stark = static_cast<QRadioButton*>(w(d.SpSt[0]));
        auto* schwach = static_cast<QRadioButton*>(w(d.SpSt[2]));
        auto* farbig = static_cast<QRadioButton*>(w(d.LoesWortFarbe));
        auto* rahmen = static_cast<QCheckBox*>(w(d.BstRahmEin));
        EXPECT_EQ(schwach->text(), "sc&hwach");
        EXPECT_EQ(w(d.SpSt[1])->parentWidget(), w(d.Frame1));
        QTest::mouseClick(schwach, Qt::LeftButton, {}, QPoint(5, schwach->height() / 2));
        EXPECT_FALSE(stark->isChecked());
        EXPECT_TRUE(farbig->isChecked()) << "the colour options are a group of their own";
        QTest::mouseClick(w(d.LoesWortSW), Qt::LeftButton, {}, QPoint(5, 5));
        s.plattform.abgleichen();
        EXPECT_TRUE(rahmen->isChecked());
        EXPECT_FALSE(rahmen->isEnabled());

        auto* zahl = static_cast<QSpinBox*>(w(d.UpDnFehlVersuche));
        EXPECT_EQ(zahl->value(), 5);
        zahl->setValue(12);
        EXPECT_EQ(zahl->value(), 9) << "the up-down control ends at 9";
        EXPECT_EQ(zahl->geometry().right() + 1, w(d.Frame3)->width() - (3345 - 2670 - 555) / 15)
            << "text box and arrows together";
        EXPECT_TRUE(static_cast<QPushButton*>(w(d.okBtn))->isDefault());
        QTest::keyClick(f->focusWidget() ? f->focusWidget() : f, Qt::Key_Return);
        if (d.visible) d.abbrBtn_Click();
    });
    s.fenster().aktionVon(s.main().mnuBearbEinstell)->trigger();
    EXPECT_TRUE(gesehen);
    EXPECT_FALSE(d.visible);
    auto& g = s.spiel->glob;
    EXPECT_EQ(g.ComputerSpielStaerke, 2);
    EXPECT_EQ(g.LoesungswortFarbig, wx::FALSCH);
    EXPECT_EQ(g.BuchstabenRahmen, 1);
    EXPECT_EQ(g.FehlversucheMaximum, 9);
}

}  // namespace
}  // namespace wxqt::test
