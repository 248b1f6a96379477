// The registry's schema: column orders of the positional tables in both dialects, keys that
// refuse a second row, and the indexes the program's statements rely on.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "db/Esquema.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

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
