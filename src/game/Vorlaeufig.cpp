// TEMPORARY: empty routines until round play is written; delete each one
// as its real definition lands.
#include "start/MainFrm.h"

namespace wx {
void MainFrm::Form_KeyPress(int16_t) {}
void MainFrm::bstBtn_Click(int16_t) {}
void MainFrm::pruefeBuchstabe(int16_t) {}
void MainFrm::setzeBuchstabenTasten(bool) {}
void MainFrm::BstKaufBtn_Click() {}
void MainFrm::WortRatenBtn_Click() {}
void MainFrm::naechsterSpieler() {}
void MainFrm::zeigePunkte() {}
void MainFrm::updateSpielerPunkte() {}
void MainFrm::gibHilfe() {}
void MainFrm::holeSatzBeispiel() {}
int16_t MainFrm::SatzBreite() { return 0; }
void MainFrm::uebernehmeSatzSchrift() {}
void MainFrm::showSatzBtn_Click() {}
void MainFrm::mnuDateiNeu_Click() {}
void MainFrm::RadDrehen() {}
void MainFrm::gradTimer_Timer() {}
void MainFrm::RadStoppen() {}
void MainFrm::drehenBtn_Click() {}
void MainFrm::anhaltenBtn_Click() {}
}  // namespace wx
