#include "fenster/EinstellFrm.h"

#include "fenster/Spiel.h"
#include "settings/Einstellungen.h"

namespace wx {

EinstellFrm::EinstellFrm(Spiel& spiel) : Form(spiel.plattform, "EinstellFrm"), spiel_(spiel) { helpId = 3003; }

void EinstellFrm::loadKelmoIni() { ladeEinstellungen(spiel_.glob); }

// The dialog's controls and the rewrite of the section come with the dialog.
void EinstellFrm::saveKelmoIni() {}

}  // namespace wx
