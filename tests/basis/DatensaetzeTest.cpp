// The packed rows of a record set: every kind of field comes back as it was
// put in, also after texts before it were added or rows removed.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "basis/Datensaetze.h"

namespace wx::test {
namespace {

TEST(DatensaetzeTest, FelderKommenUnveraendertZurueck) {
    Datensaetze d(4);
    const std::string mitNull("a\0b", 3);  // a blob's bytes
    const std::string lang(5000, 'x');
    for (int i = 0; i < 300; ++i) {  // enough for the blocks to move while growing
        d.neueZeile();
        const size_t z = d.zeilen() - 1;
        d.setzeZahl(z, 0, i == 0 ? std::numeric_limits<int64_t>::min() : i);
        d.setzeText(z, 1, i % 2 ? mitNull : "Wort" + std::to_string(i));
        if (i % 3 == 0) d.setzeText(z, 2, i == 0 ? std::string() : lang);
        d.setze(z, 3, Wert(0.5 + i));
    }
    ASSERT_EQ(d.zeilen(), 300u);
    EXPECT_EQ(d.wert(0, 0).zahl(), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(d.wert(0, 1).text(), "Wort0");
    EXPECT_EQ(d.wert(1, 1).text(), mitNull);
    // An empty text is not an empty field.
    EXPECT_FALSE(d.istNull(0, 2));
    EXPECT_EQ(d.wert(0, 2).text(), "");
    EXPECT_TRUE(d.istNull(1, 2));
    EXPECT_TRUE(d.wert(1, 2).istNull());
    EXPECT_EQ(d.wert(297, 2).text(), lang);
    EXPECT_EQ(d.wert(299, 3).text(), "299.5");
    // A field can be overwritten with another kind.
    d.setze(5, 1, Wert(int64_t{42}));
    d.setze(6, 1, Wert());
    EXPECT_EQ(d.wert(5, 1).zahl(), 42);
    EXPECT_TRUE(d.istNull(6, 1));
}

TEST(DatensaetzeTest, GanzeZahlenUndEntfernteZeilen) {
    Datensaetze d(1);
    for (const Wert& w : {Wert(int64_t{7}), Wert(3.0), Wert(2.5), Wert("8"), Wert(), Wert(1e19)}) {
        d.neueZeile();
        d.setze(d.zeilen() - 1, 0, w);
    }
    int64_t z = 0;
    EXPECT_TRUE(d.ganzzahl(0, 0, z) && z == 7);
    EXPECT_TRUE(d.ganzzahl(1, 0, z) && z == 3);
    EXPECT_FALSE(d.ganzzahl(2, 0, z));  // has a fraction
    EXPECT_FALSE(d.ganzzahl(3, 0, z));  // a text is never a key
    EXPECT_FALSE(d.ganzzahl(4, 0, z));
    EXPECT_FALSE(d.ganzzahl(5, 0, z));  // beyond a whole number's range

    d.entferneZeile(0);
    d.entferneZeile(1);
    ASSERT_EQ(d.zeilen(), 4u);
    EXPECT_EQ(d.wert(0, 0).text(), "3");
    EXPECT_EQ(d.wert(1, 0).text(), "8");
    EXPECT_TRUE(d.istNull(2, 0));

    // A query may yield rows without any column.
    Datensaetze leer(0);
    leer.neueZeile();
    leer.neueZeile();
    EXPECT_EQ(leer.zeilen(), 2u);
    leer.entferneZeile(1);
    EXPECT_EQ(leer.zeilen(), 1u);
}

}  // namespace
}  // namespace wx::test
