// The main window: commands enabled by the rights, caption and status panels, the one-instance
// rule for child windows, the web page, the register question and the About box.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Direcciones.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "app/TfAcercaDe.h"
#include "app/TfPregunta.h"
#include "app/TfPrinc.h"
#include "common/Utilidades.h"
#include "vaccination/TfVacunaC.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

// Receives the addresses the program asks the system to open.
class Navegador : public QObject {
    Q_OBJECT
public:
    QList<QUrl> abiertas;
public Q_SLOTS:
    void Abre(const QUrl& url) { abiertas << url; }
};

namespace {

// The enabled state of every menu item and tool button, by name.
QMap<QString, bool> Estados(TfPrinc& p) {
    QMap<QString, bool> e;
    for (QMenu* m : {p.Archivo1, p.Dizorir1, p.tiles1})
        for (QAction* a : m->actions())
            if (!a->isSeparator())
                e[a->objectName()] = a->isEnabled();
    for (QToolButton* b : {p.sbVacunaciones, p.sbGuias, p.sbBuscando, p.sbVeterinarias,
                           p.sbVeterinarios, p.SpeedButton9, p.SpeedButton1, p.SpeedButton2})
        e[b->objectName()] = b->isEnabled();
    return e;
}

// A child window that counts its instances.
class Hija : public QWidget {
public:
    static inline int vivas = 0;
    Hija() { ++vivas; }
    ~Hija() override { --vivas; }
};

} // namespace

