// Free query console.
#include "reports/TfAvanzada.h"

#include "common/Exportacion.h"
#include "common/Grilla.h"
#include "common/Iconos.h"
#include "common/Ventanas.h"
#include "db/Consulta.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

QStringList LineasAvanzadas(const QString& texto) {
    QStringList l;
    for (const QString& linea : texto.split(QLatin1Char('\n'))) {
        const QString t = linea.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1String("--")))
            continue;
        QString cruda = linea;
        if (cruda.endsWith(QLatin1Char('\r')))
            cruda.chop(1);
        l << cruda;
    }
    return l;
}

bool EsConsultaAvanzada(const QString& texto) {
    const QString primera = texto.section(QLatin1Char('\n'), 0, 0);
    return primera.left(6).toUpper().trimmed() == QLatin1String("SELECT");
}

TfAvanzada::TfAvanzada(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("fAvanzada"));
    setWindowTitle(QStringLiteral("Consulta avanzada a la base de datos"));
    mTexto = new QPlainTextEdit(this);
    mTexto->setObjectName(QStringLiteral("mTexto"));
    mTexto->setLineWrapMode(QPlainTextEdit::NoWrap);
    mTexto->setFont(QFont(QStringLiteral("Liberation Mono")));
    sbEjecuta = new QToolButton(this);
    sbEjecuta->setObjectName(QStringLiteral("sbEjecuta"));
    sbEjecuta->setIcon(Iconos::Icono(Iconos::Dibujo::Ejecutar));
    sbEjecuta->setToolTip(QStringLiteral("ejecutar"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(Iconos::Icono(Iconos::Dibujo::Exportar));
    SpeedButton1->setToolTip(QStringLiteral("exportar"));
    DBGrid1 = new Grilla(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    auto* botones = new QHBoxLayout;
    botones->addWidget(sbEjecuta);
    botones->addWidget(SpeedButton1);
    botones->addStretch();
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(mTexto, 1);
    todo->addLayout(botones);
    todo->addWidget(DBGrid1, 3);
    connect(sbEjecuta, &QToolButton::clicked, this, &TfAvanzada::sbEjecutaClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfAvanzada::SpeedButton1Click);
    resize(900, 600);
}

void TfAvanzada::sbEjecutaClick() {
    // The last result goes first: a failing or row-less statement leaves the grid empty.
    DBGrid1->Modelo().Vacia();
    const QString texto = mTexto->toPlainText();
    const QStringList lineas = LineasAvanzadas(texto);
    if (lineas.isEmpty())
        return;
    Ventanas::CursorEspera espera;
    Consulta qConsul;
    qConsul.FijaSql(lineas);
    if (EsConsultaAvanzada(texto)) {
        qConsul.AbreEn(DBGrid1->Modelo());
        DBGrid1->AplicaColumnas();
    } else {
        qConsul.Ejecuta();
    }
}

void TfAvanzada::SpeedButton1Click() {
    ExportaConDialogo(*DBGrid1);
}
