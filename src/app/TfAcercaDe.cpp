// About box.
#include "app/TfAcercaDe.h"

#include "app/Direcciones.h"
#include "common/Iconos.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

QString TfAcercaDe::TituloModulo(const QString& tituloAplicacion) {
    // The family's modules; this program is the first and carries only its own title.
    static const std::pair<const char*, const char*> titulos[] = {
        {"Tarvelion", "TELMARO"}, {"Serolab", "SEROLAB"},   {"Vigilan", "VIGILAN"},
        {"Registra", "REGISTRA"}, {"Catastro", "CATASTRO"},
    };
    for (const auto& [aplicacion, titulo] : titulos)
        if (tituloAplicacion == QLatin1String(aplicacion))
            return QString::fromLatin1(titulo);
    return {};
}

TfAcercaDe::TfAcercaDe(QWidget* padre)
    : QDialog(padre), Paginas(new QTabWidget(this)), pTitulo(new QLabel(this)),
      Label15(new QLabel(this)), lCorreo(new QLabel(this)) {
    setObjectName(QStringLiteral("fAcercaDe"));
    setWindowTitle(QStringLiteral("Acerca de..."));
    Paginas->setObjectName(QStringLiteral("Paginas"));
    pTitulo->setObjectName(QStringLiteral("pTitulo"));
    Label15->setObjectName(QStringLiteral("Label15"));
    lCorreo->setObjectName(QStringLiteral("lCorreo"));

    // Page "Acerca de...".
    auto* acerca = new QWidget;
    pTitulo->setText(TituloModulo(QCoreApplication::applicationName()));
    pTitulo->setAlignment(Qt::AlignCenter);
    pTitulo->setAutoFillBackground(true);
    pTitulo->setStyleSheet(QStringLiteral(
        "background:#22784a; color:white; font-size:22pt; font-weight:bold; padding:8px;"));
    auto* sistema = new QLabel(QStringLiteral("GRAN MORAVEL"), acerca);
    sistema->setStyleSheet(QStringLiteral("font-size:13pt; font-weight:bold;"));
    auto* emblema = new QLabel(acerca);
    emblema->setPixmap(Iconos::Emblema(72));
    auto* descripcion = new QLabel(
        QString::fromUtf8("Módulo de vacunación y tránsito de ganado, parte integral del sistema "
                          "de información GRAN MORAVEL, al servicio de la administración nacional "
                          "y de las unidades técnicas distritales."),
        acerca);
    descripcion->setWordWrap(true);
    Label15->setText(QString::fromUtf8("Versión del módulo: ") + VersionModulo());
    auto* rejilla = new QGridLayout(acerca);
    rejilla->addWidget(pTitulo, 0, 0, 1, 2);
    rejilla->addWidget(emblema, 1, 0, 2, 1, Qt::AlignTop);
    rejilla->addWidget(sistema, 1, 1);
    rejilla->addWidget(descripcion, 2, 1);
    rejilla->addWidget(Label15, 3, 0, 1, 2);
    rejilla->setColumnStretch(1, 1);
    Paginas->addTab(acerca, QStringLiteral("Acerca de..."));

    // Page "Créditos".
    auto* creditos = new QWidget;
    auto* titulo = new QLabel(QStringLiteral("CREDITOS"), creditos);
    titulo->setStyleSheet(QStringLiteral("font-weight:bold; font-size:12pt;"));
    lCorreo->setText(QStringLiteral("<a href=\"#\">") + QString::fromLatin1(kCorreoSoporte) +
                     QStringLiteral("</a>"));
    lCorreo->setCursor(Qt::PointingHandCursor);
    lCorreo->installEventFilter(this);
    auto* c = new QGridLayout(creditos);
    c->addWidget(titulo, 0, 0, 1, 2);
    c->addWidget(new QLabel(QString::fromUtf8("Estudio, diseño y codificación:"), creditos), 1, 0);
    c->addWidget(new QLabel(QStringLiteral("Area Nacional  de Sistemas"), creditos), 1, 1);
    c->addWidget(new QLabel(QStringLiteral("Sugerencias acerca de este producto:"), creditos), 2,
                 0);
    c->addWidget(lCorreo, 2, 1);
    c->setRowStretch(3, 1);
    Paginas->addTab(creditos, QString::fromUtf8("Créditos"));
    Paginas->setCurrentIndex(0);

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Paginas);
    todo->addWidget(botones);
    Ventanas::TamanoFijo(*this, QSize(460, 320));
}

bool TfAcercaDe::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == lCorreo && evento->type() == QEvent::MouseButtonRelease) {
        AbreCorreo(QString::fromLatin1(kCorreoSoporte));
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}
