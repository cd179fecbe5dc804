// Which fonts of this system stand in for the Windows fonts of the game's
// design; the windows and the wheel pictures share the choice.
#include <QFontInfo>
#include <QGuiApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Schriften.h"

namespace wxqt::test {
namespace {

TEST(Schriften, WindowsFontsBecomeLookAlikes) {
    const QStringList spielSchrift = schriftFamilien(QStringLiteral("MS Sans Serif"));
    ASSERT_FALSE(spielSchrift.isEmpty());
    EXPECT_EQ(spielSchrift.first(), QStringLiteral("Liberation Sans"));
    EXPECT_FALSE(spielSchrift.contains(QStringLiteral("MS Sans Serif")))
        << "the windows' layout was measured with Liberation Sans, even where the original exists";

    QFont::insertSubstitution(QStringLiteral("Wirbelschrift"), QStringLiteral("DejaVu Serif"));
    const struct {
        const char* name;
        QStringList anfang;  // the families asked for first
        const char* danach;  // a later family, nullptr if none must follow
    } faelle[] = {
        {.name = "Arial", .anfang = spielSchrift, .danach = nullptr},
        {.name = " ms sans serif ", .anfang = spielSchrift, .danach = nullptr},
        {.name = "", .anfang = spielSchrift, .danach = nullptr},
        {.name = "Times New Roman",
         .anfang = {"Times New Roman", "Liberation Serif"},
         .danach = "DejaVu Serif"},
        {.name = "courier new", .anfang = {"courier new", "Liberation Mono"}, .danach = "DejaVu Sans Mono"},
        {.name = "Helvetica", .anfang = {"Helvetica", "Liberation Sans"}, .danach = "DejaVu Sans"},
        {.name = "Wirbelschrift", .anfang = {"Wirbelschrift", "DejaVu Serif"}, .danach = nullptr},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const QStringList familien = schriftFamilien(QString::fromUtf8(f.name));
        // Qt keeps registered substitutes in lower case; font names match regardless.
        auto text = [](const QStringList& l) { return l.join(QLatin1Char(',')).toLower().toStdString(); };
        EXPECT_EQ(text(familien.mid(0, f.anfang.size())), text(f.anfang));
        if (f.danach)
            EXPECT_TRUE(familien.mid(f.anfang.size()).contains(QString::fromUtf8(f.danach)))
                << text(familien);
        else
            EXPECT_EQ(familien.size(), f.anfang.size());
    }
}

TEST(Schriften, TheWindowsGetTheSameFontForBothDesignedFonts) {
    const QFont dialog = qtSchrift(wx::Schrift{"MS Sans Serif", 9.75, true, false}, 1.0);
    const QFont arial = qtSchrift(wx::Schrift{"Arial", 9.75, true, false}, 1.0);
    EXPECT_EQ(dialog.families(), schriftFamilien(QStringLiteral("Arial")));
    EXPECT_EQ(QFontInfo(dialog).family(), QFontInfo(arial).family());
    EXPECT_EQ(QFontInfo(dialog).family(), QStringLiteral("Liberation Sans"));
}

TEST(Schriften, WhatHasNoDesignedFontUsesTheGamesFamilyAtTheDesktopsSize) {
    const QFont vorher = QGuiApplication::font();
    setzeGrundschrift();
    QWidget ohneSchrift;
    EXPECT_EQ(QFontInfo(ohneSchrift.font()).family().toStdString(), "Liberation Sans");
    EXPECT_EQ(ohneSchrift.font().pointSizeF(), vorher.pointSizeF());
    QGuiApplication::setFont(vorher);
}

}  // namespace
}  // namespace wxqt::test
