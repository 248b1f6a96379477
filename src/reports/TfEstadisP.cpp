// Statistics by province.
#include "reports/TfEstadisP.h"

#include "common/Iconos.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "reports/EstadisticaProvincias.h"
#include "reports/GraficoProvincias.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

namespace {

struct ColorSerie {
    QColor fondo, letra;
};
const std::array<ColorSerie, 3> kColoresCombo{{{QColor(255, 0, 0), Qt::white},
                                               {QColor(0, 128, 0), Qt::white},
                                               {QColor(255, 255, 0), Qt::black}}};

QComboBox* ComboCiclo(QWidget* padre, int serie) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QStringLiteral("cb%1").arg(serie + 1));
    for (int ciclo = 25; ciclo >= 12; --ciclo)
        c->addItem(QString::number(ciclo));
    QPalette p = c->palette();
    for (QPalette::ColorRole rol : {QPalette::Button, QPalette::Base}) {
        p.setColor(rol, kColoresCombo[size_t(serie)].fondo);
    }
    for (QPalette::ColorRole rol : {QPalette::ButtonText, QPalette::Text})
        p.setColor(rol, kColoresCombo[size_t(serie)].letra);
    c->setPalette(p);
    c->setAutoFillBackground(true);
    return c;
}

QLabel* TotalSerie(QWidget* padre, int serie) {
    auto* l = new QLabel(QStringLiteral("0"), padre);
    l->setObjectName(QStringLiteral("stSerie%1").arg(serie + 1));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(70);
    return l;
}

} // namespace

QString TfEstadisP::TextoSinProvincia() {
    return QStringLiteral("Sin provincia");
}

TfEstadisP::TfEstadisP(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("fEstadisP"));
    setWindowTitle(QString::fromUtf8("Reporte estadístico según provincias"));
    cDistrital = new QComboBox(this);
    cDistrital->setObjectName(QStringLiteral("cDistrital"));
    cDistrital->addItems(DepartamentosEstadistica());
    cb1 = ComboCiclo(this, 0);
    cb2 = ComboCiclo(this, 1);
    cb3 = ComboCiclo(this, 2);
    ciclos_ = {cb1, cb2, cb3};
    sgTotal = new QTableWidget(0, 4, this);
    sgTotal->setObjectName(QStringLiteral("sgTotal"));
    sgTotal->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgTotal->verticalHeader()->hide();
    sgTotal->verticalHeader()->setDefaultSectionSize(20);
    sgTotal->setHorizontalHeaderLabels(
        {QStringLiteral("Provincia"), QString(), QString(), QString()});
    for (int c = 0; c < 4; ++c)
        sgTotal->setColumnWidth(c, c == 0 ? 110 : 50);
    sgTotal->setMinimumWidth(110 + 3 * 50 + 24);
    stSerie1 = TotalSerie(this, 0);
    stSerie2 = TotalSerie(this, 1);
    stSerie3 = TotalSerie(this, 2);
    totales_ = {stSerie1, stSerie2, stSerie3};
    Chart1 = new GraficoProvincias(this);
    Chart1->FijaTitulo(QString::fromUtf8("CANTIDAD DE GANADO BOVINO SEGÚN PROVINCIAS [ ---]"));
    cEtiquetas = new QCheckBox(QStringLiteral("Mostrar etiquetas"), this);
    cEtiquetas->setObjectName(QStringLiteral("cEtiquetas"));
    c3D = new QCheckBox(QStringLiteral("3D"), this);
    c3D->setObjectName(QStringLiteral("c3D"));
    c3D->setChecked(true);
    SpeedButton1 = Iconos::BotonHerramienta(this, "SpeedButton1", Iconos::Dibujo::Grafico,
                                            QString::fromUtf8("visualizar gráfico"));
    SpeedButton2 = Iconos::BotonHerramienta(this, "SpeedButton2", Iconos::Dibujo::Copiar,
                                            QString::fromUtf8("copiar gráfico al portapapeles"));

    auto* elige = new QGridLayout;
    elige->addWidget(new QLabel(QStringLiteral("Distrital"), this), 0, 0);
    elige->addWidget(cDistrital, 0, 1);
    for (int k = 0; k < 3; ++k) {
        elige->addWidget(new QLabel(QStringLiteral("Serie %1").arg(k + 1), this), k + 1, 0);
        elige->addWidget(ciclos_[size_t(k)], k + 1, 1);
    }
    auto* botones = new QVBoxLayout;
    botones->addWidget(SpeedButton1);
    botones->addWidget(SpeedButton2);
    botones->addStretch();
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(elige);
    arriba->addStretch();
    arriba->addLayout(botones);

    auto* grupoTotales = new QGroupBox(QStringLiteral("TOTALES"), this);
    auto* filaTotales = new QHBoxLayout(grupoTotales);
    for (QLabel* t : totales_)
        filaTotales->addWidget(t);
    auto* opciones = new QGroupBox(QString::fromUtf8("Opciones del gráfico"), this);
    auto* filaOpciones = new QHBoxLayout(opciones);
    filaOpciones->addWidget(cEtiquetas);
    filaOpciones->addWidget(c3D);
    filaOpciones->addStretch();

    auto* izquierda = new QVBoxLayout;
    izquierda->addLayout(arriba);
    izquierda->addWidget(sgTotal, 1);
    izquierda->addWidget(grupoTotales);
    izquierda->addWidget(opciones);
    auto* todo = new QHBoxLayout(this);
    todo->addLayout(izquierda);
    todo->addWidget(Chart1, 1);
    setTabOrder(cDistrital, cb1);
    setTabOrder(cb1, cb2);
    setTabOrder(cb2, cb3);
    setTabOrder(cb3, SpeedButton1);
    setTabOrder(SpeedButton1, SpeedButton2);
    setTabOrder(SpeedButton2, sgTotal);
    setTabOrder(sgTotal, cEtiquetas);
    setTabOrder(cEtiquetas, c3D);

    connect(cDistrital, &QComboBox::activated, this, [this] { ColocaProvincias(); });
    for (QComboBox* c : ciclos_)
        connect(c, &QComboBox::activated, this, [this] { LimpiaGrid(); });
    connect(cEtiquetas, &QCheckBox::toggled, Chart1, &GraficoProvincias::MuestraEtiquetas);
    connect(c3D, &QCheckBox::toggled, Chart1, &GraficoProvincias::Fija3D);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfEstadisP::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfEstadisP::SpeedButton2Click);

    // BEN is already shown by the list; its provinces are written here, not by a change.
    cDistrital->setCurrentIndex(0);
    ColocaProvincias();
    cb1->setCurrentIndex(cb1->findText(QStringLiteral("25")));
    cb2->setCurrentIndex(cb2->findText(QStringLiteral("24")));
    cb3->setCurrentIndex(cb3->findText(QStringLiteral("23")));
    ColocaTitulosSeries();
    Chart1->Fija3D(c3D->isChecked());
    resize(1040, 620);
}

