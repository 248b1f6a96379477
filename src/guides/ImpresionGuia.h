// Printing a movement guide on its stationery: the movement kind, the captions of both layouts
// from the guide's row, the animal blocks, and the print command (dialog, preview or print,
// print log and receipt-book number).
#pragma once

#include <QString>
#include <QVariant>
#include <functional>

class Informe;

// A value of the guide's row by field name (NULL for a field the row lacks).
using ValorGuia = std::function<QVariant(const QString& campo)>;

// "InterDEPA", "InterPROV" or "IntraMUNI" by comparing origin and destination codes.
QString TipoMovimiento(const ValorGuia& v);

// The vaccine data of the origin certificate (read only when it has a cycle and a number).
struct VacunaOrigen {
    bool leida = false;
    QString laboratorio, partida, procedencia, expiracion;
};
VacunaOrigen LeeVacunaOrigen(const ValorGuia& v);

// Fills every label of a layout (TfGuiaR when `segunda` is false, else TfGuiaR2).
void LlenaGuia(Informe& informe, bool segunda, const ValorGuia& v, const VacunaOrigen& vacuna);
void LlenaEtiquetasTotales(Informe& informe, const ValorGuia& v);
void LlenaEtiquetasTotales2(Informe& informe, const ValorGuia& v);

// Stores the form number on the guide; returns the rows changed (0 when the guide is gone).
int InsertaNroTalonario(int nroGuia, const QString& distrital, int numero);

// The print log's reference of a guide in at most 10 characters: "SCZ-1234"; "SCZ1234567" when
// the hyphen does not fit; the guide number alone when the department does not fit either.
QString ReferenciaImpresion(const QString& distrital, qint64 nroGuia);

// The console's print command on a guide row: nothing when the guide has no group counts; the
// dialog; then preview, or print and log. A print on a numbered form is refused before the page
// goes out when the guide is no longer in the database; after the page went out both writes are
// tried and any failure is reported with the form number, so it can be written down.
void ImprimeGuia(const ValorGuia& v);
