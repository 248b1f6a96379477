// The main window.
#include "app/TfPrinc.h"

#include "app/Aperturas.h"
#include "app/Direcciones.h"
#include "app/Globales.h"
#include "app/LocalizaCertificado.h"
#include "app/TdmDatos.h"
#include "app/TfAcercaDe.h"
#include "app/TfLocaliza.h"
#include "app/TfPregunta.h"
#include "app/TfUMainWU.h"
#include "common/Iconos.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"

#include <QDate>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {
TfPrinc* instancia = nullptr;

QAction* Item(QMenu* menu, const char* nombre, const QString& titulo) {
    QAction* a = menu->addAction(titulo);
    a->setObjectName(QString::fromLatin1(nombre));
    return a;
}
} // namespace

TfPrinc* TfPrinc::Instancia() {
    return instancia;
}

TfPrinc::TfPrinc(QWidget* padre) : QMainWindow(padre), marco_(new QMdiArea(this)) {
    instancia = this;
    setObjectName(QStringLiteral("fPrinc"));
    setWindowIcon(Iconos::Icono(Iconos::Dibujo::Escudo));
    marco_->setObjectName(QStringLiteral("Marco"));
    marco_->setBackground(QColor(128, 128, 128));
    setCentralWidget(marco_);
    Ventanas::FijaMarco(marco_);
    CreaMenu();
    CreaBarraHerramientas();
    CreaBarraEstado();
    FormCreate();
}

TfPrinc::~TfPrinc() {
    if (instancia == this)
        instancia = nullptr;
    if (Ventanas::Marco() == marco_)
        Ventanas::FijaMarco(nullptr);
}

void TfPrinc::CreaMenu() {
    Archivo1 = menuBar()->addMenu(QStringLiteral("&Archivo"));
    Archivo1->setObjectName(QStringLiteral("Archivo1"));
    Usuarios1 = Item(Archivo1, "Usuarios1", QStringLiteral("Usuarios del sistema"));
    Archivo1->addSeparator();
    Salir1 = Item(Archivo1, "Salir1", QStringLiteral("Salir"));

    Dizorir1 = menuBar()->addMenu(QStringLiteral("&GMA"));
    Dizorir1->setObjectName(QStringLiteral("Dizorir1"));
    Vacunaciones2 = Item(Dizorir1, "Vacunaciones2", QString::fromUtf8("Ciclos de vacunación"));
    Guias1 = Item(Dizorir1, "Guias1", QStringLiteral("Guias de Movimiento Animal"));
    Dizorir1->addSeparator();
    Veterinarios1 = Item(Dizorir1, "Veterinarios1", QStringLiteral("Registro de veterinarios"));
    Veterinarias1 = Item(Dizorir1, "Veterinarias1", QStringLiteral("Empresas veterinarias"));
    Dizorir1->addSeparator();
    Historial1 = Item(Dizorir1, "Historial1", QStringLiteral("Reporte de GMA's por predios"));
    Emision1 = Item(Dizorir1, "Emision1", QString::fromUtf8("Reporte de emisión de GMA's"));
    Emision2 = Item(Dizorir1, "Emision2", QString::fromUtf8("Reporte de emisión de nuevas GMA's"));
    porprovincias1 =
        Item(Dizorir1, "porprovincias1", QString::fromUtf8("Reporte estadístico por ciclos"));

    tiles1 = menuBar()->addMenu(QString::fromUtf8("&Útiles"));
    tiles1->setObjectName(QStringLiteral("tiles1"));
    Importar1 = Item(tiles1, "Importar1", QStringLiteral("Importar datos"));
    Enviarmail1 = Item(tiles1, "Enviarmail1", QStringLiteral("Enviar mail"));
    Cambiar1 = Item(tiles1, "Cambiar1", QStringLiteral("Cambiar password"));
    Configuracin1 = Item(tiles1, "Configuracin1", QString::fromUtf8("Configuración"));
    Avanzada1 = Item(tiles1, "Avanzada1", QStringLiteral("Avanzada"));
    Preguntasfrecuentes1 =
        Item(tiles1, "Preguntasfrecuentes1", QStringLiteral("Preguntas frecuentes"));
    Webmoravel1 = Item(tiles1, "Webmoravel1", QStringLiteral("Web moravel"));
    Descargar1 = Item(tiles1, "Descargar1", QString::fromUtf8("Descargar nueva versión"));
    tiles1->addSeparator();
    Acercade1 = Item(tiles1, "Acercade1", QStringLiteral("Acerca de ..."));

    connect(Salir1, &QAction::triggered, this, &TfPrinc::Salir1Click);
    connect(Vacunaciones2, &QAction::triggered, this, &TfPrinc::Vacunaciones2Click);
    connect(Guias1, &QAction::triggered, this, &TfPrinc::Guias1Click);
    connect(Veterinarios1, &QAction::triggered, this, [] { AbreRegistroVeterinarios(); });
    connect(Veterinarias1, &QAction::triggered, this, [] { AbreRegistroProveedores(); });
    connect(Importar1, &QAction::triggered, this, [] { AbreImportacion(); });
    connect(Avanzada1, &QAction::triggered, this, [] { AbreConsultaAvanzada(); });
    connect(Historial1, &QAction::triggered, this, [] { AbreHistorial(); });
    connect(Emision1, &QAction::triggered, this, [] { AbreGuiasEmitidas(false); });
    connect(Emision2, &QAction::triggered, this, [] { AbreGuiasEmitidas(true); });
    connect(Enviarmail1, &QAction::triggered, this, [] { AbreCorreo(); });
    connect(Preguntasfrecuentes1, &QAction::triggered, this, [] { AbreForo(); });
    connect(Cambiar1, &QAction::triggered, this, [] { AbreCambioContrasena(); });
    connect(Usuarios1, &QAction::triggered, this, [] { AbreUsuarios(); });
    connect(porprovincias1, &QAction::triggered, this, [] { AbreEstadisticaProvincias(); });
    connect(Webmoravel1, &QAction::triggered, this, &TfPrinc::Webmoravel1Click);
    connect(Descargar1, &QAction::triggered, this, &TfPrinc::Descargar1Click);
    connect(Acercade1, &QAction::triggered, this, &TfPrinc::Acercade1Click);
}

