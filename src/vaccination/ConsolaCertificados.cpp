// The certificate consoles' shared part.
#include "vaccination/ConsolaCertificados.h"

#include "app/Globales.h"
#include "common/Errores.h"
#include "common/Exportacion.h"
#include "common/Grilla.h"
#include "common/Mensajes.h"
#include "common/PanelTotales.h"
#include "common/RellenoGeografia.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

ConsolaCertificados::ConsolaCertificados(const QString& nombre, const QString& nombreGrilla,
                                         const QStringList& ciclos, QWidget* padre)
    : QWidget(padre) {
    setObjectName(nombre);
    setWindowTitle(QStringLiteral("Reporte de vacunaciones"));
    auto* arriba = new QWidget(this);
    arriba->setObjectName(QStringLiteral("PanelSuperior"));
    arriba->setAutoFillBackground(true);
    cbCiclo = new QComboBox(arriba);
    cbCiclo->setObjectName(QStringLiteral("cbCiclo"));
    cbCiclo->addItems(ciclos);
    cbDistrital = new QComboBox(arriba);
    cbDistrital->setObjectName(QStringLiteral("cbDistrital"));
    cbDistrital->addItems(Vocabulario::Distritales());
    cProvincias = new QCheckBox(QStringLiteral("Especificar provincia"), arriba);
    cProvincias->setObjectName(QStringLiteral("cProvincias"));
    dbProvincias = new QComboBox(arriba);
    dbProvincias->setObjectName(QStringLiteral("dbProvincias"));
    dbProvincias->setMaxVisibleItems(15);
    dbProvincias->setMinimumWidth(180);
    sbEjecutar = BotonConsola(arriba, "sbEjecutar", Iconos::Dibujo::Ejecutar,
                              QStringLiteral("listar registros, ejecutar consulta"));
    sbInsertar = BotonConsola(arriba, "sbInsertar", Iconos::Dibujo::Insertar,
                              QStringLiteral("agregar nuevo certificado"));
    sbExportar = BotonConsola(arriba, "sbExportar", Iconos::Dibujo::Exportar,
                              QStringLiteral("exportar a MS-Excel"));
    lTotal = new QLabel(QStringLiteral("0 registros encontados ..."), arriba);
    lTotal->setObjectName(QStringLiteral("lTotal"));
    filtros_ = new QGridLayout(arriba);
    filtros_->addWidget(new QLabel(QString::fromUtf8("Especificar ciclo de vacunación"), arriba), 0,
                        0);
    filtros_->addWidget(cbCiclo, 1, 0);
    filtros_->addWidget(new QLabel(QStringLiteral("Especificar distrital"), arriba), 0, 1);
    filtros_->addWidget(cbDistrital, 1, 1);
    filtros_->addWidget(cProvincias, 0, 2);
    filtros_->addWidget(dbProvincias, 1, 2);
    botones_ = {sbEjecutar, sbInsertar};

    lista_ = new Grilla(this);
    lista_->setObjectName(nombreGrilla);
    editar_ = new QAction(QStringLiteral("modificar datos del registro"), this);
    eliminar_ = new QAction(QStringLiteral("eliminar registro"), this);
    geografia_ = new RellenoGeografia(cbDistrital, dbProvincias, nullptr,
                                      RellenoGeografia::Ordinarias(), this);
}

void ConsolaCertificados::AgregaFiltro(QWidget* arriba, QWidget* control) {
    // Further filters take a second line under the cycle, department and province.
    filtros_->addWidget(arriba, 2, extras_);
    filtros_->addWidget(control, 3, extras_);
    ++extras_;
}

void ConsolaCertificados::AgregaBoton(QToolButton* boton) {
    botones_ << boton;
}

