// Windows on a real X server (run under xvfb-run). Windows that are only a
// colour: the server fills them, Qt keeps no image of them, and a window with
// controls is painted by Qt as before. Menu bars and frames load no image
// plugins.
#include <QApplication>
#include <QBackingStore>
#include <QFile>
#include <QStyle>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "fenster/DateiInfoFrm.h"
#include "fenster/MldFenster.h"
#include "qt/FormFenster.h"
#include "qt/QtPlattform.h"

namespace wxqt::test {
namespace {

const QtPlattform::Optionen kOhneTon{.ton = false, .startSkala = 1.5};

TEST(XFlaeche, AWindowWithoutControlsIsFilledByTheServer) {
    ASSERT_EQ(QGuiApplication::platformName(), QLatin1String("xcb")) << "needs an X server (xvfb-run)";
    QtPlattform plattform(kOhneTon);
    wx::GradBackFrm hintergrund(plattform);
    hintergrund.hinter = wx::Farbe{0, 64, 128};
    hintergrund.zeigeModeless();
    FormFenster* f = plattform.fenster(hintergrund);
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    QTest::qWait(100);

    EXPECT_TRUE(f->nurFarbe());
    EXPECT_TRUE(!f->backingStore() || f->backingStore()->size().isEmpty())
        << "Qt holds an image of a window that is only a colour";
    const QRect r = f->geometry();
    ASSERT_GT(r.width(), 400);
    const QImage bild = f->screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
    for (QPoint p :
         {QPoint(2, 2), QPoint(r.width() / 2, r.height() / 2), QPoint(r.width() - 3, r.height() - 3)})
        EXPECT_EQ(bild.pixelColor(p), QColor(0, 64, 128)) << "at " << p.x() << "," << p.y();

    // A new colour reaches the screen as well.
    hintergrund.hinter = wx::Farbe{200, 10, 20};
    plattform.abgleichen();
    QTest::qWait(100);
    const QImage neu = f->screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
    EXPECT_EQ(neu.pixelColor(r.width() / 2, r.height() / 2), QColor(200, 10, 20));
}

TEST(XFlaeche, AWindowWithControlsIsPaintedByQt) {
    QtPlattform plattform(kOhneTon);
    wx::MldFenster meldung(plattform);
    meldung.zeigeModeless();
    FormFenster* f = plattform.fenster(meldung);
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    EXPECT_FALSE(f->nurFarbe());
    ASSERT_NE(f->backingStore(), nullptr);
    EXPECT_FALSE(f->backingStore()->size().isEmpty());
}

// Whether a library whose path contains `name` is mapped into this process.
bool geladen(const char* name) {
    QFile karte("/proc/self/maps");
    return karte.open(QIODevice::ReadOnly) && karte.readAll().contains(name);
}

class MenueFenster : public wx::Form {
public:
    explicit MenueFenster(wx::Plattform& p) : Form(p, "MenueFenster") {
        width = 4800;
        height = 3600;
        caption = "Menü";
        titel.caption = "&Datei";
        titel.eintraege = {&ende};
        ende.caption = "&Beenden";
        menues = {&titel};
        neu(rahmen, wx::Art::Frame, "Rahmen", nullptr, 240, 240, 3000, 1500).caption = "Rahmen";
    }
    wx::MenuEintrag titel, ende;
    wx::Steuerelement rahmen;
};

TEST(XFenster, AMenuBarAndAFrameLoadNoImagePlugins) {
    QtPlattform plattform(kOhneTon);
    MenueFenster fenster(plattform);
    fenster.zeigeModeless();
    FormFenster* f = plattform.fenster(fenster);
    ASSERT_NE(f, nullptr);
    ASSERT_NE(f->menueLeiste(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    QTest::qWait(50);
    // The bar's overflow button has an icon of its own all the same.
    EXPECT_FALSE(f->style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).isNull());
    EXPECT_FALSE(geladen("imageformats/")) << "an image plugin was loaded for the menu bar or the frame";
}

}  // namespace
}  // namespace wxqt::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
