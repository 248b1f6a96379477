// Entry helpers shared by the registry's forms: upper-case and digits-only edits, and a date
// edit that can stand empty (a date counts as set only from 26 September 1902 on, day 1000 of
// the registry's date epoch 30 December 1899).
#pragma once

#include <QDateEdit>
#include <QVariant>

class QLineEdit;

namespace Editores {

// Everything typed becomes upper case.
void Mayusculas(QLineEdit* editor);
// Only the digits 0 to 9 (and backspace) are accepted.
void SoloDigitos(QLineEdit* editor);

} // namespace Editores

class EditorFecha : public QDateEdit {
    Q_OBJECT
public:
    explicit EditorFecha(QWidget* padre = nullptr, bool anioCorto = false);
    // The empty date (epoch day 0).
    static QDate Vacia() { return QDate(1899, 12, 30); }
    // True from day 1000 of the epoch on.
    bool Fijada() const;
    void Limpia() { setDate(Vacia()); }
    // The date as a parameter value; NULL when empty.
    QVariant Valor() const;
    // Shows a stored value; NULL or invalid leaves the editor empty.
    void FijaValor(const QDateTime& valor);
};
