// A compiled help file: opening it, its topics, default topic and context
// map, and the pieces of the context map on their own.
#include <algorithm>

#include "FuzzHilfe.h"
#include "hilfe/ChmDatei.h"

using namespace wx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const std::string_view text = fuzz::alsText(daten, groesse);
    // The same bytes as the two internal files of a context map and as the
    // file naming the default topic.
    const std::string ivb(text.substr(0, text.size() / 2)), strings(text.substr(text.size() / 2));
    const auto karte = leseKontextTabelle(ivb, strings);
    for (const auto& [nummer, pfad] : karte)
        fuzz::verlange(pfad.size() <= strings.size(), "path beyond the strings");
    if (const auto thema = leseStandardThema(std::string(text)))
        fuzz::verlange(thema->size() <= text.size(), "topic beyond the file");

    const std::string pfad = fuzz::schreibe("Hilfe.chm", text);
    std::string fehler;
    const auto chm = ChmDatei::oeffne(pfad, &fehler);
    if (!chm) {
        fuzz::verlange(!fehler.empty(), "refused without a message");
        return 0;
    }
    const auto& themen = chm->themen();
    for (size_t i = 0; i < std::min<size_t>(themen.size(), 8); ++i) {
        fuzz::verlange(chm->finde(themen[i]).has_value(), "listed topic not found");
        (void)chm->lies(themen[i]);
    }
    (void)chm->standardThema();
    int gefragt = 0;
    for (const auto& [nummer, ziel] : chm->kontexte()) {
        (void)passendesThema(ziel, themen);
        const HilfeZiel h = hilfeZiel(*chm, 15, nummer);
        fuzz::verlange(h.seite.empty() != h.fehler.empty(), "neither page nor message");
        if (++gefragt == 8) break;
    }
    const HilfeZiel start = hilfeZiel(*chm, 0, 0);
    fuzz::verlange(start.seite.empty() != start.fehler.empty(), "neither page nor message");
    return 0;
}
