// Entry helpers shared by the registry's forms: upper-case and digits-only edits, and a date
// field that can stand empty and accepts a date typed as an office user types it (a date counts
// as set only from 26 September 1902 on, day 1000 of the registry's date epoch 30 December 1899).
#pragma once

#include <QDate>
#include <QVariant>
#include <QWidget>
#include <optional>

class Consulta;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace Editores {

// Everything typed becomes upper case, and so does a text set by the program.
void Mayusculas(QLineEdit* editor);
// Only the digits 0 to 9 (and backspace) are accepted.
void SoloDigitos(QLineEdit* editor);
// A count typed over what it holds: digits only, its text selected when the focus arrives, and
// "0" when it is left empty.
void CantidadEditable(QLineEdit* editor);
// Only the characters of `permitidos` (and backspace) are accepted.
void SoloCaracteres(QLineEdit* editor, const QString& permitidos);
// Fills a drop-down list from a statement: the texts of field `texto` shown, the keys of field
// `clave` behind them (QComboBox::currentData), nothing selected.
void LlenaLista(QComboBox* lista, const QStringList& sentencia, const char* clave,
                const char* texto);
// The same from a statement with its parameters given; the list is emptied first.
void LlenaLista(QComboBox* lista, Consulta& consulta, const char* clave, const char* texto);
// A form's text field: its name, the characters it holds, upper case and digits-only as asked.
QLineEdit* Campo(QWidget* padre, const char* nombre, int largo, bool mayusculas = true,
                 bool digitos = false);

// A date typed by hand: "05122026", "051226", "05/12/26", "5/12/2026", "5-12-2026", "5.12.26".
// Two-digit years fall within the 80 years before and the 20 years after `hoy`. An empty text
// is the empty date; nothing else that is not a real date is accepted.
std::optional<QDate> LeeFechaTecleada(const QString& texto, const QDate& hoy);

} // namespace Editores

// A date field: a text field with a calendar button. The date is read when the user leaves the
// field or presses Enter; a text that is not a date brings the previous date back. Up and Down
// move the date by a day. An empty field holds the empty date (epoch day 0).
class EditorFecha : public QWidget {
    Q_OBJECT
public:
    explicit EditorFecha(QWidget* padre = nullptr, bool anioCorto = false);

    // The empty date (epoch day 0).
    static QDate Vacia() { return QDate(1899, 12, 30); }
    QDate date() const { return fecha_; }
    void setDate(const QDate& fecha);
    // True from day 1000 of the epoch on.
    bool Fijada() const;
    void Limpia() { setDate(Vacia()); }
    // The date as a parameter value; NULL when empty.
    QVariant Valor() const;
    // Shows a stored value; NULL or invalid leaves the editor empty.
    void FijaValor(const QDateTime& valor);
    // The text the field shows ("05/12/26"; empty when empty).
    QString Texto() const;
    QLineEdit* Campo() const { return campo_; }

Q_SIGNALS:
    void dateChanged(const QDate& fecha);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void LeeTexto();
    void MuestraCalendario();

    QLineEdit* campo_;
    QToolButton* boton_;
    QString formato_;
    QDate fecha_;
};
