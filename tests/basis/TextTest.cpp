// The text helpers at the bottom of the game: UTF-8 read leniently by the
// game and strictly by the word tool, the Windows-1252 code page of the
// framework's files, the game's upper case, rounding and number reading.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "TestInstallation.h"
#include "basis/Text.h"
#include "basis/Zeichen.h"

namespace wx {
namespace {

std::u32string leseAlles(std::string_view text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) out += leseUtf8(text, i);
    return out;
}

// Position of the first sequence the strict reader refuses, npos if none.
size_t ersterFehler(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const size_t vorher = i;
        if (!leseUtf8Streng(text, i)) {
            EXPECT_EQ(i, vorher) << "a refused sequence must not move the position";
            return vorher;
        }
    }
    return std::string_view::npos;
}

TEST(Utf8, ReadLenientlyAndStrictly) {
    constexpr size_t gut = std::string_view::npos;
    const struct {
        const char* was;
        std::string text;
        std::u32string zeichen;  // as the game reads them
        size_t fehler;           // where the strict reader stops
    } faelle[] = {
        {"empty", "", U"", gut},
        {"umlauts and sharp s", "ÄÖÜäöüß", U"ÄÖÜäöüß", gut},
        {"four bytes", "a\xF0\x9F\x8E\xA1", U"a\U0001F3A1", gut},
        {"largest code point", "\xF4\x8F\xBF\xBF", U"\U0010FFFF", gut},
        {"Latin-1 byte", "B\xE4r", U"Bär", 1},
        {"stray continuation", "\200a", U"\200a", 0},  // octal: 0x80, then "a"
        {"cut off at the end", "Gr\xC3", U"Gr\xC3", 2},
        {"cut off by a letter", "\xE2\x82z", U"\xE2\x82z", 0},
        {"overlong slash", "\xC0\xAF", U"\xC0\xAF", 0},
        {"overlong three bytes", "\xE0\x80\xAF", U"\xE0\x80\xAF", 0},
        {"surrogate", "x\xED\xA0\x80", U"x\xED\xA0\x80", 1},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", U"\xF4\x90\x80\x80", 0},
        {"byte 0xFF", "\xFF", U"\xFF", 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.was);
        EXPECT_EQ(leseAlles(f.text), f.zeichen);
        EXPECT_EQ(ersterFehler(f.text), f.fehler);
        EXPECT_EQ(laenge(f.text), static_cast<int>(f.zeichen.size()));
        // The characters of a text, put together again, are the text: a
        // broken byte is kept, not dropped.
        std::string wieder;
        for (const auto& z : zeichen(f.text)) wieder += z;
        EXPECT_EQ(wieder, f.text);
    }
}

// The bounds of each length of sequence; what has no UTF-8 form becomes the
// replacement character.
TEST(Utf8, WrittenAndReadBack) {
    const struct {
        char32_t codepunkt;
        std::string utf8;
    } faelle[] = {
        {0, {'\0'}},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {U'ß', "\xC3\x9F"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {0xD800, "\xEF\xBF\xBD"},
        {0x110000, "\xEF\xBF\xBD"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(static_cast<unsigned>(f.codepunkt));
        EXPECT_EQ(utf8(f.codepunkt), f.utf8);
        size_t i = 0;
        const auto gelesen = leseUtf8Streng(f.utf8, i);
        ASSERT_TRUE(gelesen);
        EXPECT_EQ(i, f.utf8.size());
        if (f.utf8 != "\xEF\xBF\xBD") EXPECT_EQ(*gelesen, f.codepunkt);
    }
}

// Unassigned bytes stand for the C1 control of the same number; from 0xA0 on
// the code page is Latin-1.
TEST(Windows1252, TheBytesWhereItDiffersFromLatin1) {
    const struct {
        int byte;
        char32_t codepunkt;
    } faelle[] = {
        {0x80, U'€'}, {0x84, U'„'}, {0x93, U'“'}, {0x96, U'–'}, {0x9F, U'Ÿ'},
        {0x81, 0x81}, {0x9D, 0x9D}, {0xA0, 0xA0}, {0xDF, U'ß'},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.byte);
        EXPECT_EQ(ausWindows1252(static_cast<unsigned char>(f.byte)), f.codepunkt);
        EXPECT_EQ(nachWindows1252(f.codepunkt), f.byte);
        EXPECT_EQ(ansiCode(utf8(f.codepunkt)), f.byte);
        EXPECT_EQ(ausAnsiCode(f.byte), utf8(f.codepunkt));
    }
    // Every byte comes back from its character, and no two bytes share one.
    std::set<char32_t> gesehen;
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = ausWindows1252(static_cast<unsigned char>(b));
        EXPECT_TRUE(gesehen.insert(cp).second) << b;
        EXPECT_EQ(nachWindows1252(cp), b) << b;
    }
    for (char32_t ohne : {U'ẞ', U'ā', U'\u20AD', U'\uFFFD', U'\U0001F3A1'})
        EXPECT_EQ(nachWindows1252(ohne), -1);
}

