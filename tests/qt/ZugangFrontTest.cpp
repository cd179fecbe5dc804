// The names a screen reader gets from the real widgets, through Qt's
// accessibility interfaces: the score, the wheel, a lamp, the meters.
#include <QAccessible>
#include <QAccessibleInterface>
#include <gtest/gtest.h>

#include "FrontTest.h"

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

}  // namespace
}  // namespace wxqt::test
