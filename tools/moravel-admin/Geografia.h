// Real geography of the nine departments for the demo database: every province, with its
// code in the order the statistics window lists them, and its capital municipality.
#pragma once

#include <vector>

struct ProvinciaDemo {
    const char* distrital;
    const char* nombre;
    const char* capital;
};

// Provinces in code order within each department (code = position, "01", "02" ...).
const std::vector<ProvinciaDemo>& ProvinciasDemo();