class TstPrincipal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        LimpiaPerfil();
        CicloActual = QStringLiteral("25");
    }

    // Without rights only "Salir", the three reports that need none and the free items of
    // "Útiles" are enabled; "Avanzada" only for the developer's account.
    void habilitadoPorDerechos_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<bool>("ciclos");
        QTest::addColumn<bool>("gma");
        QTest::addColumn<bool>("admin");
        QTest::addColumn<QStringList>("activos");
        const QStringList siempre{
            "Salir1",       "Emision1",    "Emision2",      "porprovincias1",
            "Enviarmail1",  "Cambiar1",    "Configuracin1", "Preguntasfrecuentes1",
            "Webmoravel1",  "Descargar1",  "Acercade1",     "SpeedButton9",
            "SpeedButton1", "SpeedButton2"};
        QTest::newRow("sin derechos") << "lector" << false << false << false << siempre;
        QTest::newRow("operador") << "operador" << true << true << false
                                  << siempre + QStringList{"Vacunaciones2",  "Guias1",
                                                           "Veterinarios1",  "Veterinarias1",
                                                           "Historial1",     "Importar1",
                                                           "sbVacunaciones", "sbGuias",
                                                           "sbBuscando",     "sbVeterinarias",
                                                           "sbVeterinarios"};
        QTest::newRow("desarrollador sin derechos")
            << QString::fromLatin1(kCuentaDesarrollador) << false << false << false
            << siempre + QStringList{"Avanzada1"};
        QTest::newRow("administrador")
            << "admin" << false << false << true << siempre + QStringList{"Usuarios1"};
    }
    void habilitadoPorDerechos() {
        QFETCH(QString, usuario);
        QFETCH(bool, ciclos);
        QFETCH(bool, gma);
        QFETCH(bool, admin);
        QFETCH(QStringList, activos);
        UsuarioBase = usuario;
        PSi_Ciclos_Escribe = ciclos;
        PSi_GMA_Escribe = gma;
        Sis_AdministraUsuarios = admin;
        TfPrinc p;
        const auto estados = Estados(p);
        QCOMPARE(estados.size(), 27);
        QStringList obtenidos;
        for (auto it = estados.begin(); it != estados.end(); ++it)
            if (it.value())
                obtenidos << it.key();
        activos.sort();
        QCOMPARE(obtenidos, activos);
    }

    void captionYPaneles() {
        UsuarioBase = QStringLiteral("operador");
        NombreBase = QStringLiteral("Moravel");
        IdDistrital = QStringLiteral("SCZ");
        TfPrinc p;
        QCOMPARE(p.windowTitle(), QStringLiteral("GRAN MORAVEL - ") + TdmDatos::TituloCompleto());
        QStringList paneles;
        for (QLabel* l : p.StatusBar1)
            paneles << l->text();
        QCOMPARE(paneles, (QStringList{FechaEnLetras(true, QDate::currentDate()), "BD=moravel",
                                       "Usuario=operador", "Distrital=SCZ", "Ciclo=25 avo", ""}));
        QCOMPARE(p.sbBuscando->toolTip(), QString::fromUtf8("lozalizar certificado de vacunación"));
        QCOMPARE(p.SpeedButton2->toolTip(),
                 QStringLiteral("web moravel - ") + QString::fromLatin1(kPaginaWeb));
        QCOMPARE(p.Dizorir1->title(), QStringLiteral("&GMA"));
        QVERIFY(!p.sbGuias->icon().isNull());
    }

    // One instance of a child window: a second request brings it to the front; closing frees
    // it and clears the reference, so the next request creates it again.
    void unaSolaInstancia() {
        TfPrinc p;
        p.show();
        QPointer<Hija> ref;
        Hija* primera = Ventanas::AbreUnica(ref);
        QCOMPARE(Ventanas::AbreUnica(ref), primera);
        QCOMPARE(Hija::vivas, 1);
        QCOMPARE(p.Marco()->subWindowList().size(), 1);
        p.Marco()->subWindowList().first()->close();
        QTRY_VERIFY(ref.isNull());
        QCOMPARE(Hija::vivas, 0);
        QVERIFY(Ventanas::AbreUnica(ref) != nullptr);
        QCOMPARE(Hija::vivas, 1);
    }

    void paginaWebYCorreo() {
        Navegador navegador;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &navegador, "Abre");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &navegador, "Abre");
        TfPrinc p;
        p.Webmoravel1->trigger();
        p.SpeedButton2->click();
        QCOMPARE(navegador.abiertas.size(), 2);
        QCOMPARE(navegador.abiertas[0].toString(), QString::fromLatin1(kPaginaWeb));
        QCOMPARE(navegador.abiertas[0].path(), QStringLiteral("/vrk"));

        // The About box: the module's title by the application title, the version, credits.
        QCoreApplication::setApplicationName(QStringLiteral("Tarvelion"));
        QString titulo, version, paginas;
        int paginaInicial = -1;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& a = dynamic_cast<TfAcercaDe&>(d);
            titulo = a.pTitulo->text();
            version = a.Label15->text();
            paginas = a.Paginas->tabText(0) + QLatin1Char('|') + a.Paginas->tabText(1);
            paginaInicial = a.Paginas->currentIndex();
            a.Paginas->setCurrentIndex(1);
            a.show();
            QTest::mouseClick(a.lCorreo, Qt::LeftButton);
            return int(QDialog::Accepted);
        });
        p.Acercade1->trigger();
        Ventanas::InstalaManejador({});
        QCOMPARE(titulo, QStringLiteral("TELMARO"));
        QCOMPARE(version, QString::fromUtf8("Versión del módulo: ") + VersionModulo());
        QCOMPARE(paginas, QString::fromUtf8("Acerca de...|Créditos"));
        QCOMPARE(paginaInicial, 0);
        QCOMPARE(navegador.abiertas.size(), 3);
        QCOMPARE(navegador.abiertas[2].toString(),
                 QStringLiteral("mailto:") + QString::fromLatin1(kCorreoSoporte));
        QVERIFY(TfAcercaDe::TituloModulo(QStringLiteral("Otro")).isEmpty());
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }

    // The register question: "Aceptar" gives the chosen index, "Cancelar" leaves 255.
    void preguntaDeRegistro() {
        // The legacy console that the question opens reads its lists from a session.
        BaseDePrueba base;
        base.Geografia();
        base.Login(QStringLiteral("lector"), QStringLiteral("x"), QStringLiteral("SCZ"),
                   {QStringLiteral("PSi_Lee")});
        TdmDatos datos;
        base.AbreSesion(QStringLiteral("lector"), QStringLiteral("x"));
        PSi_Ciclos_Escribe = true;
        TfPrinc p;
        QString titulo;
        int alCrear = -1;
        bool enfocada = false;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& pr = dynamic_cast<TfPregunta&>(d);
            titulo = pr.windowTitle();
            // The first choice has the focus, so the arrows move between the choices.
            enfocada = pr.focusWidget() == pr.findChild<QRadioButton*>(QStringLiteral("rgCuando0"));
            alCrear = TipoRegistro;
            pr.findChild<QRadioButton*>(QStringLiteral("rgCuando1"))->setChecked(true);
            pr.BitBtn1->click();
            return pr.result();
        });
        p.Vacunaciones2->trigger();
        QVERIFY(enfocada);
        QCOMPARE(TipoRegistro, 1);
        QVERIFY(fVacunaC);
        QCOMPARE(fVacunaC->windowTitle(), QStringLiteral("Reporte de vacunaciones"));
        delete fVacunaC.data();
        QCOMPARE(titulo, QString::fromUtf8("Según ciclo de vacunación"));
        QCOMPARE(alCrear, 255);
        Ventanas::InstalaManejador([](QDialog& d) {
            dynamic_cast<TfPregunta&>(d).BitBtn2->click();
            return d.result();
        });
        p.sbVacunaciones->click();
        QCOMPARE(TipoRegistro, 255);
        Ventanas::InstalaManejador({});
    }
};

TARVELION_PRUEBA_MAIN(TstPrincipal)
#include "tst_principal.moc"
