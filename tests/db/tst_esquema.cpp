// The registry's schema: column orders of the positional tables in both dialects, keys that
// refuse a second row, and the indexes the program's statements rely on.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/Esquema.h"
#include "db/ServidorEmbebido.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace {

// The order in which the program writes these tables (inserts without a column list).
const char* const kCiclos[] = {"IdCiclo",
                               "CertificadoNro",
                               "Predio_Cabana",
                               "Predio_Codigo",
                               "Predio_Latitud",
                               "Predio_Longitud",
                               "Predio_IdDistrital",
                               "Predio_IdProvincia",
                               "Predio_IdMunicipio",
                               "Predio_Juridiccion",
                               "Dosis_Proveedor",
                               "Dosis_Cantidad",
                               "Dosis_Laboratorio",
                               "Dosis_Serie",
                               "Dosis_Partida",
                               "Dosis_Procedencia",
                               "Dosis_Expiracion",
                               "Dosis_FechaCompra",
                               "Vacu_Fecha",
                               "Vacu_Certifica",
                               "Vacu_Ciclo",
                               "Vacu_Asistida",
                               "Vacu_Fiscalizada",
                               "Vacu_Compulsiva",
                               "Vacu_Responsable",
                               "BOV_Grupo_1M",
                               "BOV_Grupo_1H",
                               "BOV_Grupo_2M",
                               "BOV_Grupo_2H",
                               "BOV_Grupo_3M",
                               "BOV_Grupo_3H",
                               "BOV_Grupo_4M",
                               "BOV_Grupo_4H",
                               "BUB_Grupo_1M",
                               "BUB_Grupo_1H",
                               "BUB_Grupo_2M",
                               "BUB_Grupo_2H",
                               "BUB_Grupo_3M",
                               "BUB_Grupo_3H",
                               "BUB_Grupo_4M",
                               "BUB_Grupo_4H",
                               "Prop_Carnet",
                               "Prop_Paterno",
                               "Prop_Materno",
                               "Prop_Nombres",
                               "Prop_Responsable",
                               "Comp_Nombre",
                               "Comp_Direccion",
                               "Registro_Por",
                               "Registro_Fecha",
                               "Nro_Acta_Vacunacion",
                               "Registro_Sincronizado"};
const char* const kVacunaciones[] = {"IdCiclo",
                                     "CertificadoNro",
                                     "NombreCabana",
                                     "IdPadron",
                                     "CodigoCatastro",
                                     "IdDistrital",
                                     "IdProvincia",
                                     "IdMunicipio",
                                     "Localidad",
                                     "Latitud",
                                     "Longitud",
                                     "IdProveedor",
                                     "IdVacunador",
                                     "CantidadDosis",
                                     "Laboratorio",
                                     "Serie",
                                     "Partida",
                                     "Procedencia",
                                     "Expiracion",
                                     "FechaVacunacion",
                                     "FechaCertificacion",
                                     "Terneros",
                                     "Vaquillas",
                                     "Torillos",
                                     "Novillos",
                                     "Vacas",
                                     "Toros",
                                     "Bueyes",
                                     "Bufalos",
                                     "IdPropietario",
                                     "Paterno",
                                     "Materno",
                                     "Nombres",
                                     "ModificadoPor",
                                     "FechaModificacion"};
const char* const kGuias[] = {"NroGuia",
                              "Especie",
                              "SolicitanteNombre",
                              "SolicitanteCarnet",
                              "Ori_Certificado",
                              "Ori_Ciclo",
                              "Ori_Rubro",
                              "Ori_Establecimiento",
                              "Ori_Propietario",
                              "Ori_IdDistrital",
                              "Ori_IdProvincia",
                              "Ori_IdMunicipio",
                              "Des_Certificado",
                              "Des_Ciclo",
                              "Des_Rubro",
                              "Des_Establecimiento",
                              "Des_Propietario",
                              "Des_IdDistrital",
                              "Des_IdProvincia",
                              "Des_IdMunicipio",
                              "BOV_Terneros",
                              "BOV_Vaquillas",
                              "BOV_Torillos",
                              "BOV_Novillos",
                              "BOV_Vacas",
                              "BOV_Toros",
                              "BOV_Bueyes",
                              "BOV_Bufalos",
                              "OTR_Porcinos",
                              "OTR_Caprinos",
                              "OTR_Ovinos",
                              "OTR_Equinos",
                              "OTR_Camelidos",
                              "OTR_Aves",
                              "OTR_Huevos",
                              "Grupo_0M",
                              "Grupo_0H",
                              "Grupo_1M",
                              "Grupo_1H",
                              "Grupo_2M",
                              "Grupo_2H",
                              "Grupo_3M",
                              "Grupo_3H",
                              "Grupo_4M",
                              "Grupo_4H",
                              "Medio_Transporte",
                              "Medio_Conductor",
                              "Autoriza_Ruta",
                              "Autoriza_DadoEn",
                              "Autoriza_Fecha",
                              "Autoriza_Funcionario",
                              "Objetivo_Cria",
                              "Objetivo_Engorde",
                              "Objetivo_Reproduccion",
                              "Objetivo_Exposicion",
                              "Objetivo_Feria",
                              "Objetivo_Faena",
                              "Objetivo_Incubacion",
                              "Objetivo_Transito",
                              "Vacuna_Enfermedad",
                              "Vacuna_Fecha",
                              "Vacuna_Medico",
                              "Vacuna_Certificados",
                              "Comentarios",
                              "NroTalonario"};
