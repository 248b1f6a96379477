// Pictures of the program for the README and for review: signs in to a database as the demo's
// operator, opens the main window, both consoles with rows, the lookup, the print dialog and
// the certificate form, and writes each as a PNG; the first guide of the list is written as the
// PDF it prints. Run under a display (Xvfb) by scripts/capturas.sh.
#include "app/Aperturas.h"
#include "app/Aplicacion.h"
#include "app/Arranque.h"
#include "app/Configuracion.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "app/TfLocaliza.h"
#include "app/TfPrinc.h"
#include "common/Editores.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"
#include "guides/ImpresionGuia.h"
#include "guides/TfEspecie.h"
#include "guides/TfGuiaR.h"
#include "guides/TfImprimir.h"
#include "guides/TfMueveA.h"
#include "guides/TfMueveB.h"
#include "guides/TfMueveC.h"
#include "guides/TfSearch.h"
#include "guides/TfTotalBov.h"
#include "reports/Historial.h"
#include "reports/TfAvanzada.h"
#include "reports/TfEstadisP.h"
#include "reports/TfGuias.h"
#include "reports/TfHisto.h"
#include "services/TfContrasena.h"
#include "services/TfCorreo.h"
#include "services/TfForo.h"
#include "services/TfForoP.h"
#include "services/TfUsuarios.h"
#include "vaccination/ReceptorBusqueda.h"
#include "vaccination/TfBuscar.h"
#include "vaccination/TfImpor.h"
#include "vaccination/TfProvee.h"
#include "vaccination/TfVacunaA_New.h"
#include "vaccination/TfVacunaC.h"
#include "vaccination/TfVacunaC_New.h"
#include "vaccination/TfVeterinarios.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace {

QString destino;

// Answers every question with OK and prints the other boxes (the whole-district question).
class SiempreSi : public Mensajes::Servicio {
public:
    void Muestra(const QString&, Mensajes::Icono, const QString& texto) override {
        std::printf("caja: %s\n", qPrintable(texto));
    }
    bool Pregunta(const QString&, Mensajes::Icono, const QString&) override { return true; }
};

void Espera(int ms = 300) {
    QEventLoop bucle;
    QTimer::singleShot(ms, &bucle, &QEventLoop::quit);
    bucle.exec();
}

void Guarda(QWidget* w, const char* nombre) {
    Espera();
    const QString ruta = QDir(destino).filePath(QString::fromLatin1(nombre) + ".png");
    if (!w->window()->grab().save(ruta))
        std::fprintf(stderr, "no se pudo escribir %s\n", qPrintable(ruta));
    else
        std::printf("%s\n", qPrintable(ruta));
}