void TfEstadisP::ColocaProvincias() {
    LimpiaGrid();
    const QStringList nombres = NombresProvincias(cDistrital->currentText());
    provincias_ = int(nombres.size());
    sgTotal->setRowCount(provincias_);
    for (int r = 0; r < provincias_; ++r)
        sgTotal->setItem(r, 0, new QTableWidgetItem(nombres[r]));
}

void TfEstadisP::LimpiaGrid() {
    // The gathering row is no province: it goes with the totals it held.
    if (sgTotal->rowCount() > provincias_)
        sgTotal->setRowCount(provincias_);
    for (int r = 0; r < sgTotal->rowCount(); ++r)
        for (int c = 1; c < 4; ++c)
            delete sgTotal->takeItem(r, c);
}

void TfEstadisP::ColocaTitulosSeries() {
    for (int k = 0; k < 3; ++k) {
        const QString ciclo = ciclos_[size_t(k)]->currentText();
        Chart1->FijaTituloSerie(k, ciclo + QStringLiteral(" ciclo"));
        sgTotal->horizontalHeaderItem(k + 1)->setText(ciclo);
    }
}

void TfEstadisP::SpeedButton1Click() {
    Ventanas::CursorEspera espera;
    Chart1->FijaTitulo(QString::fromUtf8("CANTIDAD DE GANADO BOVINO SEGÚN PROVINCIAS [") +
                       cDistrital->currentText() + QLatin1Char(']'));
    ColocaTitulosSeries();
    QStringList categorias;
    for (int r = 0; r < sgTotal->rowCount(); ++r)
        categorias << Celda(r, 0);
    Chart1->Limpia(categorias);
    // A failing statement goes to the application's error display; the series drawn so far
    // stay.
    for (int k = 0; k < 3; ++k)
        DibujaSerie(k);
}

void TfEstadisP::DibujaSerie(int k) {
    const std::vector<TotalProvincia> filas =
        LeeTotalesProvincia(ciclos_[size_t(k)]->currentText(), cDistrital->currentText());
    qint64 suma = 0;
    bool hayFuera = false;
    std::optional<qint64> fuera; // NULL until a code outside the names brings a number
    for (const TotalProvincia& t : filas) {
        const qint64 valor = t.total.isNull() ? 0 : t.total.toLongLong();
        suma += valor;
        const int fila = FilaProvincia(t.idProvincia, provincias_);
        if (fila == 0) {
            hayFuera = true;
            if (!t.total.isNull())
                fuera = fuera.value_or(0) + valor;
            continue;
        }
        FijaCelda(fila - 1, k + 1, t.total.isNull() ? QString() : QString::number(valor));
    }
    if (hayFuera)
        FijaCelda(FilaSinProvincia(k), k + 1, fuera ? QString::number(*fuera) : QString());
    totales_[size_t(k)]->setText(QString::number(suma));
    for (int r = 0; r < sgTotal->rowCount(); ++r)
        Chart1->AgregaBarra(k, TextoAEntero(Celda(r, k + 1)));
}

int TfEstadisP::FilaSinProvincia(int serie) {
    if (sgTotal->rowCount() == provincias_) {
        sgTotal->setRowCount(provincias_ + 1);
        auto* item = new QTableWidgetItem(TextoSinProvincia());
        QFont f = item->font();
        f.setItalic(true);
        item->setFont(f);
        sgTotal->setItem(provincias_, 0, item);
        // The series already drawn had no such codes: their bar there is 0.
        Chart1->AgregaCategoria(TextoSinProvincia(), std::vector<int>(size_t(serie), 0));
    }
    return provincias_;
}

QString TfEstadisP::Celda(int fila, int columna) const {
    const QTableWidgetItem* i = sgTotal->item(fila, columna);
    return i ? i->text() : QString();
}

void TfEstadisP::FijaCelda(int fila, int columna, const QString& texto) {
    auto* item = new QTableWidgetItem(texto);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sgTotal->setItem(fila, columna, item);
}

void TfEstadisP::SpeedButton2Click() {
    QGuiApplication::clipboard()->setImage(Chart1->Imagen());
    MuestraInformacion(QStringLiteral("Se copió el gráfico al portapapeles !"));
}
