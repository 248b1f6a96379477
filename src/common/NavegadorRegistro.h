// The navigator of a registry's record tab: previous, next, insert, delete, edit, post, cancel
// and refresh (no first or last), each enabled as the record's state allows. Delete asks
// first; a refusal of the database is shown with its text.
#pragma once

#include <QWidget>

class EditorRegistro;
class QToolButton;

class NavegadorRegistro : public QWidget {
    Q_OBJECT
public:
    NavegadorRegistro(EditorRegistro* editor, QWidget* padre = nullptr);

    QToolButton* sbAnterior;
    QToolButton* sbSiguiente;
    QToolButton* sbInsertar;
    QToolButton* sbEliminar;
    QToolButton* sbEditar;
    QToolButton* sbGrabar;
    QToolButton* sbCancelar;
    QToolButton* sbRefrescar;

private:
    void Actualiza();
    // Runs a command; a database refusal is shown and the record stays as it was.
    void Ejecuta(void (EditorRegistro::*accion)());

    EditorRegistro* editor_;
};