void TfPrinc::CreaBarraHerramientas() {
    QToolBar* barra = addToolBar(QStringLiteral("ToolBar1"));
    barra->setObjectName(QStringLiteral("ToolBar1"));
    barra->setMovable(false);
    barra->setIconSize(QSize(24, 24));
    auto boton = [&](const char* nombre, Iconos::Dibujo dibujo, const QString& pista) {
        auto* b = new QToolButton(barra);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setIcon(Iconos::Icono(dibujo));
        b->setToolTip(pista);
        b->setAutoRaise(true);
        barra->addWidget(b);
        return b;
    };
    using Iconos::Dibujo;
    sbVacunaciones =
        boton("sbVacunaciones", Dibujo::Jeringa, QString::fromUtf8("ciclos de vacunación"));
    sbGuias = boton("sbGuias", Dibujo::Camion, QString::fromUtf8("emisión de guías de movimiento"));
    barra->addSeparator();
    sbBuscando =
        boton("sbBuscando", Dibujo::Lupa, QString::fromUtf8("lozalizar certificado de vacunación"));
    sbVeterinarias =
        boton("sbVeterinarias", Dibujo::Empresa, QStringLiteral("empresas veterinarias"));
    sbVeterinarios = boton("sbVeterinarios", Dibujo::Persona,
                           QString::fromUtf8("registro del personal técnico y veterinario"));
    barra->addSeparator();
    SpeedButton9 =
        boton("SpeedButton9", Dibujo::Sobre, QStringLiteral("enviar mail al equipo de desarrollo"));
    SpeedButton1 =
        boton("SpeedButton1", Dibujo::Pregunta, QStringLiteral("preguntas frecuentes - foro"));
    SpeedButton2 = boton("SpeedButton2", Dibujo::Globo,
                         QStringLiteral("web moravel - ") + QString::fromLatin1(kPaginaWeb));

    connect(sbVacunaciones, &QToolButton::clicked, this, &TfPrinc::Vacunaciones2Click);
    connect(sbGuias, &QToolButton::clicked, this, &TfPrinc::Guias1Click);
    connect(sbBuscando, &QToolButton::clicked, this, &TfPrinc::sbBuscandoClick);
    connect(sbVeterinarias, &QToolButton::clicked, Veterinarias1, &QAction::trigger);
    connect(sbVeterinarios, &QToolButton::clicked, Veterinarios1, &QAction::trigger);
    connect(SpeedButton9, &QToolButton::clicked, Enviarmail1, &QAction::trigger);
    connect(SpeedButton1, &QToolButton::clicked, Preguntasfrecuentes1, &QAction::trigger);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfPrinc::Webmoravel1Click);
}

