// Entry helpers.
#include "common/Editores.h"

#include "common/Mensajes.h"
#include "db/Consulta.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace Editores {

void Mayusculas(QLineEdit* editor) {
    // Typed and loaded text alike: the field shows what will be stored.
    QObject::connect(editor, &QLineEdit::textChanged, editor, [editor](const QString& texto) {
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

namespace {

// Selects a field's text when the focus arrives, so that what is typed replaces it.
class SeleccionAlEntrar : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::FocusIn)
            if (auto* editor = qobject_cast<QLineEdit*>(objeto))
                QTimer::singleShot(0, editor, &QLineEdit::selectAll);
        return false;
    }
};

} // namespace

void CantidadEditable(QLineEdit* editor) {
    SoloDigitos(editor);
    editor->installEventFilter(new SeleccionAlEntrar(editor));
    // An emptied count is 0 once the field is left, not while it is being typed.
    QObject::connect(editor, &QLineEdit::editingFinished, editor, [editor] {
        if (editor->text().isEmpty())
            editor->setText(QStringLiteral("0"));
    });
}

void SoloCaracteres(QLineEdit* editor, const QString& permitidos) {
    editor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QLatin1Char('[') + QRegularExpression::escape(permitidos) +
                           QStringLiteral("]*")),
        editor));
}

void LlenaLista(QComboBox* lista, const QStringList& sentencia, const char* clave,
                const char* texto) {
    Consulta q;
    q.FijaSql(sentencia);
    q.Abre();
    for (q.Primero(); !q.Eof(); q.Siguiente())
        lista->addItem(q.TextoCampo(QLatin1String(texto)), q.TextoCampo(QLatin1String(clave)));
    lista->setCurrentIndex(-1);
}

void LlenaLista(QComboBox* lista, Consulta& q, const char* clave, const char* texto) {
    q.Abre();
    const QSignalBlocker silencio(lista);
    lista->clear();
    for (q.Primero(); !q.Eof(); q.Siguiente())
        lista->addItem(q.TextoCampo(QLatin1String(texto)), q.TextoCampo(QLatin1String(clave)));
    lista->setCurrentIndex(-1);
}

QLineEdit* Campo(QWidget* padre, const char* nombre, int largo, bool mayusculas, bool digitos) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QString::fromLatin1(nombre));
    e->setMaxLength(largo);
    if (mayusculas)
        Mayusculas(e);
    if (digitos)
        SoloDigitos(e);
    return e;
}

std::optional<QDate> LeeFechaTecleada(const QString& texto, const QDate& hoy) {
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return EditorFecha::Vacia();
    int dia = 0, mes = 0, anio = 0, cifrasAnio = 0;
    static const QRegularExpression separada(
        QStringLiteral("^(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})$"));
    static const QRegularExpression junta(QStringLiteral("^(\\d{2})(\\d{2})(\\d{2}|\\d{4})$"));
    QRegularExpressionMatch m = separada.match(t);
    if (!m.hasMatch())
        m = junta.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    dia = m.captured(1).toInt();
    mes = m.captured(2).toInt();
    anio = m.captured(3).toInt();
    cifrasAnio = int(m.captured(3).size());
    if (cifrasAnio == 2) {
        // The century that puts the year closest to today, at most 20 years ahead.
        const int siglo = hoy.year() / 100 * 100;
        anio += siglo;
        if (anio > hoy.year() + 20)
            anio -= 100;
    }
    const QDate fecha(anio, mes, dia);
    if (!fecha.isValid())
        return std::nullopt;
    return fecha;
}

} // namespace Editores

EditorFecha::EditorFecha(QWidget* padre, bool anioCorto)
    : QWidget(padre), campo_(new QLineEdit(this)), boton_(new QToolButton(this)),
      formato_(anioCorto ? QStringLiteral("dd/MM/yy") : QStringLiteral("dd/MM/yyyy")),
      fecha_(Vacia()) {
    campo_->setObjectName(QStringLiteral("campo"));
    campo_->setMaxLength(10);
    campo_->installEventFilter(this);
    // Room for the date and a little more: a date field does not stretch across a window.
    campo_->setFixedWidth(campo_->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                          12);
    boton_->setObjectName(QStringLiteral("calendario"));
    boton_->setArrowType(Qt::DownArrow);
    boton_->setFocusPolicy(Qt::NoFocus);
    boton_->setToolTip(QStringLiteral("calendario"));
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(1);
    fila->addWidget(campo_);
    fila->addWidget(boton_);
    setFocusProxy(campo_);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(campo_, &QLineEdit::editingFinished, this, &EditorFecha::LeeTexto);
    connect(boton_, &QToolButton::clicked, this, &EditorFecha::MuestraCalendario);
}

void EditorFecha::setDate(const QDate& fecha) {
    const QDate nueva = fecha.isValid() && fecha >= Vacia() ? fecha : Vacia();
    campo_->setText(nueva == Vacia() ? QString() : nueva.toString(formato_));
    if (nueva == fecha_)
        return;
    fecha_ = nueva;
    Q_EMIT dateChanged(fecha_);
}

bool EditorFecha::Fijada() const {
    return Vacia().daysTo(fecha_) >= 1000;
}

QVariant EditorFecha::Valor() const {
    if (fecha_ == Vacia())
        return QVariant(QMetaType::fromType<QDateTime>());
    return QDateTime(fecha_, QTime(0, 0));
}

void EditorFecha::FijaValor(const QDateTime& valor) {
    if (valor.isValid())
        setDate(valor.date());
    else
        Limpia();
}

QString EditorFecha::Texto() const {
    return campo_->text();
}

void EditorFecha::LeeTexto() {
    const QString tecleado = campo_->text().trimmed();
    const auto leida = Editores::LeeFechaTecleada(tecleado, QDate::currentDate());
    // A text that is no date brings back the date the field held, and says so.
    setDate(leida ? *leida : fecha_);
    if (!leida && !tecleado.isEmpty())
        Mensajes::MuestraError(
            QString::fromUtf8("\"%1\" no es una fecha válida (día/mes/año); el campo conserva %2.")
                .arg(tecleado, fecha_ == Vacia() ? QStringLiteral("su valor vacío")
                                                 : fecha_.toString(formato_)));
}

bool EditorFecha::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == campo_ && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_Up || tecla->key() == Qt::Key_Down) {
            LeeTexto();
            const QDate base = fecha_ == Vacia() ? QDate::currentDate() : fecha_;
            setDate(base.addDays(tecla->key() == Qt::Key_Up ? 1 : -1));
            return true;
        }
        if (tecla->key() == Qt::Key_F4 ||
            (tecla->key() == Qt::Key_Down && tecla->modifiers().testFlag(Qt::AltModifier))) {
            MuestraCalendario();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void EditorFecha::MuestraCalendario() {
    LeeTexto();
    auto* calendario = new QCalendarWidget;
    calendario->setAttribute(Qt::WA_DeleteOnClose);
    calendario->setWindowFlags(Qt::Popup);
    calendario->setGridVisible(true);
    // It opens on the field's month (today's when the field is empty).
    const QDate mostrada = fecha_ == Vacia() ? QDate::currentDate() : fecha_;
    calendario->setSelectedDate(mostrada);
    calendario->setCurrentPage(mostrada.year(), mostrada.month());
    connect(calendario, &QCalendarWidget::clicked, this, [this, calendario](const QDate& d) {
        setDate(d);
        calendario->close();
        campo_->setFocus();
    });
    calendario->move(mapToGlobal(QPoint(0, height())));
    calendario->show();
}