// The legacy certificate windows and the registries, as the given user sees them.
int CapturaLegado(const QString& usuario) {
    const QByteArray prefijo = usuario.toLatin1() + '_';
    auto guarda = [&](QWidget* w, const char* nombre) {
        Guarda(w, (prefijo + nombre).constData());
    };
    AbreConsolaCertificadosLegados();
    fVacunaC->cbCiclo->setCurrentText(QStringLiteral("20"));
    fVacunaC->cProvincias->setChecked(false);
    fVacunaC->cbDistrital->setCurrentText(QStringLiteral("SCZ"));
    Ventanas::InstalaManejador([&](QDialog& d) {
        d.show();
        guarda(&d, d.metaObject()->className());
        return int(QDialog::Rejected);
    });
    Mensajes::Instala(std::make_shared<SiempreSi>());
    fVacunaC->sbEjecutar->click();
    guarda(fVacunaC, "consola_legado");
    if (fVacunaC->sbEditar->isEnabled())
        fVacunaC->sbEditar->click();
    fVacunaC->parentWidget()->close();
    AbreRegistroVeterinarios();
    guarda(fVeterinarios, "veterinarios_lista");
    fVeterinarios->PageControl1->setCurrentIndex(1);
    guarda(fVeterinarios, "veterinarios_registro");
    fVeterinarios->parentWidget()->close();
    AbreRegistroProveedores();
    guarda(fProvee, "proveedores_lista");
    fProvee->PageControl1->setCurrentIndex(1);
    guarda(fProvee, "proveedores_registro");
    // The import dialog as it opens, and with a workbook (CAPTURAS_LIBRO) half-way through
    // and at its end. The closing box is answered by the message service.
    {
        TfImpor importa;
        Ventanas::MuestraModal(importa);
    }
    if (const QString libro = qEnvironmentVariable("CAPTURAS_LIBRO"); !libro.isEmpty()) {
        Ventanas::InstalaManejador({});
        TfImpor importa;
        importa.show();
        importa.eArchivo->setText(libro);
        importa.cbCiclo->setCurrentText(QStringLiteral("20"));
        importa.cbDistrital->setCurrentText(QStringLiteral("SCZ"));
        QTimer::singleShot(700, &importa, [&] { guarda(&importa, "importando"); });
        importa.BitBtn1->click();
        guarda(&importa, "importado");
        Ventanas::InstalaManejador([&](QDialog& d) {
            d.show();
            guarda(&d, d.metaObject()->className());
            return int(QDialog::Rejected);
        });
    }
    // The premises search, with a list found.
    struct Nadie : ReceptorBusqueda {
        void Fija(Campo, const QString&) override {}
        void RefrescaMunicipios(Lado) override {}
    } nadie;
    TfBuscar* b = AbreBusqueda(nullptr, 1, &nadie);
    b->SeleccionaCiclo(QStringLiteral("20"));
    b->SeleccionaDistrital(QStringLiteral("SCZ"));
    b->eBuscar->setText(QStringLiteral("vista"));
    b->bbBuscar->click();
    guarda(b, "busqueda");
    b->close();
    // The two report dialogs as they open.
    {
        TfHisto historial;
        historial.show();
        guarda(&historial, "historial");
        TfGuias21 guias;
        guias.show();
        guarda(&guias, "guias_emitidas");
    }
    // The statistics by province as they open, and drawn for SCZ in cycles 25, 24 and the
    // legacy 20, flat with the values shown; alone in the frame.
    Ventanas::Marco()->closeAllSubWindows();
    AbreEstadisticaProvincias();
    guarda(fEstadisP, "estadistica");
    fEstadisP->cDistrital->setCurrentText(QStringLiteral("SCZ"));
    fEstadisP->ColocaProvincias();
    fEstadisP->cb3->setCurrentText(QStringLiteral("20"));
    fEstadisP->SpeedButton1->click();
    guarda(fEstadisP, "estadistica_3d");
    fEstadisP->cEtiquetas->setChecked(true);
    fEstadisP->c3D->setChecked(false);
    guarda(fEstadisP, "estadistica_etiquetas");
    fEstadisP->parentWidget()->close();
    // The user services: the forum listed with an answer being written, the support mail,
    // the password change and (for administrators) the user list.
    AbreForo();
    fForo->SpeedButton1->click();
    guarda(fForo, "foro");
    {
        TfForoP pregunta(fForo);
        pregunta.PreparaRespuesta(1, QString::fromUtf8("¿Cómo imprimo una guía en la hoja A4?"),
                                  QStringLiteral("T"), QString(),
                                  QStringLiteral("Desde la consola de guías, con Imprimir."));
        pregunta.show();
        guarda(&pregunta, "foro_respuesta");
    }
    fForo->parentWidget()->close();
    AbreCorreo();
    fCorreo->eDireccion->setText(QStringLiteral("ana@correo.bo"));
    fCorreo->eAsunto->setText(QString::fromUtf8("Impresión de guías"));
    guarda(fCorreo, "correo");
    fCorreo->parentWidget()->close();
    {
        TfContrasena contrasena;
        contrasena.show();
        guarda(&contrasena, "contrasena");
    }
    AbreUsuarios();
    if (fUsuarios) {
        guarda(fUsuarios, "usuarios");
        fUsuarios->parentWidget()->close();
    }
    // The free query console, for the developer account.
    AbreConsultaAvanzada();
    if (fAvanzada) {
        fAvanzada->mTexto->setPlainText(QStringLiteral(
            "SELECT Especie, COUNT(*) AS Guias -- por especie\nFROM Guias\nGROUP BY Especie\n"
            "ORDER BY Especie"));
        fAvanzada->sbEjecuta->click();
        guarda(fAvanzada, "avanzada");
        fAvanzada->parentWidget()->close();
    }
    // The transport lookup with the vehicles of the current year whose owner holds an "A".
    {
        TfSearch transporte(nullptr);
        transporte.show();
        transporte.eCriterio->setText(QStringLiteral("%A%"));
        transporte.sbEjecutar->click();
        guarda(&transporte, "transporte");
    }
    Ventanas::InstalaManejador({});
    return 0;
}

} // namespace

