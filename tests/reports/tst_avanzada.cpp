// The developer's free query console: the statement's lines, the first-six-characters rule
// with its surprising cases, T-SQL run on the embedded database, a failing statement, the
// export, and that no other login opens it.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Fixturas.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Aperturas.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "common/Grilla.h"
#include "reports/TfAvanzada.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

class TstAvanzada : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("sistemas"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Lee"), QStringLiteral("PSi_GMA_Escribe")});
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Lee")});
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("sistemas"), QStringLiteral("x"));
        datos_->LeePerfil();
    }
    void cleanup() {
        delete fAvanzada.data();
        delete datos_;
        delete base_;
    }

    void regla_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("lineas");
        QTest::addColumn<bool>("consulta");
        QTest::newRow("select* en minúsculas")
            << "select* from Provincias" << QStringList{"select* from Provincias"} << true;
        QTest::newRow("comentario primero") << "-- provincias\nSELECT * FROM Provincias"
                                            << QStringList{"SELECT * FROM Provincias"} << false;
        QTest::newRow("un blanco delante")
            << " select * from Provincias" << QStringList{" select * from Provincias"} << false;
        QTest::newRow("líneas vacías y comentario tras el código")
            << "SELECT *\n\n   \nFROM Provincias -- todas\n  -- fin"
            << QStringList{"SELECT *", "FROM Provincias -- todas"} << true;
        QTest::newRow("orden") << "UPDATE Provincias SET NombreProvincia = 'X'"
                               << QStringList{"UPDATE Provincias SET NombreProvincia = 'X'"}
                               << false;
    }
    void regla() {
        QFETCH(QString, texto);
        QFETCH(QStringList, lineas);
        QFETCH(bool, consulta);
        QCOMPARE(LineasAvanzadas(texto), lineas);
        QCOMPARE(EsConsultaAvanzada(texto), consulta);
    }

    // T-SQL runs on the embedded database; a command empties the grid; a failure shows the
    // database's text and leaves the grid empty.
    void ejecucion() {
        AbreConsultaAvanzada();
        QVERIFY(fAvanzada);
        TfAvanzada& a = *fAvanzada;
        QCOMPARE(a.windowTitle(), QStringLiteral("Consulta avanzada a la base de datos"));
        a.mTexto->setPlainText(QStringLiteral("SELECT TOP 2 IdProvincia, UPPER(NombreProvincia) AS "
                                              "N\nFROM Provincias WHERE IdDistrital = 'SCZ'\n"
                                              "ORDER BY IdProvincia"));
        a.sbEjecuta->click();
        QCOMPARE(a.DBGrid1->Modelo().Filas(), 2);
        QCOMPARE(a.DBGrid1->Modelo().Texto(0, 1), QString::fromUtf8("ANDRÉS IBÁÑEZ"));
        // A command, with the rights of the session (the developer issues guides here).
        GuiaGuardada(*base_, 1, QStringLiteral("SCZ"), QStringLiteral("BOV"), "", "", "", "", {});
        a.mTexto->setPlainText(
            QStringLiteral("UPDATE Guias SET SolicitanteNombre = 'O''Connor' WHERE NroGuia = 1"));
        a.sbEjecuta->click();
        QCOMPARE(a.DBGrid1->Modelo().Filas(), 0);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT SolicitanteNombre FROM Guias")).toString(),
                 QStringLiteral("O'Connor"));
        a.mTexto->setPlainText(QStringLiteral("SELECT * FROM Provincias"));
        a.sbEjecuta->click();
        QVERIFY(a.DBGrid1->Modelo().Filas() > 0);
        a.mTexto->setPlainText(QStringLiteral("SELECT * FROM NoExiste"));
        try {
            a.sbEjecutaClick();
            QFAIL("la sentencia debía fallar");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("NoExiste")), qPrintable(e.Texto()));
        }
        QCOMPARE(a.DBGrid1->Modelo().Filas(), 0);
        a.mTexto->setPlainText(QStringLiteral("SELEC * FROM Provincias"));
        try {
            a.sbEjecutaClick();
            QFAIL("la sentencia debía fallar");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("SELEC")), qPrintable(e.Texto()));
        }
        QCOMPARE(a.DBGrid1->Modelo().Filas(), 0);
        // A DROP is sent as typed; the embedded server lets no session change the structure
        // and says so in its own terms; the table stays.
        a.mTexto->setPlainText(QStringLiteral("DROP TABLE Talonarios"));
        try {
            a.sbEjecutaClick();
            QFAIL("el DROP debía negarse");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("cambiar la estructura")) &&
                         !e.Texto().contains(QStringLiteral("sqlite")),
                     qPrintable(e.Texto()));
        }
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = "
                                            "'Talonarios'"))
                     .toInt(),
                 1);
    }

    // The export writes the grid; before any query it writes nothing and says so all the same.
    void exportacion() {
        GrabadoraInstalada g;
        QTemporaryDir carpeta;
        AbreConsultaAvanzada();
        TfAvanzada& a = *fAvanzada;
        const QString vacio = carpeta.filePath(QStringLiteral("vacio.csv"));
        g->archivos.enqueue(vacio);
        a.SpeedButton1->click();
        QVERIFY(!QFile::exists(vacio));
        QVERIFY(g->Textos().last().startsWith(QStringLiteral("Se guardó el archivo ")));
        a.mTexto->setPlainText(QStringLiteral("SELECT IdProvincia FROM Provincias WHERE "
                                              "IdDistrital = 'BEN' ORDER BY IdProvincia"));
        a.sbEjecuta->click();
        const QString csv = carpeta.filePath(QStringLiteral("provincias.csv"));
        g->archivos.enqueue(csv);
        a.SpeedButton1->click();
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("IdProvincia\r\n01\r\n02\r\n"));
    }

    // Nobody else opens it, whatever the caller.
    void soloSistemas() {
        GrabadoraInstalada g;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
        datos_->LeePerfil();
        AbreConsultaAvanzada();
        QVERIFY(!fAvanzada);
        QCOMPARE(g->Textos().size(), 1);
    }
    // A batch runs whole, as the server runs it, whether or not ";" separates its statements;
    // the grid shows its first result; a failing statement stops it and says what ran before.
    void lotes() {
        AbreConsultaAvanzada();
        TfAvanzada& a = *fAvanzada;
        for (int n : {1, 2})
            GuiaGuardada(*base_, n, QStringLiteral("SCZ"), QStringLiteral("BOV"), "", "", "", "",
                         {});
        auto nombres = [&] {
            return base_
                ->Valor(QStringLiteral("SELECT group_concat(SolicitanteNombre, ',') FROM (SELECT "
                                       "SolicitanteNombre FROM Guias ORDER BY NroGuia)"))
                .toString();
        };
        a.mTexto->setPlainText(QStringLiteral(
            "UPDATE Guias SET SolicitanteNombre = 'A' WHERE NroGuia = 1; UPDATE Guias SET "
            "SolicitanteNombre = 'B' WHERE NroGuia = 2"));
        a.sbEjecutaClick();
        QCOMPARE(nombres(), QStringLiteral("A,B"));
        a.mTexto->setPlainText(
            QStringLiteral("UPDATE Guias SET SolicitanteNombre = 'C' WHERE NroGuia = 1\n"
                           "UPDATE Guias SET SolicitanteNombre = 'D' WHERE NroGuia = 2"));
        a.sbEjecutaClick();
        QCOMPARE(nombres(), QStringLiteral("C,D"));

        a.mTexto->setPlainText(
            QStringLiteral("UPDATE Guias SET SolicitanteNombre = 'E' WHERE NroGuia = 1\n"
                           "INSERT INTO NoExiste VALUES (1)\n"
                           "UPDATE Guias SET SolicitanteNombre = 'F' WHERE NroGuia = 2"));
        QString error;
        try {
            a.sbEjecutaClick();
        } catch (const ErrorBaseDatos& e) {
            error = e.Texto();
        }
        QVERIFY2(error.contains(QStringLiteral("NoExiste")) &&
                     error.endsWith(QString::fromUtf8("Se ejecutó la sentencia 1 del lote; la "
                                                      "sentencia 2 falló y las siguientes no se "
                                                      "ejecutaron.")),
                 qPrintable(error));
        QCOMPARE(nombres(), QStringLiteral("E,D"));

        a.mTexto->setPlainText(
            QStringLiteral("SELECT 1 AS a; UPDATE Guias SET SolicitanteNombre = 'G'"));
        a.sbEjecutaClick();
        QCOMPARE(a.DBGrid1->Modelo().Filas(), 1);
        QCOMPARE(a.DBGrid1->Modelo().Texto(0, 0), QStringLiteral("1"));
        QCOMPARE(nombres(), QStringLiteral("G,G"));
    }
};

TARVELION_PRUEBA_MAIN(TstAvanzada)
#include "tst_avanzada.moc"