void ConsolaCertificados::Inicia(QWidget* panelInferior, const QString& ciclo) {
    botones_ << sbExportar;
    int columna = std::max(3, extras_);
    const int filas = extras_ > 0 ? 4 : 2;
    for (QToolButton* b : botones_)
        filtros_->addWidget(b, 0, columna++, filas, 1, Qt::AlignVCenter);
    filtros_->addWidget(lTotal, 0, columna, filas, 1);
    filtros_->setColumnStretch(columna, 1);
    lista_->Modelo().Titula(Columnas());
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(2, 2, 2, 2);
    todo->addWidget(filtros_->parentWidget());
    todo->addWidget(lista_, 1);
    todo->addWidget(panelInferior);

    cbCiclo->setCurrentIndex(cbCiclo->findText(ciclo));
    geografia_->FijaDistrital(IdDistrital);
    cProvinciasClick();
    connect(cProvincias, &QCheckBox::toggled, this, &ConsolaCertificados::cProvinciasClick);
    connect(sbEjecutar, &QToolButton::clicked, this, &ConsolaCertificados::sbEjecutarClick);
    connect(sbInsertar, &QToolButton::clicked, this, &ConsolaCertificados::sbInsertarClick);
    connect(editar_, &QAction::triggered, this, &ConsolaCertificados::sbEditarClick);
    connect(eliminar_, &QAction::triggered, this, &ConsolaCertificados::sbEliminarClick);
    connect(sbExportar, &QToolButton::clicked, this, &ConsolaCertificados::sbExportarClick);
    connect(lista_, &Grilla::FilaCambiada, this, [this] { ActualizaComandos(); });
    sbExportar->setEnabled(false);
    ActualizaComandos();
}

void ConsolaCertificados::cProvinciasClick() {
    dbProvincias->setEnabled(cProvincias->isChecked());
    ColoreaFiltro(dbProvincias, cProvincias->isChecked());
}

void ConsolaCertificados::ActualizaComandos() {
    // Writing certificates is for users with the cycles right; a reader only looks.
    sbInsertar->setEnabled(PSi_Ciclos_Escribe);
    const bool hayFila = lista_->FilaActual() >= 0;
    editar_->setEnabled(PSi_Ciclos_Escribe && hayFila);
    eliminar_->setEnabled(PSi_Ciclos_Escribe && hayFila);
}

void ConsolaCertificados::ArmaConsultaVacunas() {
    ModeloGrilla& modelo = lista_->Modelo();
    modelo.Vacia();
    Consulta qLista;
    qLista.FijaSql(Lineas());
    qLista.AbreEn(modelo, Columnas());
    lista_->AplicaColumnas();
    lTotal->setText(QStringLiteral("%1 registros encontrados").arg(modelo.Filas()));
    sbExportar->setEnabled(modelo.Filas() > 0);
    MuestraTotales(modelo);
    ActualizaComandos();
}

bool ConsolaCertificados::Localiza(const QString& ciclo, int numero) {
    return lista_->Localiza({QStringLiteral("IdCiclo"), QStringLiteral("CertificadoNro")},
                            {ciclo, numero});
}

QVariant ConsolaCertificados::Actual(const QString& campo) const {
    const int f = lista_->FilaActual();
    return f < 0 ? QVariant() : lista_->Modelo().Valor(f, campo);
}

void ConsolaCertificados::sbEjecutarClick() {
    if (!ConfirmaEjecucion())
        return;
    Ventanas::CursorEspera espera;
    ArmaConsultaVacunas();
}

void ConsolaCertificados::sbInsertarClick() {
    AbreForma(0);
}

void ConsolaCertificados::sbEditarClick() {
    if (lista_->FilaActual() < 0 || !PuedeCambiar())
        return;
    AbreForma(1);
}

void ConsolaCertificados::sbEliminarClick() {
    if (lista_->FilaActual() < 0 || !PuedeCambiar())
        return;
    const QString ciclo = Actual(QStringLiteral("IdCiclo")).toString();
    const QVariant numero = Actual(QStringLiteral("CertificadoNro"));
    if (!Mensajes::Pregunta(QStringLiteral("Eliminar el certificado Nro: ") + numero.toString() +
                                QStringLiteral(" ?"),
                            QStringLiteral("Eliminar")))
        return;
    Consulta cElimina({QStringLiteral("DELETE FROM ") + Tabla(),
                       QStringLiteral("WHERE IdCiclo = :ElCic"),
                       QStringLiteral("AND CertificadoNro = :ElCer")});
    cElimina.Texto(QStringLiteral("ElCic"), ciclo, 3);
    cElimina.Entero(QStringLiteral("ElCer"), numero);
    try {
        cElimina.Ejecuta();
    } catch (const ErrorTarvelion&) {
        Mensajes::MuestraError(QStringLiteral("No se ha podido eliminar el registro!"));
        return;
    }
    // The list again, as the run command does (with its question, where a console asks one).
    sbEjecutarClick();
}

void ConsolaCertificados::sbExportarClick() {
    ExportaConDialogo(*lista_);
}
