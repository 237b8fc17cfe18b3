// Compact, repair and backup from the "Project &Options" menu.
#include "app/Frmemployee1.h"

void Frmemployee1::MnuCompact_Click() {}
void Frmemployee1::MnuRepair_Click() {}
void Frmemployee1::Backup_Click() {}
