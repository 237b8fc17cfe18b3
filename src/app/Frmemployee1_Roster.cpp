// "Print Employee &Roster": staff by area with counts and a total.
#include "app/Frmemployee1.h"

void Frmemployee1::roster_Click() {}
