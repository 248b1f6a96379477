// The registry's vocabulary, one source for every window, table and printed document:
// departments, cycles, species, age and sex groups, legacy categories, kinds of establishment,
// movement objectives and means of transport.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace Vocabulario {

// The nine department codes in alphabetical order.
QStringList Distritales();

// Cycles: the current one, and the list shown by the lookup windows ("24" down to "12").
QStringList CiclosLocalizacion();

enum class ClaseEspecie { Bovina, Ave, Otra };

struct Especie {
    QString codigo;        // three letters, upper case
    QString nombreLista;   // in the species choice list
    QString nombreImpreso; // on printed guides
    ClaseEspecie clase;
};
const std::vector<Especie>& Especies();
// The code of a name of the choice list: its first three letters upper-cased.
QString CodigoEspecie(const QString& nombreLista);
// The species of a code; null when unknown.
const Especie* BuscaEspecie(const QString& codigo);
// Heading of a species on printed guides: "Especie: ", "AVES: " or "OTRAS ESPECIES: ".
QString EncabezadoClase(ClaseEspecie clase);

// Age and sex groups: columns Grupo_0M ... Grupo_4H (n 0..4, s "M"/"H").
QStringList ColumnasGrupo();
// The eight certificate groups 1M..4H with a prefix ("BOV_Grupo_", "BUB_Grupo_").
QStringList ColumnasGrupoCertificado(const QString& prefijo);
// The printed text after a group's count, with its leading blank (" M < 12 meses"); empty for a
// group the class does not use (group 0 of bovines).
QString TextoGrupo(ClaseEspecie clase, int grupo, QChar sexo);

// Legacy bovine categories (certificates) and the other-species columns of old guides.
QStringList CategoriasBovinas();
QStringList CategoriasOtrasEspecies();

// Kinds of establishment, by name as stored.
QStringList Rubros();
QStringList RubrosOrigen();
QStringList RubrosDestino();
inline const char* kEstablecimientoConsumo = "C O N S U M O";

struct Objetivo {
    QString columna;
    QString titulo;
};
const std::vector<Objetivo>& Objetivos();

QStringList MediosTransporte();

} // namespace Vocabulario
