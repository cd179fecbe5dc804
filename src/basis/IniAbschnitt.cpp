#include "basis/IniAbschnitt.h"

#include "basis/Text.h"

namespace wx {

std::vector<IniEintrag> leseIniEintraege(const std::vector<std::string>& zeilen, std::string_view kopf,
                                         const std::vector<std::string>& schluessel, IniSuche suche) {
    std::vector<IniEintrag> eintraege;
    for (size_t i = abschnittsAnfang(zeilen, kopf); i < zeilen.size(); ++i) {
        const std::string& z = zeilen[i];
        if (suche == IniSuche::abschnitt && beginntMit(z, "[")) break;
        for (size_t k = 0; k < schluessel.size(); ++k) {
            const std::string& s = schluessel[k];
            if (z.size() > s.size() && z.compare(0, s.size(), s) == 0 && z[s.size()] == '=') {
                eintraege.push_back({k, trimme(z.substr(s.size() + 1))});
                break;
            }
        }
    }
    return eintraege;
}

std::vector<std::optional<std::string>> leseIniAbschnitt(const std::vector<std::string>& zeilen,
                                                         std::string_view kopf,
                                                         const std::vector<std::string>& schluessel,
                                                         IniSuche suche) {
    std::vector<std::optional<std::string>> werte(schluessel.size());
    for (auto& [k, wert] : leseIniEintraege(zeilen, kopf, schluessel, suche))
        if (suche == IniSuche::abschnitt || !werte[k]) werte[k] = std::move(wert);
    return werte;
}

}  // namespace wx
