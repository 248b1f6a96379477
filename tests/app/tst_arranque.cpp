// Start-up: working folder, decimal separator, INI reading, single instance, and the failure
// path of the session start.
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Arranque.h"
#include "app/Configuracion.h"
#include "app/Globales.h"
#include "app/InstanciaUnica.h"
#include "app/TdmDatos.h"
#include "app/TfPrinc.h"
#include "common/Errores.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <csignal>

namespace {

void Escribe(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

// A session start that fails half-way, as a refused connection does.
class ModuloQueFalla : public TdmDatos {
public:
    void DataModuleCreate() override {
        LeeConfiguracion();
        UsuarioBase = QStringLiteral("a medias");
        PSi_GMA_Escribe = true;
        throw ErrorBaseDatos(
            QStringLiteral("[FreeTDS][SQL Server]Unable to connect to data source"));
    }
};

} // namespace

class TstArranque : public QObject {
    Q_OBJECT
private:
    QString carpetaInicial_ = QDir::currentPath();

private Q_SLOTS:
    void cleanup() { QDir::setCurrent(carpetaInicial_); }

    // CarpetaSistema and ArchivoIni follow the working directory, not the executable's.
    void carpetaSistemaSigueAlDirectorioDeTrabajo() {
        QTemporaryDir carpeta;
        QDir::setCurrent(carpeta.path());
        Arranque::PreparaProceso();
        QCOMPARE(CarpetaSistema, QDir::toNativeSeparators(QDir::currentPath()));
        QCOMPARE(ArchivoIni, CarpetaSistema + QDir::separator() + QStringLiteral("Tarvelion.ini"));
        QCOMPARE(CicloActual, QStringLiteral("25"));
    }

