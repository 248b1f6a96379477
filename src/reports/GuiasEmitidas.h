// The guides-issued report: the animals that left a district from each kind of premises and
// those that arrived at each kind, by class, over a date range. Two variants of one report:
// the legacy bovine categories of every guide, and the age/sex groups of the bovine guides.
#pragma once

#include "reports/Informe.h"

#include <QDate>
#include <QStringList>
#include <QVariant>
#include <array>
#include <map>

enum class VarianteGuias { Categorias, Grupos };

// The origin or destination statement, line by line as the registry writes it.
QStringList LineasGuiasEmitidas(VarianteGuias variante, bool origen);

// The letter that names a kind of premises' row in the layout; null for the kinds that have
// no row (Importación, Incubadora, ...).
QChar LetraRubro(const QString& rubro);

// The nine sums of each lettered kind (NULL where the database summed only NULLs), and the
// kinds without a row summed together with their names, so they are never written into
// another kind's row.
struct SumasRubros {
    std::map<QChar, std::array<QVariant, 9>> porLetra;
    // The kinds without a row of their own, summed as SUM() sums: a column where every value
    // is empty stays empty (null), as on the lettered rows; null too when there is no such kind.
    std::array<QVariant, 9> otros{};
    QStringList nombresOtros;
};

SumasRubros LeeGuiasEmitidas(VarianteGuias variante, bool origen, const QString& distrital,
                             const QDate& desde, const QDate& hasta);

// The operator's own texts and pictures at the report's head and foot: [INFORMES] of the INI
// (Servicio1, Servicio2, Ministerio1, Ministerio2, LogoIzquierdo, LogoDerecho), with defaults.
struct TextosInforme {
    QString servicio1, servicio2, ministerio1, ministerio2;
    QImage logoIzquierdo, logoDerecho;
};
TextosInforme LeeTextosInforme();

// The one-page layout with every value label named qrl/qr + letter + column (01..09), the
// TOTAL rows qrlTot/qrTot, and the "Otros" rows qrlOtros/qrOtros; filled from the sums.
Informe InformeGuiasEmitidas(VarianteGuias variante, const QString& etiqueta,
                             const SumasRubros& origen, const SumasRubros& destino,
                             const TextosInforme& textos);
