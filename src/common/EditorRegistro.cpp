// Record editing of a registry table.
#include "common/EditorRegistro.h"

#include "common/Errores.h"
#include "db/Consulta.h"

#include <QComboBox>
#include <QLineEdit>

EditorRegistro::EditorRegistro(Definicion definicion, QObject* padre)
    : QObject(padre), def_(std::move(definicion)) {
    for (const Campo& c : def_.campos)
        if (auto* e = qobject_cast<QLineEdit*>(c.control))
            e->setMaxLength(c.tamano);
    HabilitaControles(false);
}

QString EditorRegistro::ClaveActual() const {
    return actual_ < 0 ? QString() : filas_[size_t(actual_)].value(0).toString();
}

void EditorRegistro::Refresca() {
    const QString clave = ClaveActual();
    QStringList columnas;
    for (const Campo& c : def_.campos)
        columnas << c.columna;
    Consulta q({QStringLiteral("SELECT ") + columnas.join(QStringLiteral(", ")),
                QStringLiteral("FROM ") + def_.tabla,
                QStringLiteral("ORDER BY ") + def_.campos.front().columna});
    q.Abre();
    filas_.clear();
    for (q.Primero(); !q.Eof(); q.Siguiente()) {
        QVariantList fila;
        for (const Campo& c : def_.campos)
            fila << q.Campo(c.columna);
        filas_.push_back(std::move(fila));
    }
    estado_ = Estado::Navegando;
    actual_ = filas_.empty() ? -1 : 0;
    if (!clave.isEmpty())
        Localiza(clave);
    HabilitaControles(false);
    Muestra();
}

bool EditorRegistro::Localiza(const QString& clave) {
    for (size_t i = 0; i < filas_.size(); ++i)
        if (filas_[i].value(0).toString().compare(clave, Qt::CaseInsensitive) == 0) {
            actual_ = int(i);
            Muestra();
            return true;
        }
    return false;
}

void EditorRegistro::Anterior() {
    if (estado_ == Estado::Navegando && actual_ > 0) {
        --actual_;
        Muestra();
    }
}

void EditorRegistro::Siguiente() {
    if (estado_ == Estado::Navegando && actual_ + 1 < Filas()) {
        ++actual_;
        Muestra();
    }
}

void EditorRegistro::Insertar() {
    if (estado_ != Estado::Navegando)
        return;
    estado_ = Estado::Insertando;
    for (const Campo& c : def_.campos) {
        if (auto* e = qobject_cast<QLineEdit*>(c.control))
            e->clear();
        else if (auto* cb = qobject_cast<QComboBox*>(c.control))
            cb->setCurrentIndex(-1);
    }
    // A generated key is drawn as the new row opens.
    claveNueva_ = def_.claveNueva ? def_.claveNueva() : QString();
    if (auto* e = qobject_cast<QLineEdit*>(def_.campos.front().control); e && def_.claveNueva)
        e->setText(claveNueva_);
    HabilitaControles(true);
    emit Cambio();
}

void EditorRegistro::Editar() {
    if (estado_ != Estado::Navegando || actual_ < 0)
        return;
    estado_ = Estado::Editando;
    HabilitaControles(true);
    emit Cambio();
}

void EditorRegistro::Cancelar() {
    if (estado_ == Estado::Navegando)
        return;
    estado_ = Estado::Navegando;
    HabilitaControles(false);
    Muestra();
}

QString EditorRegistro::TextoDe(const Campo& c) const {
    // A key without a control: the drawn one for a new row, the row's own otherwise.
    if (!c.control)
        return estado_ == Estado::Insertando ? claveNueva_ : ClaveActual();
    if (auto* e = qobject_cast<QLineEdit*>(c.control))
        return e->text();
    if (auto* cb = qobject_cast<QComboBox*>(c.control))
        return cb->currentText();
    return {};
}

void EditorRegistro::Grabar() {
    if (estado_ == Estado::Navegando)
        return;
    // An empty control is a NULL column, as a data-aware edit leaves it; the database says
    // which columns may not be empty.
    QVariantList valores;
    for (const Campo& c : def_.campos) {
        const QString t = TextoDe(c);
        valores << (t.isEmpty() ? QVariant() : QVariant(t));
    }
    const QString clave = estado_ == Estado::Insertando
                              ? Inserta(valores)
                              : (Modifica(valores), valores[0].toString());
    estado_ = Estado::Navegando;
    Refresca();
    Localiza(clave);
    emit TablaCambiada();
}

