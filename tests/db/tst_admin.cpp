// The administrator's tool: creating databases, logins and roles, and running statements
// through the program's query layer.
#include "apoyo/Principal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <unistd.h>

namespace {
struct Salida {
    int codigo;
    QString texto;
    QString error;
};
// `sinPermisos`: the tool runs as an office user would, bound by file permissions (as root,
// without the capabilities that let root write anywhere).
Salida Admin(const QStringList& args, bool sinPermisos = false) {
    QProcess p;
    if (sinPermisos && ::geteuid() == 0)
        p.start(QStringLiteral("setpriv"),
                QStringList{QStringLiteral("--bounding-set"),
                            QStringLiteral("-dac_override,-dac_read_search,-fowner"),
                            qEnvironmentVariable("MORAVEL_ADMIN")} +
                    args);
    else
        p.start(qEnvironmentVariable("MORAVEL_ADMIN"), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

class TstAdmin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariable("MORAVEL_ADMIN").isEmpty())
            QSKIP("sin ruta de moravel-admin");
    }

    void ayuda() {
        const Salida s = Admin({QStringLiteral("--help")});
        QCOMPARE(s.codigo, 0);
        for (const char* c :
             {"crear", "demo", "login", "rol", "clave", "desbloquea", "sql", "revisa", "rescata"})
            QVERIFY(s.texto.contains(QLatin1String(c)));
    }

    void cicloDeVida() {
        QTemporaryDir carpeta;
        const QString bd = carpeta.filePath(QStringLiteral("M.db"));
        QCOMPARE(Admin({QStringLiteral("crear"), bd}).codigo, 0);
        QCOMPARE(Admin({QStringLiteral("crear"), bd}).codigo, 1); // never overwritten
        // Nobody but its owner may read or write the file.
        QCOMPARE(QFile::permissions(bd) & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                           QFileDevice::ReadOther | QFileDevice::WriteOther),
                 QFileDevice::Permissions());
        QCOMPARE(Admin({QStringLiteral("login"), bd, QStringLiteral("ana"), QStringLiteral("x"),
                        QStringLiteral("--distrital"), QStringLiteral("scz")})
                     .codigo,
                 0);
        QCOMPARE(Admin({QStringLiteral("rol"), bd, QStringLiteral("ana"),
                        QStringLiteral("PSi_GMA_Escribe")})
                     .codigo,
                 0);
        const Salida mal =
            Admin({QStringLiteral("rol"), bd, QStringLiteral("ana"), QStringLiteral("NoExiste")});
        QCOMPARE(mal.codigo, 1);
        QVERIFY(mal.error.contains(QStringLiteral("NoExiste")));

        const Salida s = Admin({QStringLiteral("sql"), bd,
                                QStringLiteral("SELECT SUSER_SNAME() AS Login, IdDistrital, "
                                               "IS_MEMBER('PSi_GMA_Escribe') AS G, "
                                               "IS_MEMBER('PSi_Lee') AS L FROM Usuarios "
                                               "WHERE IdUsuario = SUSER_SNAME()"),
                                QStringLiteral("--usuario"), QStringLiteral("ana")});
        QCOMPARE(s.codigo, 0);
        QCOMPARE(s.texto, QStringLiteral("Login;IdDistrital;G;L\nana;SCZ;1;0\n"));

