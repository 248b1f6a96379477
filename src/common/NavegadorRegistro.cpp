// The registries' record navigator.
#include "common/NavegadorRegistro.h"

#include "common/EditorRegistro.h"
#include "common/Errores.h"
#include "common/Iconos.h"
#include "common/Mensajes.h"
#include "common/PanelTotales.h"

#include <QHBoxLayout>
#include <QToolButton>

NavegadorRegistro::NavegadorRegistro(EditorRegistro* editor, QWidget* padre)
    : QWidget(padre), editor_(editor) {
    setObjectName(QStringLiteral("DBNavigator1"));
    using Iconos::Dibujo;
    sbAnterior = BotonConsola(this, "sbAnterior", Dibujo::Anterior, QStringLiteral("anterior"));
    sbSiguiente = BotonConsola(this, "sbSiguiente", Dibujo::Siguiente, QStringLiteral("siguiente"));
    sbInsertar = BotonConsola(this, "sbInsertar", Dibujo::Insertar, QStringLiteral("insertar"));
    sbEliminar = BotonConsola(this, "sbEliminar", Dibujo::Eliminar, QStringLiteral("eliminar"));
    sbEditar = BotonConsola(this, "sbEditar", Dibujo::Editar, QStringLiteral("modificar"));
    sbGrabar = BotonConsola(this, "sbGrabar", Dibujo::Grabar, QStringLiteral("grabar"));
    sbCancelar = BotonConsola(this, "sbCancelar", Dibujo::Cancelar, QStringLiteral("cancelar"));
    sbRefrescar =
        BotonConsola(this, "sbRefrescar", Dibujo::Ejecutar, QStringLiteral("refrescar datos"));
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(1);
    for (QToolButton* b : {sbAnterior, sbSiguiente, sbInsertar, sbEliminar, sbEditar, sbGrabar,
                           sbCancelar, sbRefrescar})
        fila->addWidget(b);
    fila->addStretch(1);

    connect(sbAnterior, &QToolButton::clicked, this,
            [this] { Ejecuta(&EditorRegistro::Anterior); });
    connect(sbSiguiente, &QToolButton::clicked, this,
            [this] { Ejecuta(&EditorRegistro::Siguiente); });
    connect(sbInsertar, &QToolButton::clicked, this,
            [this] { Ejecuta(&EditorRegistro::Insertar); });
    connect(sbEditar, &QToolButton::clicked, this, [this] { Ejecuta(&EditorRegistro::Editar); });
    connect(sbGrabar, &QToolButton::clicked, this, [this] { Ejecuta(&EditorRegistro::Grabar); });
    connect(sbCancelar, &QToolButton::clicked, this,
            [this] { Ejecuta(&EditorRegistro::Cancelar); });
    connect(sbRefrescar, &QToolButton::clicked, this,
            [this] { Ejecuta(&EditorRegistro::Refresca); });
    connect(sbEliminar, &QToolButton::clicked, this, [this] {
        if (Mensajes::Pregunta(QStringLiteral("¿Eliminar el registro?"),
                               QStringLiteral("Confirmar")))
            Ejecuta(&EditorRegistro::Eliminar);
    });
    connect(editor_, &EditorRegistro::Cambio, this, &NavegadorRegistro::Actualiza);
    Actualiza();
}

void NavegadorRegistro::Ejecuta(void (EditorRegistro::*accion)()) {
    try {
        (editor_->*accion)();
    } catch (const ErrorTarvelion& e) {
        Mensajes::MuestraError(e.Texto());
    }
    Actualiza();
}

void NavegadorRegistro::Actualiza() {
    const bool navega = editor_->EstadoActual() == EditorRegistro::Estado::Navegando;
    const bool fila = editor_->Actual() >= 0;
    sbAnterior->setEnabled(navega && editor_->Actual() > 0);
    sbSiguiente->setEnabled(navega && editor_->Actual() + 1 < editor_->Filas());
    sbInsertar->setEnabled(navega);
    sbEliminar->setEnabled(navega && fila);
    sbEditar->setEnabled(navega && fila);
    sbGrabar->setEnabled(!navega);
    sbCancelar->setEnabled(!navega);
    sbRefrescar->setEnabled(navega);
}
