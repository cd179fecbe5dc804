// Windows that are only a colour, on a real X server (run under xvfb-run):
// the server fills them, Qt keeps no image of them, and a window with
// controls is painted by Qt as before.
#include <QApplication>
#include <QBackingStore>
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

QtPlattform::Optionen ohneTon() {
    QtPlattform::Optionen o;
    o.ton = false;
    o.startSkala = 1.5;
    return o;
}

TEST(XFlaeche, AWindowWithoutControlsIsFilledByTheServer) {
    ASSERT_EQ(QGuiApplication::platformName(), QLatin1String("xcb")) << "needs an X server (xvfb-run)";
    QtPlattform plattform(ohneTon());
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
    QtPlattform plattform(ohneTon());
    wx::MldFenster meldung(plattform);
    meldung.zeigeModeless();
    FormFenster* f = plattform.fenster(meldung);
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    EXPECT_FALSE(f->nurFarbe());
    ASSERT_NE(f->backingStore(), nullptr);
    EXPECT_FALSE(f->backingStore()->size().isEmpty());
}

}  // namespace
}  // namespace wxqt::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
