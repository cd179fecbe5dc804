// The message window as a real modal dialog: its computed size, its buttons,
// Enter and the accelerators, and the main window's timers running on while
// it waits.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Masse.h"
#include "ui/MldFenster.h"

namespace wxqt::test {
namespace {

class Meldung : public ::testing::Test {
protected:
    QtPlattform p{testOptionen(1.0)};
    wx::MldFenster mld{p};

    FormFenster& fenster() { return *p.fenster(mld); }
    QWidget* w(const wx::Steuerelement& s) { return fenster().widgetVon(s); }
    // Runs pruefe once the window is on the screen, while zeige() waits.
    void waehrendDerMeldung(std::function<void()> pruefe) { QTimer::singleShot(0, std::move(pruefe)); }
};

TEST_F(Meldung, TheDialogHasTheComputedOuterSizeAndEnterPressesTheFirstButton) {
    bool geprueft = false;
    waehrendDerMeldung([&] {
        FormFenster& f = fenster();
        EXPECT_TRUE(f.isModal());
        const QSize aussen(zuPixel(mld.width, 1.0), zuPixel(mld.height, 1.0));
        EXPECT_TRUE(warteBis([&] { return f.frameGeometry().size() == aussen; }))
            << "outer size " << f.frameGeometry().width() << "x" << f.frameGeometry().height();
        EXPECT_EQ(w(mld.Btn1)->pos(), QPoint(zuPixel(mld.Btn1.left, 1.0), zuPixel(mld.Btn1.top, 1.0)));
        EXPECT_FALSE(w(mld.Btn2)->isVisibleTo(&f));
        EXPECT_EQ(static_cast<QLabel*>(w(mld.Meldung))->text(), "Zeile eins\nzweite Zeile");
        EXPECT_EQ(f.windowTitle(), "Hilfe");
        geprueft = true;
        QTest::keyClick(f.focusWidget() ? f.focusWidget() : &f, Qt::Key_Return);
    });
    mld.zeige("Zeile eins\rzweite Zeile", "&OK", "", "Hilfe");
    EXPECT_TRUE(geprueft);
    EXPECT_EQ(mld.Antwort, "OK");
    EXPECT_FALSE(fenster().isVisible());
}

TEST_F(Meldung, QuestionsAreAnsweredByEnterOrByTheAccelerator) {
    waehrendDerMeldung([&] {
        EXPECT_TRUE(w(mld.Btn2)->isVisibleTo(&fenster()));
        EXPECT_EQ(w(mld.Btn2)->geometry().right() + 1,
                  zuPixel(mld.MldFrame.left + mld.MldFrame.width, 1.0))
            << "the second button ends with the frame";
        QTest::keyClick(fenster().focusWidget(), Qt::Key_Return);
    });
    mld.zeige("Neues Spiel?", "&ja", "&nein", "Neues Spiel");
    EXPECT_EQ(mld.Antwort, "ja");

    // The first answer hid its button and the focus moved on; the next
    // question still answers Enter with its first button.
    waehrendDerMeldung([&] { QTest::keyClick(fenster().focusWidget(), Qt::Key_Return); });
    mld.zeige("Noch ein Spiel?", "&ja", "&nein", "Neues Spiel");
    EXPECT_EQ(mld.Antwort, "ja");

    waehrendDerMeldung([&] {
        // Accelerators belong to the active window.
        QApplication::setActiveWindow(&fenster());
        QTest::keyClick(&fenster(), Qt::Key_N, Qt::AltModifier);
        // An accelerator presses its button visibly, a moment later.
        EXPECT_TRUE(warteBis([&] { return !mld.visible; }, 1000));
        if (mld.visible) static_cast<QPushButton*>(w(mld.Btn1))->click();
    });
    mld.zeige("Neues Spiel?", "&ja", "&nein", "Neues Spiel");
    EXPECT_EQ(mld.Antwort, "nein");

    waehrendDerMeldung([&] {
        EXPECT_FALSE(w(mld.Btn2)->isVisibleTo(&fenster())) << "only the button of this message";
        static_cast<QPushButton*>(w(mld.Btn1))->click();
    });
    mld.zeige("Gut gemacht.", "&OK", "", "Hilfe");
    EXPECT_EQ(mld.Antwort, "OK");
}

TEST_F(Meldung, TheMainWindowsTimersKeepFiringWhileTheMessageWaits) {
    ProbeFrm haupt(p);
    haupt.zeigeModeless();
    haupt.Uhr.enabled = true;
    p.abgleichen();
    waehrendDerMeldung([&] {
        EXPECT_TRUE(warteBis([&] { return haupt.ticks >= 3; }));
        static_cast<QPushButton*>(w(mld.Btn1))->click();
    });
    mld.zeige("Warte.", "&OK", "", "Hilfe");
    EXPECT_GE(haupt.ticks, 3);
}

TEST_F(Meldung, AModalWindowHiddenByTheGameEndsItsLoop) {
    // A tick of another window answers the message: the wait ends with it.
    ProbeFrm haupt(p);
    haupt.zeigeModeless();
    haupt.Uhr.enabled = true;
    haupt.Uhr.beiTick = [&] {
        if (++haupt.ticks == 2) mld.Btn2_Click();
    };
    p.abgleichen();
    mld.zeige("Frage?", "&ja", "&nein", "Frage");
    EXPECT_EQ(mld.Antwort, "nein");
    EXPECT_FALSE(fenster().isVisible());
}

}  // namespace
}  // namespace wxqt::test
