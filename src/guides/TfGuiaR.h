// The two printed layouts of a movement guide on pre-printed stationery: TfGuiaR (A4) and
// TfGuiaR2 (Letter, the second version of the latest letterhead model). Every item is a named
// label at its position on the sheet; the caller fills the captions.
#pragma once

#include "reports/Informe.h"

class TfGuiaR : public Informe {
public:
    TfGuiaR();
};

class TfGuiaR2 : public Informe {
public:
    TfGuiaR2();
};
