// The guide console's commands that open an entry form: insert (a species chosen first), edit
// (the current guide, after the ownership rule) and duplicate (a new guide prefilled from the
// current one). Bovines and buffaloes go to the bovine form, the other species to the
// other-species form; each form is shown modally and refreshes the console after its save.
#pragma once

#include <QString>
#include <cstdint>

class TfMueveC;

void CreaGMA(TfMueveC& consola);
void EditaGMA(TfMueveC& consola);
void DuplicaGMA(TfMueveC& consola);
