// The record tab of a registry: every row of one table, the current one shown in its edit
// controls, which change the row only after Insertar or Editar. Grabar writes the row (an
// insert or an update under the key it had), Cancelar gives it back, Eliminar deletes it; a
// refusal of the database is raised with its text and the row stays in editing. The
// statements are T-SQL built from the table's column names, with every value bound.
#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

class EditorRegistro : public QObject {
    Q_OBJECT
public:
    struct Campo {
        QString columna;
        QWidget* control; // a QLineEdit or a QComboBox; none for a generated key
        int tamano;       // characters the column holds
    };
    struct Definicion {
        QString tabla;
        std::vector<Campo> campos; // the first is the key
        // Draws the key of a new row (empty: the user types it).
        std::function<QString()> claveNueva;
        // Draws of a new key tried when the drawn one is taken, before giving up.
        int intentosClave = 5;
    };
    enum class Estado { Navegando, Insertando, Editando };

    explicit EditorRegistro(Definicion definicion, QObject* padre = nullptr);

    // Reads the table again (ordered by its key) and shows the row with the same key, or the
    // first one.
    void Refresca();
    int Filas() const { return int(filas_.size()); }
    int Actual() const { return actual_; }
    Estado EstadoActual() const { return estado_; }
    QString ClaveActual() const;
    void Anterior();
    void Siguiente();
    // Makes the row with this key current; false (and nothing moves) when it is not there.
    bool Localiza(const QString& clave);

    void Insertar();
    void Editar();
    void Grabar();
    void Cancelar();
    void Eliminar();

Q_SIGNALS:
    // The current row or the state changed (the navigator follows).
    void Cambio();
    // A row was written or deleted: the list shows the table again.
    void TablaCambiada();

private:
    QString TextoDe(const Campo& c) const;
    void Muestra();
    void HabilitaControles(bool editar);
    // Inserts the row; returns the key it got (a drawn key may be drawn again).
    QString Inserta(const QVariantList& valores);
    void Modifica(const QVariantList& valores);
    bool ClaveOcupada(const QString& clave) const;

    Definicion def_;
    std::vector<QVariantList> filas_;
    int actual_ = -1;
    Estado estado_ = Estado::Navegando;
    QString claveNueva_; // drawn for the row being inserted
};
