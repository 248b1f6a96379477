// The session start of the data module: connection string, login prompt, profile and rights,
// refusal of unregistered logins, entry log, print log, and the failure paths.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Arranque.h"
#include "app/Configuracion.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "app/TfIngreso.h"
#include "app/TfPrinc.h"
#include "common/Errores.h"
#include "common/Utilidades.h"
#include "db/Conexion.h"
#include "db/Consulta.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <latch>
#include <thread>

namespace {
bool AlgunDerecho() {
    return Sis_AdministraUsuarios || Sis_RespondeForo || PSi_Ciclos_Escribe || PSi_GMA_Escribe ||
           PSi_GMA_MiraOtras || PSi_GMA_Elimina;
}
} // namespace

class TstSesion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        LimpiaPerfil();
        TerminacionSolicitada = false;
        Ventanas::InstalaManejador({});
    }

    void cifradoDeDireccion_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("salida");
        QTest::newRow("digitos") << "3456789012"
                                 << "9876543012";
        QTest::newRow("vuelta") << "9876543012"
                                << "3456789012";
        QTest::newRow("con puntos") << "192.168.10.45"
                                    << "132.164.10.87";
        QTest::newRow("vacio") << ""
                               << "";
        QTest::newRow("letras") << "servidor-3"
                                << "servidor-9";
    }
    void cifradoDeDireccion() {
        QFETCH(QString, entrada);
        QFETCH(QString, salida);
        QCOMPARE(DecryptIP(entrada), salida);
        QCOMPARE(EncryptIP(DecryptIP(entrada)), entrada);
    }

    void cadenaDeConexion() {
        TdmDatos datos;
        Password = QStringLiteral("p4ss");
        Usuario = QStringLiteral("jperez");
        BaseDatos = QStringLiteral("Moravel");
        Servidor = QStringLiteral("132.164.10.87");
        Dialogo = false;
        datos.MORAVELBeforeConnect();
        QCOMPARE(datos.CadenaConexion(),
                 QStringLiteral("Provider=SQLOLEDB.1;Password=p4ss;Persist Security Info=False;"
                                "User ID=jperez;Initial Catalog=Moravel;Data Source=192.168.10.45;"
                                "Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;"
                                "Workstation ID=") +
                     NombreComputadora() +
                     QStringLiteral(";Use Encryption for Data=False;Tag with column collation "
                                    "when possible=False"));
        QVERIFY(!datos.MORAVEL().pideLogin);
        Dialogo = true;
        datos.MORAVELBeforeConnect();
        QVERIFY(datos.MORAVEL().pideLogin);
    }

    void perfilYDerechos_data() {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QStringList>("roles");
        QTest::addColumn<QString>("usuarioBase");
        QTest::addColumn<QList<bool>>("derechos"); // admin, foro, ciclos, gma, otras, elimina
        QTest::newRow("operador") << "operador"
                                  << QStringList{"PSi_Ciclos_Escribe", "PSi_GMA_Escribe"}
                                  << "operador"
                                  << QList<bool>{false, false, true, true, false, false};
        QTest::newRow("supervisor con mayusculas")
            << "Supervisor"
            << QStringList{"PSi_GMA_Escribe", "PSi_GMA_MiraOtras", "PSi_GMA_Elimina"}
            << "supervisor" << QList<bool>{false, false, false, true, true, true};
        QTest::newRow("administrador")
            << "admin" << QStringList{"Sis_AdministraUsuarios", "Sis_RespondeForo"} << "admin"
            << QList<bool>{true, true, false, false, false, false};
        QTest::newRow("sin roles") << "lector" << QStringList{} << "lector"
                                   << QList<bool>{false, false, false, false, false, false};
    }
    void perfilYDerechos() {
        QFETCH(QString, login);
        QFETCH(QStringList, roles);
        QFETCH(QString, usuarioBase);
        QFETCH(QList<bool>, derechos);
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(login, QStringLiteral("clave"), QStringLiteral("BEN"), roles);
        base.Configura(login, QStringLiteral("clave"));
        auto modulo = Arranque::CreaModuloDatos();
        QVERIFY2(grabadora->cajas.isEmpty(), qPrintable(grabadora->Textos().join('|')));
        QCOMPARE(UsuarioBase, usuarioBase);
        QCOMPARE(NombreBase, QStringLiteral("Moravel"));
        QCOMPARE(IdDistrital, QStringLiteral("BEN"));
        QCOMPARE(Paterno, QStringLiteral("PEREZ"));
        QCOMPARE(Nombres, QStringLiteral("ANA"));
        QCOMPARE(Localidad, QStringLiteral("CENTRO"));
        QCOMPARE((QList<bool>{Sis_AdministraUsuarios, Sis_RespondeForo, PSi_Ciclos_Escribe,
                              PSi_GMA_Escribe, PSi_GMA_MiraOtras, PSi_GMA_Elimina}),
                 derechos);
        QVERIFY(!TerminacionSolicitada);
        QCOMPARE(base.Valor(QStringLiteral("SELECT COUNT(*) FROM LogEntradas")).toInt(), 1);
    }

    // A password as written in the INI reaches the embedded server whole: ";" inside it, the
    // INI's double quotes taken off, a quote of its own kept.
    void claveEnElIni_data() {
        QTest::addColumn<QString>("escrita");
        QTest::addColumn<QString>("clave");
        QTest::newRow("punto y coma") << "a;b"
                                      << "a;b";
        QTest::newRow("entre comillas") << "\"Clave 1;x\""
                                        << "Clave 1;x";
        QTest::newRow("comilla propia") << "x\"y;z"
                                        << "x\"y;z";
        QTest::newRow("comillas simples") << "'q;r'"
                                          << "'q;r'";
        QTest::newRow("espacio final entre comillas") << "\"abc \""
                                                      << "abc ";
    }
    void claveEnElIni() {
        QFETCH(QString, escrita);
        QFETCH(QString, clave);
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(QStringLiteral("ana"), clave, QStringLiteral("BEN"));
        base.Configura(QStringLiteral("ana"), escrita);
        auto modulo = Arranque::CreaModuloDatos();
        QVERIFY2(grabadora->cajas.isEmpty(), qPrintable(grabadora->Textos().join('|')));
        QCOMPARE(Password, clave);
        QCOMPARE(UsuarioBase, QStringLiteral("ana"));
    }

    void partesDeLaCadena_data() {
        QTest::addColumn<QString>("cadena");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("usuario");
        QTest::newRow("simple") << "Password=p;User ID=u"
                                << "p"
                                << "u";
        QTest::newRow("dobles") << "Password=\"a;\"\"b\";User ID=u"
                                << "a;\"b"
                                << "u";
        QTest::newRow("simples") << "Password='a;b';User ID = u"
                                 << "a;b"
                                 << " u";
        QTest::newRow("vacia al final") << "User ID=u;Password="
                                        << ""
                                        << "u";
    }
    void partesDeLaCadena() {
        QFETCH(QString, cadena);
        const auto partes = Conexion::Partes(cadena);
        QTEST(partes.at(QStringLiteral("PASSWORD")), "clave");
        QTEST(partes.at(QStringLiteral("USER ID")), "usuario");
        // What the connection string writes, its parts read back.
        for (const QString& v : {QStringLiteral("a;b"), QStringLiteral("\"x\""),
                                 QStringLiteral(" y "), QStringLiteral("plain")})
            QCOMPARE(Conexion::Partes(QStringLiteral("Password=") + Conexion::ValorCadena(v) +
                                      QStringLiteral(";X=1"))
                         .at(QStringLiteral("PASSWORD")),
                     v);
    }

    // The login prompt: the connection's name, the user name filled in, an empty password;
    // cancelling fails the connection with an error and leaves every right false.
    void dialogoDeIngreso() {
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(QStringLiteral("operador"), QStringLiteral("secreta"), QStringLiteral("SCZ"),
                   {QStringLiteral("PSi_GMA_Escribe")});
        base.Configura(QStringLiteral("operador"), QStringLiteral("no-es-esta"), 1);
        QString visto;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& ingreso = dynamic_cast<TfIngreso&>(d);
            visto = ingreso.lBaseDatos->text() + QLatin1Char('|') + ingreso.eUsuario->text() +
                    QLatin1Char('|') + ingreso.eClave->text();
            ingreso.eClave->setText(QStringLiteral("secreta"));
            return int(QDialog::Accepted);
        });
        auto modulo = Arranque::CreaModuloDatos();
        QCOMPARE(visto, QStringLiteral("MORAVEL|operador|"));
        QVERIFY(grabadora->cajas.isEmpty());
        QVERIFY(PSi_GMA_Escribe);

        modulo.reset();
        LimpiaPerfil();
        Ventanas::InstalaManejador([](QDialog&) { return int(QDialog::Rejected); });
        modulo = Arranque::CreaModuloDatos();
        QCOMPARE(grabadora->Textos(),
                 QStringList{QString::fromUtf8("Se canceló la conexión con la base de datos.")});
        QVERIFY(UsuarioBase.isEmpty());
        QVERIFY(!AlgunDerecho());
    }

    // A login the registry does not know: the refusal, the end of the application requested,
    // and the remaining steps (the entry log) still run.
    void usuarioNoRegistrado() {
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(QStringLiteral("intruso"), QStringLiteral("x"), QString());
        base.Configura(QStringLiteral("intruso"), QStringLiteral("x"));
        auto modulo = Arranque::CreaModuloDatos();
        QCOMPARE(grabadora->cajas.size(), 1);
        QCOMPARE(grabadora->cajas[0].titulo, QStringLiteral("Acceso del usuario"));
        QCOMPARE(grabadora->cajas[0].icono, Mensajes::Icono::Error);
        QCOMPARE(grabadora->cajas[0].texto,
                 QStringLiteral("No se encuentra ese usuario registrado\no no pertenece a Dadudoz "
                                "Urever !\npor favor verifique"));
        QVERIFY(TerminacionSolicitada);
        QVERIFY(UsuarioBase.isEmpty());
        QCOMPARE(base.Valor(QStringLiteral("SELECT COUNT(*) FROM LogEntradas")).toInt(), 1);
    }

    // The developer's account is kept out of the entry log.
    void cuentaDelDesarrolladorSinRegistro() {
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(QString::fromLatin1(kCuentaDesarrollador), QStringLiteral("x"),
                   QStringLiteral("LPZ"));
        base.Configura(QString::fromLatin1(kCuentaDesarrollador), QStringLiteral("x"));
        auto modulo = Arranque::CreaModuloDatos();
        QVERIFY(grabadora->cajas.isEmpty());
        QCOMPARE(UsuarioBase, QString::fromLatin1(kCuentaDesarrollador));
        QCOMPARE(base.Valor(QStringLiteral("SELECT COUNT(*) FROM LogEntradas")).toInt(), 0);
        // Any event other than the entry writes nothing either.
        modulo->RegistraLogs(QStringLiteral("SALIDA"));
        QCOMPARE(base.Valor(QStringLiteral("SELECT COUNT(*) FROM LogEntradas")).toInt(), 0);
    }

    void consejoDeCarpeta_data() {
        QTest::addColumn<QString>("carpeta");
        QTest::addColumn<bool>("consejo");
        QTest::newRow("tarvelion") << "C:\\MORAVEL\\TARVELION" << false;
        QTest::newRow("mezcla") << "c:\\Moravel\\Tarvelion" << false;
        QTest::newRow("moravel") << "C:\\MORAVEL" << false;
        QTest::newRow("barra final") << "C:\\MORAVEL\\" << true;
        QTest::newRow("otra") << "D:\\Programas\\Tarvelion" << true;
    }
    void consejoDeCarpeta() {
        QFETCH(QString, carpeta);
        QFETCH(bool, consejo);
        const QString texto = ConsejoCarpeta(carpeta);
        QCOMPARE(!texto.isEmpty(), consejo);
        if (consejo)
            QVERIFY(texto.startsWith(QStringLiteral("Ud. ha instalado el sistema TELMARO en la "
                                                    "carpeta ") +
                                     carpeta.toUpper() + QLatin1Char('\n')));
    }

    // The print log row: random key, the server's login and time, the form number.
    void registroDeImpresion() {
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(QStringLiteral("Operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                   {QStringLiteral("PSi_GMA_Escribe")});
        base.Configura(QStringLiteral("operador"), QStringLiteral("x"));
        auto modulo = Arranque::CreaModuloDatos();
        NumeroFormulario = 4711;
        // The log is written by the printing official and read by the administrator only.
        Conexion administrador(QStringLiteral("administrador"));
        administrador.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                                    QStringLiteral("Moravel"));
        const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
        modulo->InsertaTablaImpresiones(QStringLiteral("CGMA"), QStringLiteral("SCZ-1234"),
                                        QString::fromUtf8("ESTANCIA LA CAÑADA"));
        Consulta q({QStringLiteral("SELECT * FROM Impresiones")}, &administrador);
        q.Abre();
        QCOMPARE(q.Registros(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-Z]{10}$"))
                    .match(q.TextoCampo(QStringLiteral("IdImpresion")))
                    .hasMatch());
        QCOMPARE(q.TextoCampo(QStringLiteral("ImpresoPor")), QStringLiteral("Operador"));
        QCOMPARE(q.TextoCampo(QStringLiteral("TipoDocumento")), QStringLiteral("CGMA"));
        QCOMPARE(q.TextoCampo(QStringLiteral("Solicitud")), QStringLiteral("SCZ-1234"));
        QVERIFY(q.FechaCampo(QStringLiteral("FechaImpresion")) >= antes);
        QCOMPARE(q.EnteroCampo(QStringLiteral("NroFormulario")), 4711);
        QCOMPARE(q.TextoCampo(QStringLiteral("Empresa")), QString::fromUtf8("ESTANCIA LA CAÑADA"));
        // A reference longer than the log keeps is an error, never a silently cut row.
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos,
                                 modulo->InsertaTablaImpresiones(QStringLiteral("CGMA"),
                                                                 QStringLiteral("SCZ-12345678"),
                                                                 QStringLiteral("X")));
        QCOMPARE(base.Valor(QStringLiteral("SELECT COUNT(*) FROM Impresiones")).toInt(), 1);
        QCOMPARE(modulo->qGestion(), QDate::currentDate().year());

        TfPrinc principal;
        QCOMPARE(principal.windowTitle(),
                 QStringLiteral("GRAN MORAVEL - ") + TdmDatos::TituloCompleto());
    }

    // A failed first connection: the error's own text, no rights; the next query connects
    // again, with the settings of that moment.
    void reconexionTrasFallo() {
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(QStringLiteral("operador"), QStringLiteral("buena"), QStringLiteral("SCZ"),
                   {QStringLiteral("PSi_GMA_Escribe")});
        base.Configura(QStringLiteral("operador"), QStringLiteral("mala"));
        auto modulo = Arranque::CreaModuloDatos();
        QCOMPARE(grabadora->Textos(), QStringList{QString::fromUtf8(
                                          "Error de inicio de sesión del usuario 'operador'.")});
        QVERIFY(!AlgunDerecho());
        QVERIFY(!modulo->MORAVEL().Abierta());
        Password = QStringLiteral("buena");
        QCOMPARE(modulo->qGestion(), QDate::currentDate().year());
        QVERIFY(modulo->MORAVEL().Abierta());
    }

    void baseCorrupta() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        QFile basura(carpeta.filePath(QStringLiteral("Moravel.db")));
        basura.open(QIODevice::WriteOnly);
        basura.write("esto no es una base de datos");
        basura.close();
        CarpetaSistema = carpeta.path();
        ArchivoIni = carpeta.filePath(QStringLiteral("Tarvelion.ini"));
        QFile ini(ArchivoIni);
        ini.open(QIODevice::WriteOnly);
        ini.write("[CONECTIVIDAD]\r\nUsuario=a\r\nDialogo=0\r\n");
        ini.close();
        auto modulo = Arranque::CreaModuloDatos();
        QCOMPARE(grabadora->cajas.size(), 1);
        QVERIFY(grabadora->cajas[0].texto.contains(QStringLiteral("no es una base de datos del "
                                                                  "registro")));
        QVERIFY(!AlgunDerecho());
    }

    // SQL Server through ODBC and FreeTDS where nothing listens: the driver's own text, within
    // the login timeout, and the session goes on without rights.
    void servidorSqlInaccesible() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        CarpetaSistema = carpeta.path();
        ArchivoIni = carpeta.filePath(QStringLiteral("Tarvelion.ini"));
        QFile ini(ArchivoIni);
        ini.open(QIODevice::WriteOnly);
        // 127.0.0.1 port 9 (nothing listens), written scrambled as the INI keeps it.
        ini.write(QStringLiteral("[CONECTIVIDAD]\r\nServidor=%1\r\nUsuario=sa\r\nPassword=x\r\n"
                                 "Dialogo=0\r\n")
                      .arg(EncryptIP(QStringLiteral("127.0.0.1,9")))
                      .toUtf8());
        ini.close();
        QElapsedTimer reloj;
        reloj.start();
        auto modulo = Arranque::CreaModuloDatos();
        QVERIFY(reloj.elapsed() < 20000);
        QCOMPARE(grabadora->cajas.size(), 1);
        QCOMPARE(grabadora->cajas[0].titulo, QStringLiteral("Error"));
        QVERIFY2(grabadora->cajas[0].texto.contains(QStringLiteral("FreeTDS")) ||
                     grabadora->cajas[0].texto.contains(QStringLiteral("connect")),
                 qPrintable(grabadora->cajas[0].texto));
        QVERIFY(!modulo->MORAVEL().Embebida());
        QVERIFY(UsuarioBase.isEmpty());
        QVERIFY(!AlgunDerecho());
        auto ventana = Arranque::CreaVentanaPrincipal();
        QVERIFY(ventana->isVisible());
    }
    // Sign-ins at the same moment: 15 wrong passwords for one login all count and lock it;
    // after one failure, 8 correct sign-ins all get in, none told the database is busy.
    void ingresosSimultaneos() {
        BaseDePrueba base;
        base.Login(QStringLiteral("operador"), QStringLiteral("buena"), QStringLiteral("SCZ"), {},
                   100000);
        auto intentos = [&](int n, const QString& clave) {
            std::latch salida(n);
            std::vector<QString> resultados(static_cast<size_t>(n));
            std::vector<std::thread> puestos;
            for (int p = 0; p < n; ++p)
                puestos.emplace_back([&, p] {
                    Conexion c(QStringLiteral("ingreso%1").arg(p));
                    salida.arrive_and_wait();
                    try {
                        base.AbreConexion(c, QStringLiteral("operador"), clave);
                    } catch (const ErrorTarvelion& e) {
                        resultados[size_t(p)] = e.Texto();
                    }
                    c.Cierra();
                });
            for (std::thread& t : puestos)
                t.join();
            return QStringList(resultados.begin(), resultados.end());
        };
        const QStringList malas = intentos(15, QStringLiteral("mala"));
        QCOMPARE(malas.count(QString()), 0);
        Conexion c(QStringLiteral("despues"));
        try {
            base.AbreConexion(c, QStringLiteral("operador"), QStringLiteral("buena"));
            QFAIL("el login debía quedar bloqueado");
        } catch (const ErrorTarvelion& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("bloqueado hasta las")),
                     qPrintable(e.Texto()));
        }
        base.Sql(QStringLiteral("UPDATE SrvLogins SET Fallos = 1, BloqueadaHasta = NULL"));
        const QStringList buenas = intentos(8, QStringLiteral("buena"));
        QCOMPARE(buenas, QStringList(8, QString()));
        QCOMPARE(base.Valor(QStringLiteral("SELECT Fallos FROM SrvLogins WHERE Login = "
                                           "'operador'"))
                     .toInt(),
                 0);
    }
};

TARVELION_PRUEBA_MAIN(TstSesion)
#include "tst_sesion.moc"
