// Reading compiled HTML help files (.chm) without a window toolkit: their
// internal files, their default topic, and the map from context numbers to
// topics. The help window of the front shows what this finds; tests and the
// fuzzer use it directly.
//
// A help file may come from anywhere, so nothing in it is trusted: every
// length and offset is checked, objects are read up to a size limit, and a
// broken file gives "not found" answers, never a crash.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace wx {

class ChmDatei {
public:
    // Opens a help file; nullptr when it is missing or no help file. fehler,
    // when given, then receives a German sentence for the reader.
    static std::unique_ptr<ChmDatei> oeffne(const std::string& pfad, std::string* fehler = nullptr);
    ~ChmDatei();
    ChmDatei(const ChmDatei&) = delete;
    ChmDatei& operator=(const ChmDatei&) = delete;

    // The file's own name, without folder ("Tesk.chm").
    const std::string& name() const { return name_; }

    // The internal file at a path in any case, with "\" or "/", with or
    // without the leading "/": its canonical path ("/html/Regeln.htm").
    std::optional<std::string> finde(const std::string& pfad) const;
    // Its contents; nullopt when absent, too large or unreadable.
    std::optional<std::string> lies(const std::string& pfad) const;

    // The topic shown first, as a canonical path (with "#anchor" if any).
    std::optional<std::string> standardThema() const;
    // The topic of a context number, as a canonical path (with "#anchor").
    std::optional<std::string> themaZuKontext(int32_t kontext) const;
    // The context map as the file states it (number -> path as written).
    const std::map<int32_t, std::string>& kontexte() const { return kontexte_; }

    // Canonical paths of the ordinary files (no "#", "$" or "::" entries).
    const std::vector<std::string>& themen() const { return themen_; }

    // Objects larger than this are not read.
    static constexpr size_t kGroessteDatei = 32u << 20;

private:
    ChmDatei() = default;
    std::optional<std::string> liesIntern(const std::string& kanonisch) const;

    chmFile* datei_ = nullptr;
    std::string name_;
    std::map<std::string, std::string> nachKlein_;  // lower-case path -> canonical path
    std::vector<std::string> themen_;
    std::map<int32_t, std::string> kontexte_;
    std::optional<std::string> standard_;
};

// ---- the pieces, usable on their own ----

// The context map from the internal files "#IVB" (pairs of number and offset
// into "#STRINGS") and "#STRINGS" (texts ended by NUL). Pairs that point
// outside the strings are skipped; the first pair of a number wins.
std::map<int32_t, std::string> leseKontextTabelle(const std::string& ivb, const std::string& strings);

// The default topic recorded in the internal file "#SYSTEM", as written.
std::optional<std::string> leseStandardThema(const std::string& system);

// Finds the topic a path of the context map means. Paths there may be
// absolute paths of the machine that compiled the file ("C:\Projekt\html\a.htm",
// "/home/x/html/a.htm"), relative ("html\a.htm", "./a.htm") or internal
// ("/html/a.htm", "ms-its:x.chm::/a.htm"): the topic whose path shares the
// longest tail of folders with it wins, at least the file name must agree;
// among equal tails the shortest topic path, then the first in order.
std::optional<std::string> passendesThema(const std::string& kartenPfad,
                                          const std::vector<std::string>& themen);

// What a help request shows: a page of the file, or a German message why not.
struct HilfeZiel {
    std::string seite;   // canonical internal path, optionally with "#anchor"
    std::string fehler;  // German text for the reader; empty when seite is set
};
// befehl 0: the default topic; 15: the topic of a context number.
HilfeZiel hilfeZiel(const ChmDatei& chm, int befehl, int32_t kontext);

}  // namespace wx