bool EditorRegistro::ClaveOcupada(const QString& clave) const {
    Consulta q(
        {QStringLiteral("SELECT COUNT(*) AS N FROM ") + def_.tabla,
         QStringLiteral("WHERE ") + def_.campos.front().columna + QStringLiteral(" = :Clave")});
    q.Texto(QStringLiteral("Clave"), clave, def_.campos.front().tamano);
    q.Abre();
    return q.EnteroCampo(QStringLiteral("N")) > 0;
}

QString EditorRegistro::Inserta(const QVariantList& valoresDados) {
    QVariantList valores = valoresDados;
    QStringList columnas, marcas;
    for (const Campo& c : def_.campos) {
        columnas << c.columna;
        marcas << QLatin1Char(':') + c.columna;
    }
    for (int intento = 0;; ++intento) {
        if (def_.claveNueva && (intento > 0 || valores[0].isNull()))
            valores[0] = claveNueva_ = def_.claveNueva();
        Consulta q({QStringLiteral("INSERT INTO %1 (%2)").arg(def_.tabla, columnas.join(", ")),
                    QStringLiteral("VALUES (%1)").arg(marcas.join(QStringLiteral(", ")))});
        for (size_t i = 0; i < def_.campos.size(); ++i) {
            const Campo& c = def_.campos[i];
            if (valores[qsizetype(i)].isNull())
                q.Nulo(c.columna, TipoParametro::Texto);
            else
                q.Texto(c.columna, valores[qsizetype(i)].toString(), c.tamano);
        }
        try {
            q.Ejecuta();
            return valores[0].toString();
        } catch (const ErrorBaseDatos&) {
            // A drawn key that another row already holds: draw again, a few times.
            if (!def_.claveNueva || intento + 1 >= def_.intentosClave ||
                !ClaveOcupada(valores[0].toString()))
                throw;
        }
    }
}

void EditorRegistro::Modifica(const QVariantList& valores) {
    QStringList asignaciones;
    for (const Campo& c : def_.campos)
        asignaciones << c.columna + QStringLiteral(" = :") + c.columna;
    Consulta q({QStringLiteral("UPDATE ") + def_.tabla,
                QStringLiteral("SET ") + asignaciones.join(QStringLiteral(", ")),
                QStringLiteral("WHERE ") + def_.campos.front().columna +
                    QStringLiteral(" = :ClaveAnterior")});
    for (size_t i = 0; i < def_.campos.size(); ++i) {
        const Campo& c = def_.campos[i];
        if (valores[qsizetype(i)].isNull())
            q.Nulo(c.columna, TipoParametro::Texto);
        else
            q.Texto(c.columna, valores[qsizetype(i)].toString(), c.tamano);
    }
    q.Texto(QStringLiteral("ClaveAnterior"), ClaveActual(), def_.campos.front().tamano);
    q.Ejecuta();
}

void EditorRegistro::Eliminar() {
    if (estado_ != Estado::Navegando || actual_ < 0)
        return;
    Consulta q(
        {QStringLiteral("DELETE FROM ") + def_.tabla,
         QStringLiteral("WHERE ") + def_.campos.front().columna + QStringLiteral(" = :Clave")});
    q.Texto(QStringLiteral("Clave"), ClaveActual(), def_.campos.front().tamano);
    q.Ejecuta();
    const int donde = actual_;
    Refresca();
    if (donde < Filas()) {
        actual_ = donde;
    } else {
        actual_ = Filas() - 1;
    }
    Muestra();
    emit TablaCambiada();
}

void EditorRegistro::Muestra() {
    const bool hay = actual_ >= 0 && actual_ < Filas();
    for (size_t i = 0; i < def_.campos.size(); ++i) {
        const QString v = hay ? filas_[size_t(actual_)].value(qsizetype(i)).toString() : QString();
        QWidget* control = def_.campos[i].control;
        if (!control)
            continue;
        if (auto* e = qobject_cast<QLineEdit*>(control)) {
            e->setText(v);
        } else if (auto* cb = qobject_cast<QComboBox*>(control)) {
            const int j = cb->findText(v, Qt::MatchFixedString);
            if (j >= 0)
                cb->setCurrentIndex(j);
            else if (cb->isEditable())
                cb->setEditText(v);
            else
                cb->setCurrentIndex(-1);
        }
    }
    emit Cambio();
}

void EditorRegistro::HabilitaControles(bool editar) {
    for (const Campo& c : def_.campos) {
        if (auto* e = qobject_cast<QLineEdit*>(c.control))
            e->setReadOnly(!editar);
        else if (c.control)
            c.control->setEnabled(editar);
    }
}
