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
        {.was = "empty", .text = "", .zeichen = U"", .fehler = gut},
        {.was = "umlauts and sharp s", .text = "ÄÖÜäöüß", .zeichen = U"ÄÖÜäöüß", .fehler = gut},
        {.was = "four bytes", .text = "a\xF0\x9F\x8E\xA1", .zeichen = U"a\U0001F3A1", .fehler = gut},
        {.was = "largest code point", .text = "\xF4\x8F\xBF\xBF", .zeichen = U"\U0010FFFF", .fehler = gut},
        {.was = "Latin-1 byte", .text = "B\xE4r", .zeichen = U"Bär", .fehler = 1},
        {.was = "stray continuation",
         .text = "\x80"
                 "a",
         .zeichen = U"\x80"
                    "a",
         .fehler = 0},
        {.was = "cut off at the end", .text = "Gr\xC3", .zeichen = U"Gr\xC3", .fehler = 2},
        {.was = "cut off by a letter", .text = "\xE2\x82z", .zeichen = U"\xE2\x82z", .fehler = 0},
        {.was = "overlong slash", .text = "\xC0\xAF", .zeichen = U"\xC0\xAF", .fehler = 0},
        {.was = "overlong three bytes", .text = "\xE0\x80\xAF", .zeichen = U"\xE0\x80\xAF", .fehler = 0},
        {.was = "surrogate", .text = "x\xED\xA0\x80", .zeichen = U"x\xED\xA0\x80", .fehler = 1},
        {.was = "beyond U+10FFFF", .text = "\xF4\x90\x80\x80", .zeichen = U"\xF4\x90\x80\x80", .fehler = 0},
        {.was = "byte 0xFF", .text = "\xFF", .zeichen = U"\xFF", .fehler = 0},
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

TEST(Utf8, WrittenAndReadBack) {
    const struct {
        char32_t codepunkt;
        std::string utf8;
    } faelle[] = {
        {.codepunkt = 0, .utf8 = std::string(1, '\0')},
        {.codepunkt = 0x7F, .utf8 = "\x7F"},
        {.codepunkt = 0x80, .utf8 = "\xC2\x80"},
        {.codepunkt = U'ß', .utf8 = "\xC3\x9F"},
        {.codepunkt = 0x7FF, .utf8 = "\xDF\xBF"},
        {.codepunkt = 0x800, .utf8 = "\xE0\xA0\x80"},
        {.codepunkt = U'€', .utf8 = "\xE2\x82\xAC"},
        {.codepunkt = 0xFFFF, .utf8 = "\xEF\xBF\xBF"},
        {.codepunkt = 0x10000, .utf8 = "\xF0\x90\x80\x80"},
        {.codepunkt = 0x10FFFF, .utf8 = "\xF4\x8F\xBF\xBF"},
        // What has no UTF-8 form becomes the replacement character.
        {.codepunkt = 0xD800, .utf8 = "\xEF\xBF\xBD"},
        {.codepunkt = 0x110000, .utf8 = "\xEF\xBF\xBD"},
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

TEST(Windows1252, TheBytesWhereItDiffersFromLatin1) {
    const struct {
        int byte;
        char32_t codepunkt;
    } faelle[] = {
        {.byte = 0x80, .codepunkt = U'€'},
        {.byte = 0x82, .codepunkt = U'‚'},
        {.byte = 0x84, .codepunkt = U'„'},
        {.byte = 0x85, .codepunkt = U'…'},
        {.byte = 0x8A, .codepunkt = U'Š'},
        {.byte = 0x8C, .codepunkt = U'Œ'},
        {.byte = 0x93, .codepunkt = U'“'},
        {.byte = 0x96, .codepunkt = U'–'},
        {.byte = 0x99, .codepunkt = U'™'},
        {.byte = 0x9F, .codepunkt = U'Ÿ'},
        // Unassigned: the C1 control of the same number.
        {.byte = 0x81, .codepunkt = 0x81},
        {.byte = 0x9D, .codepunkt = 0x9D},
        // Latin-1 from 0xA0 on.
        {.byte = 0xA0, .codepunkt = 0xA0},
        {.byte = 0xC4, .codepunkt = U'Ä'},
        {.byte = 0xDF, .codepunkt = U'ß'},
        {.byte = 0xFC, .codepunkt = U'ü'},
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
        {.ansi = "Gr\xF6\xDF"
                 "e \x80 5",
         .utf8 = "Größe € 5"},
        {.ansi = "\x84"
                 "Ja\x93 \x96 \xC4\xD6\xDC\xE4\xF6\xFC",
         .utf8 = "„Ja“ – ÄÖÜäöü"},
        {.ansi = "", .utf8 = ""},
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
        {.text = "straße", .gross = "STRAßE"},
        {.text = "äöü ÄÖÜ", .gross = "ÄÖÜ ÄÖÜ"},
        {.text = "Fuß-Ball 12", .gross = "FUß-BALL 12"},
        {.text = "éàç", .gross = "éàç"},
        {.text = "B\xE4r", .gross = "BÄR"},
        {.text = "", .gross = ""},
    };
    for (const auto& f : faelle) EXPECT_EQ(gross(f.text), f.gross) << f.text;
}

TEST(Text, RoundingHalvesToEven) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x;
        int64_t gerundet;
    } faelle[] = {
        {.x = 0.5, .gerundet = 0},
        {.x = 1.5, .gerundet = 2},
        {.x = 2.5, .gerundet = 2},
        {.x = 3.5, .gerundet = 4},
        {.x = -0.5, .gerundet = 0},
        {.x = -1.5, .gerundet = -2},
        {.x = -2.5, .gerundet = -2},
        {.x = 2.4999, .gerundet = 2},
        {.x = 2.5001, .gerundet = 3},
        {.x = -7.6, .gerundet = -8},
        {.x = 0, .gerundet = 0},
        {.x = nan, .gerundet = 0},
        {.x = 1e19, .gerundet = std::numeric_limits<int64_t>::max()},
        {.x = -1e19, .gerundet = std::numeric_limits<int64_t>::min()},
    };
    for (const auto& f : faelle) EXPECT_EQ(runde(f.x), f.gerundet) << f.x;
}

TEST(Text, LeadingNumbersAndBlanks) {
    const struct {
        std::string text;
        double zahl;
    } faelle[] = {
        {.text = "12abc", .zahl = 12},    {.text = " \t3", .zahl = 3},  {.text = "x", .zahl = 0},
        {.text = "-2.5kg", .zahl = -2.5}, {.text = "+.5", .zahl = 0.5}, {.text = "1.2.3", .zahl = 1.2},
        {.text = "1e3", .zahl = 1},       {.text = "-", .zahl = 0},     {.text = "", .zahl = 0},
    };
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
