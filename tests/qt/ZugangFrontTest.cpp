// The names a screen reader gets from the real widgets, through Qt's
// accessibility interfaces: the score, the wheel, a lamp, the meters.
#include <QAccessible>
#include <QAccessibleInterface>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Steuerwidgets.h"

namespace wxqt::test {
namespace {

QString gesprochen(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

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

// The wheel's hidden pictures cost nothing at start-up; each is drawn, at
// the size of its box, the first time the wheel shows it.
TEST(BilderFront, AWheelPictureIsDrawnWhenFirstShown) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    auto* erstes = s.widget<BildWidget>(m.RadImg[0]);
    auto* zweites = s.widget<BildWidget>(m.RadImg[1]);
    EXPECT_FALSE(erstes->bild().isNull()) << "the picture on show";
    EXPECT_TRUE(zweites->bild().isNull()) << "a hidden picture, not drawn yet";
    m.RadImg[0].visible = false;
    m.RadImg[1].visible = true;
    s.plattform.abgleichen();
    ASSERT_FALSE(zweites->bild().isNull());
    EXPECT_EQ(zweites->bild().size(), erstes->bild().size());
    EXPECT_EQ(zweites->bild().size(), zweites->size());
}

}  // namespace
}  // namespace wxqt::test
