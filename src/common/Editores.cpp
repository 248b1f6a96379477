// Entry helpers.
#include "common/Editores.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace Editores {

void Mayusculas(QLineEdit* editor) {
    QObject::connect(editor, &QLineEdit::textEdited, editor, [editor](const QString& texto) {
        const QString mayusculas = texto.toUpper();
        if (mayusculas == texto)
            return;
        const int cursor = editor->cursorPosition();
        editor->setText(mayusculas);
        editor->setCursorPosition(cursor);
    });
}

void SoloDigitos(QLineEdit* editor) {
    editor->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), editor));
}

} // namespace Editores

EditorFecha::EditorFecha(QWidget* padre, bool anioCorto) : QDateEdit(padre) {
    setMinimumDate(Vacia());
    setSpecialValueText(QStringLiteral(" "));
    setDisplayFormat(anioCorto ? QStringLiteral("dd/MM/yy") : QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
    Limpia();
}

bool EditorFecha::Fijada() const {
    return Vacia().daysTo(date()) >= 1000;
}

QVariant EditorFecha::Valor() const {
    if (date() == Vacia())
        return QVariant(QMetaType::fromType<QDateTime>());
    return QDateTime(date(), QTime(0, 0));
}

void EditorFecha::FijaValor(const QDateTime& valor) {
    if (valor.isValid())
        setDate(valor.date());
    else
        Limpia();
}