void TfPrinc::CreaBarraEstado() {
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    const int anchos[] = {230, 140, 150, 110, 100, 0};
    for (int i = 0; i < 6; ++i) {
        auto* panel = new QLabel(statusBar());
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (anchos[i] > 0)
            panel->setMinimumWidth(anchos[i]);
        statusBar()->addWidget(panel, anchos[i] > 0 ? 0 : 1);
        StatusBar1 << panel;
    }
}

void TfPrinc::FormCreate() {
    Avanzada1->setEnabled(UsuarioBase == QLatin1String(kCuentaDesarrollador));
    // Enabled by the rights read at session start; the rest is always available.
    Usuarios1->setEnabled(Sis_AdministraUsuarios);
    for (QAction* a : {Vacunaciones2, Veterinarios1, Veterinarias1, Importar1})
        a->setEnabled(PSi_Ciclos_Escribe);
    for (QToolButton* b : {sbVacunaciones, sbBuscando, sbVeterinarias, sbVeterinarios})
        b->setEnabled(PSi_Ciclos_Escribe);
    for (QAction* a : {Guias1, Historial1})
        a->setEnabled(PSi_GMA_Escribe);
    sbGuias->setEnabled(PSi_GMA_Escribe);

    if (TdmDatos* datos = TdmDatos::Instancia())
        datos->RefrescaCaptionPrincipal();
    else
        setWindowTitle(QStringLiteral("GRAN MORAVEL - ") + TdmDatos::TituloCompleto());
    StatusBar1[0]->setText(FechaEnLetras(true, QDate::currentDate()));
    StatusBar1[1]->setText(QStringLiteral("BD=") + NombreBase.toLower());
    StatusBar1[2]->setText(QStringLiteral("Usuario=") + UsuarioBase.toLower());
    StatusBar1[3]->setText(QStringLiteral("Distrital=") + IdDistrital);
    StatusBar1[4]->setText(QStringLiteral("Ciclo=") + CicloActual + QStringLiteral(" avo"));
}

void TfPrinc::Salir1Click() {
    close();
}

void TfPrinc::Vacunaciones2Click() {
    TfPregunta pregunta(this);
    Ventanas::MuestraModal(pregunta);
    if (TipoRegistro == 0)
        AbreConsolaCertificadosVigentes();
    else if (TipoRegistro == 1)
        AbreConsolaCertificadosLegados();
}

void TfPrinc::Guias1Click() {
    AbreConsolaGuias();
}

void TfPrinc::sbBuscandoClick() {
    TfLocaliza localiza(this);
    Ventanas::MuestraModal(localiza);
    if (CicloLocalizado == QLatin1String("20"))
        BuscaCertificado();
    else if (CicloLocalizado == QLatin1String("21"))
        BuscaCertificado_New();
}

void TfPrinc::Webmoravel1Click() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kPaginaWeb)));
}

void TfPrinc::Descargar1Click() {
    TfUMainWU ventana(this);
    ventana.setWindowTitle(QString::fromUtf8("Descargar nueva versión de Tarvelion.exe"));
    ventana.mUtiles->setPlainText(QString::fromUtf8(
        "Si su módulo \"Tarvelion\" está corriendo sin problemas, posiblemente no necesite "
        "descargar una nueva versión a no ser que sea por instrucción del AREA NAL. DE SISTEMAS "
        "o su jefe inmediato superior"));
    ventana.UrlBase = QString::fromLatin1(kPaginaWeb);
    ventana.CarpetaDestino = CarpetaSistema;
    ventana.NombreModulo = QStringLiteral("Tarvelion");
    Ventanas::MuestraModal(ventana);
}

void TfPrinc::Acercade1Click() {
    TfAcercaDe acerca(this);
    Ventanas::MuestraModal(acerca);
}
