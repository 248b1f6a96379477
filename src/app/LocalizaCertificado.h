// The quick certificate lookup of the main window: the certificate chosen in the lookup dialog
// is read from the register of its cycle and summarised, or offered for entry when missing.
#pragma once

// Cycle 20 and before: the legacy register (table Vacunaciones).
void BuscaCertificado();
// Cycle 21 and later: table Ciclos.
void BuscaCertificado_New();