TEST(Windows1252, WholeTexts) {
    const struct {
        std::string ansi;
        std::string utf8;
    } faelle[] = {
        {"Gr\xF6\xDF"
         "e \x80 5",
         "Größe € 5"},
        {"\x84"
         "Ja\x93 \x96 \xC4\xD6\xDC\xE4\xF6\xFC",
         "„Ja“ – ÄÖÜäöü"},
        {"", ""},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(ausAnsi(f.ansi), f.utf8);
        EXPECT_EQ(nachAnsi(f.utf8), f.ansi);
    }
    // What the code page cannot hold becomes "?"; a stray Latin-1 byte in a
    // text is kept as the letter it stands for.
    EXPECT_EQ(nachAnsi("Gro\xC3\x9F: \xE1\xBA\x9E"), "Gro\xDF: ?");
    EXPECT_EQ(nachAnsi("B\xE4r"), "B\xE4r");
    EXPECT_EQ(ansiCode(""), -1);
    EXPECT_EQ(ansiCode("ẞ"), -1);
}

TEST(Text, UpperCaseOfTheGame) {
    const struct {
        std::string text;
        std::string gross;
    } faelle[] = {
        {"straße", "STRAßE"}, {"äöü ÄÖÜ", "ÄÖÜ ÄÖÜ"}, {"Fuß-Ball 12", "FUß-BALL 12"},
        {"éàç", "éàç"},       {"B\xE4r", "BÄR"},      {"", ""},
    };
    for (const auto& f : faelle) EXPECT_EQ(gross(f.text), f.gross) << f.text;
}

TEST(Text, RoundingHalvesToEven) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x;
        int64_t gerundet;
    } faelle[] = {
        {0.5, 0},    {1.5, 2},    {2.5, 2},   {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-7.6, -8}, {0, 0},    {nan, 0},
    };
    for (const auto& f : faelle) EXPECT_EQ(runde(f.x), f.gerundet) << f.x;
    EXPECT_EQ(runde(1e19), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(runde(-1e19), std::numeric_limits<int64_t>::min());
}

TEST(Text, LeadingNumbersAndBlanks) {
    const struct {
        std::string text;
        double zahl;
    } faelle[] = {{"12abc", 12},  {" \t3", 3}, {"x", 0}, {"-2.5kg", -2.5}, {"+.5", 0.5},
                  {"1.2.3", 1.2}, {"1e3", 1},  {"-", 0}, {"", 0}};
    for (const auto& f : faelle) EXPECT_DOUBLE_EQ(zahlAmAnfang(f.text), f.zahl) << f.text;
    EXPECT_EQ(trimme(" \t Rad fahren\t "), "Rad fahren");
    EXPECT_EQ(trimme("  "), "");
}

TEST(Text, FilesAreFoundWithoutRegardToCase) {
    test::TestInstallation inst;
    inst.schreibeAnsi("Grafik/GRAD0.WMF", {"x"});
    EXPECT_TRUE(dateiVorhanden(inst.pfad() + "\\grafik\\grad0.wmf"));
    EXPECT_TRUE(dateiVorhanden(inst.pfad() + "/GRAFIK/Grad0.Wmf"));
    EXPECT_FALSE(dateiVorhanden(inst.pfad() + "\\Grafik\\GRAD10.WMF"));
    const auto zeilen = leseAnsiZeilen(inst.pfad() + "\\grafik\\GRAD0.wmf");
    ASSERT_TRUE(zeilen);
    EXPECT_EQ(zeilen->size(), 1u);
}

}  // namespace
}  // namespace wx