// A new bovine guide from a premises found by the search, and its stock dialog while it
// computes and after; the screen a district office has (1366 x 768).
static void CapturaGuiaBovina() {
    TfMueveA f(nullptr);
    f.AbreNueva(QStringLiteral("BOV"));
    f.show();
    f.cRubroO->setCurrentIndex(0);
    emit f.cRubroO->activated(0);
    Mensajes::Instala(std::make_shared<SiempreSi>());
    f.sbBuscaO->click();
    fBuscar->SeleccionaCiclo(QStringLiteral("21")); // the demo's certificates
    fBuscar->eBuscar->setText(QStringLiteral("esperanza"));
    fBuscar->bbBuscar->click();
    Guarda(fBuscar, "busqueda_origen");
    fBuscar->bbInsertar->click();
    fBuscar->close();
    f.cRubroD->setCurrentIndex(f.cRubroD->findText(QStringLiteral("Consumo")));
    emit f.cRubroD->activated(f.cRubroD->currentIndex());
    Guarda(&f, "guia_bovina");
    std::printf("guia_bovina: %dx%d\n", f.frameGeometry().width(), f.frameGeometry().height());
    Ventanas::InstalaManejador([](QDialog& d) {
        d.show();
        // Before the computation runs: as the dialog shows while its first query runs.
        d.grab().save(QDir(destino).filePath(QStringLiteral("existencias_calculando.png")));
        static_cast<TfTotalBov&>(d).FormActivate();
        Guarda(&d, "existencias");
        return int(QDialog::Rejected);
    });
    f.sbEspecie->click();
    Ventanas::InstalaManejador({});
}

// The species picker and a new pig guide, its count dialog preloaded.
static void CapturaOtrasEspecies() {
    {
        TfEspecie especie;
        especie.show();
        Guarda(&especie, "especie");
    }
    TfMueveB f(nullptr);
    f.AbreNueva(QStringLiteral("SUI"));
    f.show();
    f.cRubroO->setCurrentIndex(f.cRubroO->findText(QStringLiteral("Feria")));
    f.ePredioO->setText(QStringLiteral("FERIA DE COTOCA"));
    f.cRubroD->setCurrentIndex(f.cRubroD->findText(QStringLiteral("Matadero")));
    emit f.cRubroD->activated(f.cRubroD->currentIndex());
    f.cFaena->setChecked(true);
    Guarda(&f, "guia_otras");
    f.CantidadesGrupo = {0, 0, 4, 3, 0, 0, 0, 0, 0, 0};
    Ventanas::InstalaManejador([](QDialog& d) {
        d.show();
        Guarda(&d, "cantidades_otras");
        return int(QDialog::Rejected);
    });
    f.sbBoton->click();
    Ventanas::InstalaManejador({});
}