        const Salida u =
            Admin({QStringLiteral("sql"), bd, QStringLiteral("UPDATE Usuarios SET Bloqueada = 1")});
        QCOMPARE(u.texto, QStringLiteral("filas afectadas\n1\n"));
        Admin({QStringLiteral("sql"), bd,
               QStringLiteral("UPDATE SrvLogins SET Fallos = 3, BloqueadaHasta = '2999-01-01' "
                              "WHERE Login = 'ana'")});
        QCOMPARE(Admin({QStringLiteral("desbloquea"), bd, QStringLiteral("ana")}).codigo, 0);
        QCOMPARE(Admin({QStringLiteral("sql"), bd,
                        QStringLiteral("SELECT Fallos, ISNULL(BloqueadaHasta, '-') AS B FROM "
                                       "SrvLogins WHERE Login = 'ana'")})
                     .texto,
                 QStringLiteral("Fallos;B\n0;-\n"));
        QCOMPARE(
            Admin({QStringLiteral("sql"), bd, QStringLiteral("SELECT Bloqueada FROM Usuarios")})
                .texto,
            QStringLiteral("Bloqueada\n0\n"));
        const Salida e = Admin({QStringLiteral("sql"), bd, QStringLiteral("SELECT * FROM NoHay")});
        QCOMPARE(e.codigo, 1);
        QVERIFY(e.error.startsWith(QStringLiteral("Error: ")));
    }

    // The demo database: every department with its provinces, the logins of each profile,
    // guides and certificates, and the program's own version.
    // A database the user may not write: a read-only folder is reported as one (not as a file
    // that is no registry database); a read-only file fails its first write with the Spanish
    // sentence ahead of SQLite's text.
    void soloLectura() {
        QTemporaryDir carpeta;
        const QString dir = carpeta.filePath(QStringLiteral("datos"));
        QVERIFY(QDir().mkpath(dir));
        const QString bd = dir + QStringLiteral("/M.db");
        QCOMPARE(Admin({QStringLiteral("crear"), bd}).codigo, 0);
        QVERIFY(!QFile::exists(bd + QStringLiteral("-wal")));
        const auto lectura = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                             QFileDevice::ReadGroup | QFileDevice::ExeGroup;
        QVERIFY(QFile::setPermissions(dir, lectura));
        const Salida enCarpeta =
            Admin({QStringLiteral("sql"), bd, QStringLiteral("SELECT 1 AS x")}, true);
        QFile::setPermissions(dir, lectura | QFileDevice::WriteOwner);
        QCOMPARE(enCarpeta.codigo, 1);
        QVERIFY2(enCarpeta.error.contains(QStringLiteral("datos de la base de datos es de solo "
                                                         "lectura")),
                 qPrintable(enCarpeta.error));
        QVERIFY(!enCarpeta.error.contains(QStringLiteral("no es una base de datos del registro")));

        QVERIFY(QFile::setPermissions(bd, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        const Salida enArchivo = Admin(
            {QStringLiteral("sql"), bd, QStringLiteral("INSERT INTO Talonarios VALUES ('X', 'Y')")},
            true);
        QCOMPARE(enArchivo.codigo, 1);
        QVERIFY2(enArchivo.error.contains(QStringLiteral("solo lectura")),
                 qPrintable(enArchivo.error));
        QVERIFY(!enArchivo.error.contains(QStringLiteral("readonly database")));
    }

    void demo() {
        QTemporaryDir carpeta;
        const QString bd = carpeta.filePath(QStringLiteral("Demo.db"));
        const Salida d =
            Admin({QStringLiteral("demo"), bd, QStringLiteral("--guias"), QStringLiteral("500"),
                   QStringLiteral("--certificados"), QStringLiteral("120")});
        QCOMPARE(d.codigo, 0);
        for (const char* l : {"operador", "supervisor", "admin", "lector", "sistemas"})
            QVERIFY(d.texto.contains(QLatin1String(l)));
        auto uno = [&](const QString& sql) {
            return Admin({QStringLiteral("sql"), bd, sql}).texto.section(QLatin1Char('\n'), 1, 1);
        };
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) AS N FROM Distritales")), QStringLiteral("9"));
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) AS N FROM Provincias")),
                 QStringLiteral("112"));
        QCOMPARE(uno(QStringLiteral("SELECT NombreProvincia FROM Provincias WHERE "
                                    "IdDistrital = 'SCZ' AND IdProvincia = '11'")),
                 QString::fromUtf8("Ñuflo de Chávez"));
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) AS N FROM Guias")), QStringLiteral("500"));
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) AS N FROM Vacunaciones WHERE IdCiclo = '20'")),
                 QStringLiteral("20"));
        // Every legacy certificate counts its buffaloes (0 or a number), as the legacy form
        // writes them, so the statistics' cycle-20 series have figures.
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) AS N FROM Vacunaciones WHERE Bufalos IS "
                                    "NULL")),
                 QStringLiteral("0"));
        QVERIFY(uno(QStringLiteral("SELECT SUM(Bufalos) AS N FROM Vacunaciones")).toInt() > 0);
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(DISTINCT IdCiclo) AS N FROM Ciclos")),
                 QStringLiteral("5"));
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(DISTINCT Especie) AS N FROM Guias")),
                 QStringLiteral("11"));
        QCOMPARE(uno(QStringLiteral("SELECT NroVersion FROM Actualizacion WHERE "
                                    "Modulo = 'Tarvelion'")),
                 QStringLiteral(TARVELION_VERSION));
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) AS N FROM Foros WHERE Respuesta IS NULL")),
                 QStringLiteral("3"));
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) AS N FROM Transporta WHERE BajaDe = 1")),
                 QStringLiteral("7"));
        // Guide numbers run per department without gaps.
        QCOMPARE(uno(QStringLiteral("SELECT SUM(M - N) AS D FROM (SELECT MAX(NroGuia) AS M, "
                                    "COUNT(*) AS N FROM Guias GROUP BY Ori_IdDistrital) X")),
                 QStringLiteral("0"));
    }
    // A damaged file: the check says so and fails; the rescue copies every row that can still
    // be read into a sound new file, and says what was lost.
    void revisaYRescata() {
        QTemporaryDir carpeta;
        const QString bd = carpeta.filePath(QStringLiteral("Danada.db"));
        const QString nueva = carpeta.filePath(QStringLiteral("Nueva.db"));
        QCOMPARE(
            Admin({QStringLiteral("demo"), bd, QStringLiteral("--guias"), QStringLiteral("4000")})
                .codigo,
            0);
        const Salida sana = Admin({QStringLiteral("revisa"), bd});
        QCOMPARE(sana.codigo, 0);
        QVERIFY(sana.texto.contains(QString::fromUtf8("está sano")));
        // Two pages in the middle of the file blotted.
        QFile archivo(bd);
        QVERIFY(archivo.open(QIODevice::ReadWrite));
        const qint64 mitad = archivo.size() / 2 / 4096 * 4096;
        for (qint64 pagina : {mitad, mitad + 4096}) {
            archivo.seek(pagina + 256);
            archivo.write(QByteArray(256, '\x5A'));
        }
        archivo.close();
        const Salida danada = Admin({QStringLiteral("revisa"), bd});
        QCOMPARE(danada.codigo, 1);
        QVERIFY2(danada.texto.contains(QString::fromUtf8("está dañado")), qPrintable(danada.texto));
        const Salida rescate = Admin({QStringLiteral("rescata"), bd, nueva});
        QVERIFY2(rescate.texto.contains(QStringLiteral("Guias: ")), qPrintable(rescate.texto));
        QCOMPARE(Admin({QStringLiteral("revisa"), nueva}).codigo, 0);
        const int guias =
            Admin({QStringLiteral("sql"), nueva, QStringLiteral("SELECT COUNT(*) AS N FROM Guias")})
                .texto.section(QLatin1Char('\n'), 1, 1)
                .toInt();
        QVERIFY2(guias > 3500 && guias <= 4000, qPrintable(QString::number(guias)));
        QCOMPARE(rescate.codigo, guias == 4000 ? 0 : 1);
    }
};

TARVELION_PRUEBA_MAIN(TstAdmin)
#include "tst_admin.moc"
