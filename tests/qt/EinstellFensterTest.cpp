// The settings dialog on the screen: modal from the menu, its option groups
// and spin box as real widgets, Enter for OK, and a picture of it to look at
// (einstellungen.png in the test's folder).
#include <QAction>
#include <QCheckBox>
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