    // "." for every number formatted or parsed, even when the system says ",".
    void separadorDecimalEsPunto() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Bolivia));
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        Arranque::PreparaProceso();
        QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1234.50"));
        QCOMPARE(QLocale().toDouble(QStringLiteral("2.75")), 2.75);
        QDoubleSpinBox caja;
        caja.setDecimals(2);
        caja.setValue(3.5);
        QCOMPARE(caja.text(), QStringLiteral("3.50"));
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.1f", 0.5);
        QCOMPARE(QByteArray(buf), QByteArray("0.5"));
    }

    void leeConfiguracion_data() {
        QTest::addColumn<QByteArray>("ini"); // empty: no file at all
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<QString>("baseDatos");
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("dialogo");
        const QString porDefecto = QString::fromLatin1(kServidorPorDefecto);
        QTest::newRow("sin archivo") << QByteArray() << porDefecto << "Moravel"
                                     << ""
                                     << "" << true;
        QTest::newRow("sin seccion")
            << QByteArray("[OTRA]\r\nServidor=1.2.3.4\r\n") << porDefecto << "Moravel"
            << ""
            << "" << true;
        QTest::newRow("completo")
            << QByteArray("[CONECTIVIDAD]\r\nServidor=391.198.7.95\r\nBaseDatos=Pruebas\r\n"
                          "Usuario=jperez\r\nPassword=Clave 1;x\r\nDialogo=0\r\n")
            << "391.198.7.95"
            << "Pruebas"
            << "jperez"
            << "Clave 1;x" << false;
        QTest::newRow("entre comillas")
            << QByteArray("[CONECTIVIDAD]\r\nServidor=\"Moravel.db\"\r\nUsuario=\"\"\r\n"
                          "Password=\"a;b\" \r\nBaseDatos=\"x\r\n")
            << "Moravel.db"
            << "\"x"
            << ""
            << "a;b" << true;
        QTest::newRow("claves sin mayusculas")
            << QByteArray("[conectividad]\nservidor = equipo\nDIALOGO=1\n") << "equipo"
            << "Moravel"
            << ""
            << "" << true;
        QTest::newRow("faltan claves")
            << QByteArray("[CONECTIVIDAD]\r\nUsuario=ana\r\n") << porDefecto << "Moravel"
            << "ana"
            << "" << true;
        QTest::newRow("dialogo vacio")
            << QByteArray("[CONECTIVIDAD]\r\nDialogo=\r\n") << porDefecto << "Moravel"
            << ""
            << "" << true;
        QTest::newRow("dialogo no numerico")
            << QByteArray("[CONECTIVIDAD]\r\nDialogo=no\r\n") << porDefecto << "Moravel"
            << ""
            << "" << true;
        QTest::newRow("dialogo 5")
            << QByteArray("[CONECTIVIDAD]\r\nDialogo=5\r\n") << porDefecto << "Moravel"
            << ""
            << "" << true;
        QTest::newRow("mal formado")
            << QByteArray("\xFF\xFE garbage [CONECT\n=sin clave\n[CONECTIVIDAD\nDialogo=0\n")
            << porDefecto << "Moravel"
            << ""
            << "" << true;
    }
    void leeConfiguracion() {
        QFETCH(QByteArray, ini);
        QTemporaryDir carpeta;
        ArchivoIni = carpeta.filePath(QStringLiteral("Tarvelion.ini"));
        if (!ini.isEmpty())
            Escribe(ArchivoIni, ini);
        Servidor = BaseDatos = Usuario = Password = QStringLiteral("previo");
        Dialogo = false;
        LeeConfiguracion();
        QTEST(Servidor, "servidor");
        QTEST(BaseDatos, "baseDatos");
        QTEST(Usuario, "usuario");
        QTEST(Password, "password");
        QTEST(Dialogo, "dialogo");
    }

    void iniIlegibleUsaLosValoresPorDefecto() {
        QTemporaryDir carpeta;
        ArchivoIni = carpeta.path(); // a folder, not a file
        LeeConfiguracion();
        QCOMPARE(BaseDatos, QStringLiteral("Moravel"));
        QVERIFY(Dialogo);
    }

    void segundaInstanciaEnElMismoProceso() {
        QTemporaryDir carpeta;
        InstanciaUnica primera(QStringLiteral("Tarvelion"), carpeta.path());
        InstanciaUnica segunda(QStringLiteral("Tarvelion"), carpeta.path());
        QVERIFY(primera.Adquiere());
        QVERIFY(!segunda.Adquiere());
        QVERIFY(primera.Adquiere()); // the first copy is unaffected
        QVERIFY(QFile::exists(primera.Ruta()));
    }

    // A lock file left empty by a copy that died before writing whose it was: taken over once
    // it is a moment old, never while a copy could still be filling it.
    void cerrojoVacioDeUnaCopiaMuerta() {
        QTemporaryDir carpeta;
        InstanciaUnica guardia(QStringLiteral("Tarvelion"), carpeta.path());
        QFile vacio(guardia.Ruta());
        QVERIFY(vacio.open(QIODevice::WriteOnly));
        QVERIFY(!guardia.Adquiere());
        QVERIFY(vacio.setFileTime(QDateTime::currentDateTime().addSecs(-10),
                                  QFileDevice::FileModificationTime));
        vacio.close();
        QVERIFY(guardia.Adquiere());
        InstanciaUnica otra(QStringLiteral("Tarvelion"), carpeta.path());
        QVERIFY(!otra.Adquiere());
    }

    // The real program holds the guard; a second start is refused with the plain message and
    // creates no window; once the first copy dies without cleaning up, the next start works.
    void segundaInstanciaDelPrograma() {
        const QString ejecutable = qEnvironmentVariable("TARVELION_EJECUTABLE");
        if (ejecutable.isEmpty())
            QSKIP("sin ruta del ejecutable");
        QTemporaryDir temporal, trabajo;
        QProcess primera;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("TMPDIR"), temporal.path());
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        primera.setProcessEnvironment(entorno);
        primera.setWorkingDirectory(trabajo.path());
        primera.start(ejecutable, {});
        QVERIFY(primera.waitForStarted());
        const QString cerrojo =
            QDir(temporal.path()).filePath(QStringLiteral("Tarvelion.instancia"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(cerrojo), 20000);

        GrabadoraInstalada grabadora;
        const QByteArray tmpAnterior = qgetenv("TMPDIR");
        qputenv("TMPDIR", temporal.path().toLocal8Bit());
        const int ventanasAntes = int(QApplication::topLevelWidgets().size());
        QVERIFY(!Arranque::EsUnicaInstancia());
        QCOMPARE(grabadora->cajas.size(), 1);
        QCOMPARE(grabadora->cajas[0].icono, Mensajes::Icono::Ninguno);
        QCOMPARE(grabadora->cajas[0].texto,
                 QString::fromUtf8("Ya existe una instancia de este programa en ejecución"));
        QCOMPARE(int(QApplication::topLevelWidgets().size()), ventanasAntes);
        QCOMPARE(primera.state(), QProcess::Running);

        ::kill(pid_t(primera.processId()), SIGKILL);
        QVERIFY(primera.waitForFinished());
        QVERIFY(QFile::exists(cerrojo)); // left behind by the dead copy
        InstanciaUnica siguiente(QStringLiteral("Tarvelion"));
        // At once, or a moment later when the copy died before writing whose the lock was.
        QTRY_VERIFY_WITH_TIMEOUT(siguiente.Adquiere(), 5000);
        qputenv("TMPDIR", tmpAnterior);
    }

    // An error while the data module is created is shown with its own text; every right stays
    // false, the module survives and the main window is still created.
    void falloAlCrearElModuloDeDatos() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        ArchivoIni = carpeta.filePath(QStringLiteral("Tarvelion.ini"));
        Escribe(ArchivoIni, "[CONECTIVIDAD]\r\nBaseDatos=Otra\r\n");
        auto modulo = Arranque::CreaModuloDatos([] { return std::make_unique<ModuloQueFalla>(); });
        QVERIFY(modulo);
        QCOMPARE(TdmDatos::Instancia(), modulo.get());
        QCOMPARE(BaseDatos, QStringLiteral("Otra")); // the INI was read first
        QCOMPARE(grabadora->cajas.size(), 1);
        QCOMPARE(grabadora->cajas[0].titulo, QStringLiteral("Error"));
        QCOMPARE(grabadora->cajas[0].texto,
                 QStringLiteral("[FreeTDS][SQL Server]Unable to connect to data source"));
        QVERIFY(UsuarioBase.isEmpty());
        QVERIFY(!PSi_GMA_Escribe && !PSi_Ciclos_Escribe && !PSi_GMA_MiraOtras &&
                !Sis_AdministraUsuarios && !Sis_RespondeForo);
        auto ventana = Arranque::CreaVentanaPrincipal();
        QVERIFY(ventana->isVisible());
        QVERIFY(ventana->windowState() & Qt::WindowMaximized);
    }
};

TARVELION_PRUEBA_MAIN(TstArranque)
#include "tst_arranque.moc"