int main(int argc, char** argv) {
    Aplicacion app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "uso: capturas CARPETA_BASE USUARIO CLAVE [DESTINO]\n");
        return 2;
    }
    FijaIdioma();
    QApplication::setApplicationName(QStringLiteral("Tarvelion"));
    CarpetaSistema = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    destino = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QDir::currentPath();
    QDir().mkpath(destino);
    ArchivoIni = QDir(CarpetaSistema).filePath(QStringLiteral("Tarvelion.ini"));
    {
        QFile ini(ArchivoIni);
        if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        // CAPTURAS_SERVIDOR names a SQL Server ("host,port") to shoot the windows over ODBC.
        const QString servidor = qEnvironmentVariableIsSet("CAPTURAS_SERVIDOR")
                                     ? EncryptIP(qEnvironmentVariable("CAPTURAS_SERVIDOR"))
                                     : QStringLiteral("Moravel.db");
        QTextStream(&ini) << "[CONECTIVIDAD]\r\nServidor=" << servidor << "\r\nUsuario=" << argv[2]
                          << "\r\nPassword=" << argv[3] << "\r\nDialogo=0\r\n";
    }
    CicloActual = QStringLiteral("25");
    auto modulo = Arranque::CreaModuloDatos();
    if (TerminacionSolicitada)
        return 1;
    TfPrinc principal;
    principal.resize(1280, 800);
    principal.show();
    if (argc > 5 && QLatin1String(argv[5]) == QLatin1String("legado"))
        return CapturaLegado(QString::fromLocal8Bit(argv[2]));
    Guarda(&principal, "principal");

    AbreConsolaCertificadosVigentes();
    fVacunaC_New->sbEjecutar->click();
    Guarda(fVacunaC_New, "consola_certificados");
    fVacunaC_New->parentWidget()->close();

    AbreConsolaGuias();
    fMueveC->deDesde->setDate(QDate(2000, 1, 1));
    fMueveC->sbEjecutar->click();
    Guarda(fMueveC, "consola_guias");

    // Modal windows: pictured as they open, then closed.
    Ventanas::InstalaManejador([](QDialog& d) {
        d.show();
        Guarda(&d, d.metaObject()->className());
        return int(QDialog::Rejected);
    });
    TfLocaliza localiza;
    Ventanas::MuestraModal(localiza);
    TfImprimir imprimir;
    Ventanas::MuestraModal(imprimir);
    AbreAltaCertificadoVigente(CicloActual, 1);

    // The first guide of the list as it prints on the A4 stationery.
    const ValorGuia valor = [](const QString& campo) { return fMueveC->Actual(campo); };
    TfGuiaR guia;
    LlenaGuia(guia, false, valor, LeeVacunaOrigen(valor));
    guia.GuardaPdf(QDir(destino).filePath(QStringLiteral("guia.pdf")));
    std::printf("%s\n", qPrintable(QDir(destino).filePath(QStringLiteral("guia.pdf"))));
    Ventanas::InstalaManejador({});
    CapturaGuiaBovina();
    CapturaOtrasEspecies();
    // The movement history of a premises of the demo, as it prints.
    {
        const auto filas = LeeHistorial(QStringLiteral("1329"), QStringLiteral("25"));
        InformeHistorial({QStringLiteral("EL TAJIBO"), QStringLiteral("SCZ - Warnes"),
                          QStringLiteral("VARGAS"), QStringLiteral("Corresponde al 25 avo ciclo")},
                         filas, NombreServicio(), QDate::currentDate())
            .GuardaPdf(QDir(destino).filePath(QStringLiteral("historial.pdf")));
    }
    // The guides-issued report of the district over the last year.
    {
        TfGuias21 reporte;
        reporte.cbJD->setCurrentText(QStringLiteral("SCZ"));
        reporte.deDesde->setDate(QDate::currentDate().addYears(-1));
        reporte.Reporte().GuardaPdf(QDir(destino).filePath(QStringLiteral("guias_emitidas.pdf")));
    }
    return 0;
}