const char* const kImpresiones[] = {"IdImpresion",    "ImpresoPor",    "TipoDocumento", "Solicitud",
                                    "FechaImpresion", "NroFormulario", "Empresa"};
const char* const kForos[] = {"IdPregunta",    "Pregunta",      "Respuesta",
                              "Categoria",     "IdServicio",    "PreguntadaPor",
                              "FechaPregunta", "RespondidaPor", "FechaRespuesta"};

QStringList Lista(const char* const* c, size_t n) {
    QStringList l;
    for (size_t i = 0; i < n; ++i)
        l << QString::fromLatin1(c[i]);
    return l;
}
#define LISTA(x) Lista(x, std::size(x))

// Column names of a CREATE TABLE in a schema text, in order.
QStringList ColumnasDe(const QString& esquema, const QString& tabla) {
    const QRegularExpression bloque(QStringLiteral("CREATE TABLE %1 \\((.*?)\\n\\);").arg(tabla),
                                    QRegularExpression::DotMatchesEverythingOption);
    const auto m = bloque.match(esquema);
    QStringList columnas;
    for (const QString& linea : m.captured(1).split(QLatin1Char('\n'))) {
        const QString l = linea.trimmed();
        if (l.isEmpty() || l.startsWith(QLatin1String("CONSTRAINT")))
            continue;
        columnas << l.section(QLatin1Char(' '), 0, 0);
    }
    return columnas;
}

} // namespace

