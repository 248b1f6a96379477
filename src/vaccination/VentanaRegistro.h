// What the two registries (veterinarians, vaccine suppliers) share: a child window with a
// read-only list and its count on the first tab, and the record with its navigator on the
// second. Switching to the record lands it on the list's current key; after every post and
// delete the list and the count follow. Each registry gives its statement, columns and
// fields.
#pragma once

#include "common/EditorRegistro.h"
#include "common/ModeloGrilla.h"

#include <QWidget>

class Grilla;
class NavegadorRegistro;
class QFormLayout;
class QLabel;
class QTabWidget;

class VentanaRegistro : public QWidget {
    Q_OBJECT
public:
    struct Lista {
        QStringList sentencia;
        std::vector<DefColumna> columnas;
        QString clave; // the list's field holding the table's key
    };

    QTabWidget* PageControl1;
    Grilla* dbLista;
    QLabel* lTotal;
    NavegadorRegistro* DBNavigator1;

    EditorRegistro& Registro() { return *registro_; }
    // Runs the list again and sets the count line.
    void RefrescaLista();

protected:
    VentanaRegistro(const QString& nombre, const QString& titulo, const QString& tituloLista,
                    QWidget* padre);
    // The record tab's form, where the registry lays out its controls.
    QFormLayout* Formulario() const { return formulario_; }
    QWidget* PaginaRegistro() const { return registroPagina_; }
    // Called by the registry's constructor once its controls exist: opens the table and the
    // list.
    void Inicia(const Lista& lista, EditorRegistro::Definicion definicion);

private:
    void PageControl1Change(int pagina);

    Lista lista_;
    EditorRegistro* registro_ = nullptr;
    QFormLayout* formulario_;
    QWidget* registroPagina_;
};