class TstEsquema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ordenDeColumnas_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QStringList>("columnas");
        QTest::newRow("Ciclos") << "Ciclos" << LISTA(kCiclos);
        QTest::newRow("Vacunaciones") << "Vacunaciones" << LISTA(kVacunaciones);
        QTest::newRow("Guias") << "Guias" << LISTA(kGuias);
        QTest::newRow("Impresiones") << "Impresiones" << LISTA(kImpresiones);
        QTest::newRow("Foros") << "Foros" << LISTA(kForos);
    }
    // The physical order in the embedded database and in the SQL Server script.
    void ordenDeColumnas() {
        QFETCH(QString, tabla);
        QFETCH(QStringList, columnas);
        BaseDePrueba base;
        QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("o"));
        bd.setDatabaseName(base.Ruta());
        QVERIFY(bd.open());
        QStringList fisicas;
        {
            QSqlQuery q(bd);
            QVERIFY(q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(tabla)));
            while (q.next())
                fisicas << q.value(1).toString();
        }
        bd.close();
        bd = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("o"));
        QCOMPARE(fisicas, columnas);
        QCOMPARE(ColumnasDe(Esquema::Texto(QStringLiteral("moravel.mssql.sql")), tabla), columnas);
    }

    // Every table of the embedded schema exists in the SQL Server script with the same columns.
    void dialectosConLasMismasTablas() {
        const QString lite = Esquema::Texto(QStringLiteral("moravel.sqlite.sql"));
        const QString ms = Esquema::Texto(QStringLiteral("moravel.mssql.sql"));
        const QRegularExpression tablas(QStringLiteral("CREATE TABLE (\\w+) \\("));
        int n = 0;
        for (auto it = tablas.globalMatch(ms); it.hasNext(); ++n) {
            const QString t = it.next().captured(1);
            QCOMPARE(ColumnasDe(lite, t), ColumnasDe(ms, t));
        }
        QCOMPARE(n, 15);
        QVERIFY(ms.contains(QStringLiteral("CREATE PROCEDURE LogEntrada;1")));
        for (const char* rol :
             {"Sis_AdministraUsuarios", "Sis_RespondeForo", "PSi_Lee", "PSi_GMA_Escribe",
              "PSi_GMA_Elimina", "PSi_GMA_MiraOtras", "PSi_Ciclos_Escribe"})
            QVERIFY(ms.contains(QStringLiteral("CREATE ROLE %1;").arg(QLatin1String(rol))));
    }

    // A second row with a taken key is refused; the same guide number in another department,
    // and the same certificate number in another cycle or table, are fine.
    void clavesPrimarias() {
        BaseDePrueba base;
        auto inserta = [&](const QString& sql) {
            QSqlDatabase bd =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("k"));
            bd.setDatabaseName(base.Ruta());
            bd.open();
            Esquema::PreparaConexion(bd);
            bool ok;
            {
                QSqlQuery q(bd);
                ok = q.exec(sql);
            }
            bd.close();
            bd = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("k"));
            return ok;
        };
        const QString guia = QStringLiteral(
            "INSERT INTO Guias (NroGuia, SolicitanteNombre, Ori_Rubro, Ori_Establecimiento, "
            "Ori_IdDistrital, Ori_IdProvincia, Ori_IdMunicipio, Des_Rubro, Des_Establecimiento, "
            "Des_IdDistrital, Des_IdProvincia, Des_IdMunicipio, Medio_Transporte, "
            "Medio_Conductor, Autoriza_Ruta, Autoriza_DadoEn, Autoriza_Fecha, "
            "Autoriza_Funcionario) VALUES (7, 'A', 'Predio', 'X', '%1', '01', '01', 'Feria', 'Y', "
            "'SCZ', '01', '01', 'Tren', 'C', 'R', 'D', '2026-01-01 00:00:00.000', 'op')");
        QVERIFY(inserta(guia.arg(QStringLiteral("SCZ"))));
        QVERIFY(inserta(guia.arg(QStringLiteral("BEN"))));
        QVERIFY(!inserta(guia.arg(QStringLiteral("SCZ"))));
        QVERIFY(!inserta(guia.arg(QStringLiteral("scz")))); // codes compare without case
        const QString vac = QStringLiteral(
            "INSERT INTO Vacunaciones (IdCiclo, CertificadoNro, NombreCabana, IdDistrital, "
            "IdProvincia, IdMunicipio, IdProveedor, IdVacunador, CantidadDosis, Laboratorio, "
            "Partida, Procedencia, Expiracion, FechaVacunacion, FechaCertificacion, Paterno, "
            "Nombres) VALUES ('%1', 500, 'P', 'SCZ', '01', '01', 'ABC', '1', 1, 'L', 'P', 'X', "
            "'E', '2020-01-01', '2020-01-01', 'A', 'B')");
        QVERIFY(inserta(vac.arg(QStringLiteral("20"))));
        QVERIFY(inserta(vac.arg(QStringLiteral("19"))));
        QVERIFY(!inserta(vac.arg(QStringLiteral("20"))));
    }

    // Both schema files grant the same rights: every GRANT of the SQL Server script is a row of
    // the embedded server's grants and the other way round.
    void mismosPermisos() {
        QStringList ms;
        const QRegularExpression grant(
            QStringLiteral("^GRANT ([A-Z, ]+?)(?: \\(([^)]*)\\))? ON (\\w+) TO ([\\w, ]+);"),
            QRegularExpression::MultilineOption);
        for (auto it = grant.globalMatch(Esquema::Texto(QStringLiteral("moravel.mssql.sql")));
             it.hasNext();) {
            const auto m = it.next();
            for (const QString& permiso : m.captured(1).split(QLatin1Char(',')))
                for (const QString& rol : m.captured(4).split(QLatin1Char(',')))
                    ms << QStringLiteral("%1 %2 %3 %4")
                              .arg(rol.trimmed(), permiso.trimmed(), m.captured(3),
                                   m.captured(2).remove(QLatin1Char(' ')));
        }
        BaseDePrueba base;
        QStringList lite;
        QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("g"));
        bd.setDatabaseName(base.Ruta());
        QVERIFY(bd.open());
        {
            QSqlQuery q(bd);
            QVERIFY(q.exec(QStringLiteral("SELECT Rol, Permiso, Objeto, IFNULL(Columnas, '') FROM "
                                          "SrvPermisos")));
            while (q.next())
                lite << QStringLiteral("%1 %2 %3 %4")
                            .arg(q.value(0).toString(), q.value(1).toString(),
                                 q.value(2).toString(), q.value(3).toString());
        }
        bd.close();
        bd = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("g"));
        ms.sort();
        lite.sort();
        QCOMPARE(lite, ms);
        QVERIFY(ms.size() > 40);
    }

    // A file made by the earlier version, with rows in every kind of table, is upgraded in
    // place on first open: nothing lost, the login still signs in, and the Spanish collation,
    // the type checks and the grants are in force. A file whose rows collide under the new
    // collation is left as it was, with the reason.
    void actualizacion() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("Moravel.db"));
        auto creaAntigua = [&](const QString& extra) {
            QFile::remove(ruta);
            QFile guion(QFINDTESTDATA("esquema_version1.sql"));
            QVERIFY(guion.open(QIODevice::ReadOnly));
            QSqlDatabase bd =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
            bd.setDatabaseName(ruta);
            QVERIFY(bd.open());
            const QVariant h = bd.driver()->handle();
            sqlite3* s = *static_cast<sqlite3* const*>(h.constData());
            const QByteArray sql =
                guion.readAll() +
                QString::fromUtf8("INSERT INTO Distritales VALUES ('SCZ', 'Santa Cruz');"
                                  "INSERT INTO Provincias VALUES ('SCZ', '01', 'Ángel Sandóval');"
                                  "INSERT INTO Usuarios (IdUsuario, Paterno, Nombres, "
                                  "IdDistrital, Bloqueada) VALUES ('ana', 'PEÑA', 'ANA', 'SCZ', 0);"
                                  "INSERT INTO Actualizacion VALUES ('Tarvelion', '1', '', '');"
                                  "INSERT INTO SrvMiembros VALUES ('PSi_GMA_Escribe', 'ana');")
                    .toUtf8() +
                extra.toUtf8();
            QCOMPARE(sqlite3_exec(s, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
            ServidorEmbebido::CreaLogin(bd, QStringLiteral("ana"), QStringLiteral("clave"), 1000);
            bd.close();
            bd = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("v1"));
        };
        creaAntigua(QString());
        Conexion c(QStringLiteral("actualiza"));
        c.carpetaBase = carpeta.path();
        c.Abre(QStringLiteral("Data Source=Moravel.db;User ID=ana;Password=clave;Initial "
                              "Catalog=Moravel"));
        auto uno = [&](const QString& sql) {
            Consulta q({sql}, &c);
            q.Abre();
            return q.Campo(q.Campos().first());
        };
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) FROM Provincias WHERE NombreProvincia = "
                                    "'ángel sandóval'"))
                     .toInt(),
                 1);
        QCOMPARE(
            uno(QStringLiteral("SELECT Paterno FROM Usuarios WHERE IdUsuario = 'ANA '")).toString(),
            QString::fromUtf8("PEÑA"));
        QCOMPARE(uno(QStringLiteral("SELECT IS_MEMBER('PSi_GMA_Escribe')")).toInt(), 1);
        Consulta largo({QStringLiteral("UPDATE Usuarios SET NuevoPassword = 'x' WHERE IdUsuario = "
                                       "SUSER_SNAME()")},
                       &c);
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos, largo.Ejecuta());
        Consulta secreto({QStringLiteral("SELECT * FROM SrvLogins")}, &c);
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos, secreto.Abre());
        c.Cierra();
        // Opening again changes nothing.
        c.Abre(QStringLiteral("Data Source=Moravel.db;User ID=ana;Password=clave"));
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) FROM Provincias")).toInt(), 1);
        QCOMPARE(uno(QStringLiteral("SELECT COUNT(*) FROM Actualizacion")).toInt(), 1);
        c.Cierra();

        // 'SCZ' and 'SCZ ' were two departments; under the server's collation they are one key.
        creaAntigua(QStringLiteral("INSERT INTO Distritales VALUES ('SCZ ', 'Otra');"));
        try {
            c.Abre(QStringLiteral("Data Source=Moravel.db;User ID=ana;Password=clave"));
            QFAIL("actualizada");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("quedó como estaba")),
                     qPrintable(e.Texto()));
        }
        sqlite3* s = nullptr;
        QCOMPARE(sqlite3_open(ruta.toUtf8().constData(), &s), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(s, "SELECT COUNT(*) FROM Distritales", -1, &st, nullptr);
        QCOMPARE(sqlite3_step(st), SQLITE_ROW);
        QCOMPARE(sqlite3_column_int(st, 0), 2);
        sqlite3_finalize(st);
        sqlite3_prepare_v2(s, "PRAGMA user_version", -1, &st, nullptr);
        QCOMPARE(sqlite3_step(st), SQLITE_ROW);
        QCOMPARE(sqlite3_column_int(st, 0), 0);
        sqlite3_finalize(st);
        sqlite3_close(s);
    }

    // A file of the version before the last, which lacked only an index, gets it in place:
    // its tables are not rebuilt (a rebuilt table would have a new root page) and keep their
    // rows.
    void actualizacionIndices() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("Moravel.db"));
        Esquema::CreaBaseEmbebida(ruta);
        sqlite3* s = nullptr;
        QCOMPARE(sqlite3_open(ruta.toUtf8().constData(), &s), SQLITE_OK);
        Esquema::PreparaConexion(s);
        auto entero = [&](const char* sql) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(s, sql, -1, &st, nullptr);
            const int v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
            sqlite3_finalize(st);
            return v;
        };
        QCOMPARE(sqlite3_exec(s,
                              "DROP INDEX IX_Guias_DestinoFecha; PRAGMA user_version = 2; "
                              "INSERT INTO Distritales VALUES ('SCZ', 'Santa Cruz');",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        const int raiz = entero("SELECT rootpage FROM sqlite_master WHERE name = 'Guias'");
        Esquema::Actualiza(s);
        QCOMPARE(entero("PRAGMA user_version"), Esquema::kVersion);
        QCOMPARE(entero("SELECT COUNT(*) FROM sqlite_master WHERE name = 'IX_Guias_DestinoFecha'"),
                 1);
        QCOMPARE(entero("SELECT rootpage FROM sqlite_master WHERE name = 'Guias'"), raiz);
        QCOMPARE(entero("SELECT COUNT(*) FROM Distritales"), 1);
        sqlite3_close(s);
    }

    // The next guide number of a department and a department's guides by date are found
    // through indexes, not by reading the whole table.
    void indices_data() {
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QString>("indice");
        QTest::newRow("numero") << "SELECT MAX(NroGuia) FROM Guias WHERE Ori_IdDistrital = 'SCZ'"
                                << "IX_Guias_OrigenNumero";
        QTest::newRow("fecha")
            << "SELECT * FROM Guias WHERE Ori_IdDistrital = 'SCZ' AND "
               "Autoriza_Fecha >= '2026-01-01' AND Autoriza_Fecha <= '2026-02-01'"
            << "IX_Guias_OrigenFecha";
        QTest::newRow("fecha de destino")
            << "SELECT * FROM Guias WHERE Des_IdDistrital = 'SCZ' AND "
               "Autoriza_Fecha >= '2026-01-01' AND Autoriza_Fecha <= '2026-02-01'"
            << "IX_Guias_DestinoFecha";
        QTest::newRow("certificado") << "SELECT * FROM Guias WHERE Ori_Certificado = 5 AND "
                                        "Ori_Ciclo = '25' AND Especie = 'BOV'"
                                     << "IX_Guias_CertificadoOrigen";
        QTest::newRow("destino") << "SELECT * FROM Guias WHERE Des_Certificado = 5 AND "
                                    "Des_Ciclo = '25' AND Especie = 'BOV'"
                                 << "IX_Guias_CertificadoDestino";
        QTest::newRow("ciclos") << "SELECT * FROM Ciclos WHERE IdCiclo = '25' AND "
                                   "Predio_IdDistrital = 'SCZ'"
                                << "IX_Ciclos_CicloDistrital";
    }
    void indices() {
        QFETCH(QString, consulta);
        QFETCH(QString, indice);
        BaseDePrueba base;
        QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("p"));
        bd.setDatabaseName(base.Ruta());
        bd.open();
        Esquema::PreparaConexion(bd);
        QString detalle;
        {
            QSqlQuery q(bd);
            QVERIFY(q.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + consulta));
            while (q.next())
                detalle += q.value(3).toString() + QLatin1Char('\n');
        }
        bd.close();
        bd = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("p"));
        QVERIFY2(detalle.contains(indice), qPrintable(detalle));
    }
};

TARVELION_PRUEBA_MAIN(TstEsquema)
#include "tst_esquema.moc"
