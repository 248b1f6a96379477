// The workbook import: rows from 7 until the first empty column A, each inserted on its own,
// refused rows listed with the database's text while the import goes on, the veterinarian
// from the list or from column AI, and the dry run that lists the same refusals and writes
// nothing.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "apoyo/ServidorTds.h"
#include "apoyo/Zip.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "vaccination/TfImpor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

class TstImporta : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    QString Tabla() {
        QStringList filas;
        for (int n : {4711, 4712, 4713, 9999})
            filas << base_
                         ->Valor(QStringLiteral("SELECT CertificadoNro || '|' || NombreCabana || "
                                                "'|' || IdVacunador || '|' || IFNULL(Terneros, "
                                                "'-') || '|' || ModificadoPor || '|' || "
                                                "IdPropietario FROM Vacunaciones WHERE "
                                                "CertificadoNro = ?"),
                                 {n})
                         .toString();
        return filas.join(QLatin1Char(';'));
    }
    // Every row and column of the table, each value as SQLite quotes it (type and bytes).
    QString Volcado() {
        QStringList columnas;
        for (const char* c : {"IdCiclo",
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
                              "FechaModificacion"})
            columnas << QStringLiteral("quote(%1)").arg(QLatin1String(c));
        return base_
            ->Valor(QStringLiteral("SELECT group_concat(%1, '|') FROM (SELECT * FROM "
                                   "Vacunaciones ORDER BY IdCiclo, CertificadoNro)")
                        .arg(columnas.join(QStringLiteral("||','||"))))
            .toString();
    }
    // The import form set for cycle 20 of SCZ with a file and veterinarian 222.
    void Prepara(TfImpor& f, const QString& archivo, bool soloVerificar = false) {
        f.eArchivo->setText(archivo);
        f.cbCiclo->setCurrentText(QStringLiteral("20"));
        f.cbDistrital->setCurrentText(QStringLiteral("SCZ"));
        f.cbVeter->setCurrentIndex(f.cbVeter->findData(QStringLiteral("222")));
        f.cSoloVerificar->setChecked(soloVerificar);
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Ciclos_Escribe")});
        base_->Sql(QStringLiteral("INSERT INTO Veterinarios VALUES ('222', 'VACA', NULL, 'LUIS', "
                                  "'M', 'SCZ'), ('111', 'ARZE', NULL, 'EVA', 'F', 'SCZ')"));
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        delete datos_;
        delete base_;
    }

    void checks() {
        GrabadoraInstalada grabadora;
        TfImpor f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Importar datos"));
        QCOMPARE(f.cbVeter->currentData().toString(), QStringLiteral("111")); // ordered by name
        f.BitBtn1->click();
        f.eArchivo->setText(QStringLiteral("x.xlsx"));
        f.BitBtn1->click();
        QCOMPARE(grabadora->Textos(),
                 (QStringList{QStringLiteral("Debe especificar un archivo de origen !"),
                              QString::fromUtf8("Debe especificar ciclo de vacunación y "
                                                "distrital !")}));
        f.cVeter->setChecked(true);
        QVERIFY(!f.cbVeter->isEnabled());
    }

    // The dry run lists what the real run then refuses, and leaves the table as it was.
    void verificarEImportar() {
        GrabadoraInstalada grabadora;
        // A certificate of the cycle that is there before: the dry run leaves every byte of
        // the table as it was.
        base_->Sql(QStringLiteral("INSERT INTO Vacunaciones (IdCiclo, CertificadoNro, "
                                  "NombreCabana, IdDistrital, IdProvincia, IdMunicipio, "
                                  "IdProveedor, IdVacunador, CantidadDosis, Laboratorio, Partida, "
                                  "Procedencia, Expiracion, FechaVacunacion, FechaCertificacion, "
                                  "Paterno, Nombres) VALUES ('20', 1, 'PREVIO', 'SCZ', '01', '01', "
                                  "'AAA', '111', 5, 'L', 'P', 'X', '1', '2020-01-01 00:00:00.000', "
                                  "'2020-01-01 00:00:00.000', 'P', 'N')"));
        const QString antes = Volcado();
        TfImpor f;
        Prepara(f, QFINDTESTDATA("libros/importa.xlsx"), true);
        f.BitBtn1->click();
        const QString verificado = f.Memo1->toPlainText();
        QCOMPARE(Volcado(), antes);
        const QStringList lineas = verificado.split(QLatin1Char('\n'));
        QVERIFY2(lineas.size() == 2, qPrintable(verificado));
        QVERIFY2(lineas[0].startsWith(QStringLiteral("4713 - ")), qPrintable(lineas[0]));
        QVERIFY2(lineas[1].startsWith(QStringLiteral("4711 - ")) &&
                     lineas[1].contains(QStringLiteral("clave duplicada")),
                 qPrintable(lineas[1]));
        // A dry run ends saying what a real run would do, not with the real run's words.
        QCOMPARE(grabadora->Textos().last(),
                 QString::fromUtf8("Verificación terminada, no se guardó nada: se insertarían 2 "
                                   "filas y se rechazarían 2."));
        QCOMPARE(f.windowTitle(), QStringLiteral("Importar datos [11]"));

        f.Memo1->clear();
        f.cSoloVerificar->setChecked(false);
        f.BitBtn1->click();
        QCOMPARE(f.Memo1->toPlainText(), verificado);
        QCOMPARE(grabadora->Textos().last(), QStringLiteral("Listo, ya acabé con esta madre"));
        QCOMPARE(Tabla(), QString::fromUtf8("4711|LA CAÑADA|222|1|-|-;4712|O'BRIEN'; DROP TABLE "
                                            "Vacunaciones; --|222|1|-|-;;"));
        // The same file again: every row refused as a duplicate, nothing added.
        f.Memo1->clear();
        f.BitBtn1->click();
        QCOMPARE(f.Memo1->toPlainText().split(QLatin1Char('\n')).size(), 4);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Vacunaciones")).toInt(), 3);
    }

    // Cells with quotes, SQL, 10,000 characters, text beyond Latin-1, and the wrong types, in
    // the three formats as LibreOffice wrote them: a row is inserted as written or listed with
    // the reason, nothing in a cell is run.
    void celdasMalas_data() {
        QTest::addColumn<QString>("archivo");
        QTest::newRow("xlsx") << "libros/malos.xlsx";
        QTest::newRow("ods") << "libros/malos.ods";
        QTest::newRow("xls") << "libros/malos.xls";
    }
    void celdasMalas() {
        QFETCH(QString, archivo);
        GrabadoraInstalada grabadora;
        TfImpor f;
        Prepara(f, QFINDTESTDATA(archivo));
        f.BitBtn1->click();
        const QStringList rechazos = f.Memo1->toPlainText().split(QLatin1Char('\n'));
        // SQL Server keeps the registry's texts in Windows-1252: on that backend the row with
        // Polish, Chinese and Greek letters is refused, naming them, and the rows after it
        // still go in; the embedded file keeps it as written.
        const bool odbc = BaseDePrueba::PorOdbc();
        QStringList esperados{
            QStringLiteral("5003 - |excede los 50 caracteres"),
            QString::fromUtf8("5005 - |\"CIEN\" del parámetro sCantidadDosis no es un número "
                              "entero"),
            QString::fromUtf8(
                "ABC - |\"ABC\" del parámetro sCertificadoNro no es un número entero"),
            QStringLiteral("5007 - |FechaVacunacion"),
            QString::fromUtf8("5008 - |70000 no cabe en el parámetro sTerneros"),
            QString::fromUtf8("4711.5 - |\"4711.5\" del parámetro sCertificadoNro no es un "
                              "número entero")};
        if (odbc)
            esperados.insert(1, QString::fromUtf8("5004 - |no puede guardar: ŁŹ牧場Ωμέγα"));
        QCOMPARE(rechazos.size(), esperados.size());
        for (int i = 0; i < esperados.size(); ++i) {
            const QStringList e = esperados[i].split(QLatin1Char('|'));
            QVERIFY2(rechazos[i].startsWith(e[0]) && rechazos[i].contains(e[1]),
                     qPrintable(rechazos[i]));
        }
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT group_concat(CertificadoNro || ':' || "
                                            "NombreCabana || ':' || Paterno, '|') FROM (SELECT * "
                                            "FROM Vacunaciones ORDER BY CertificadoNro)"))
                     .toString(),
                 QString::fromUtf8("5001:EL \"TORO\" D'ARCY:ROCA|5002:x'); DELETE FROM "
                                   "Vacunaciones; --:ROCA|") +
                     (odbc ? QString() : QString::fromUtf8("5004:ŁÓDŹ 牧場 Ωμέγα:ROCA|")) +
                     QStringLiteral("5006:PATERNO NUMERO:123|5009:%1 %2 PREDIO:ROCA"));
        QCOMPARE(grabadora->Textos().last(), QStringLiteral("Listo, ya acabé con esta madre"));
    }

    // Date cells as each backend must read them alike: a day number whose date format was lost,
    // an ISO date cell (xlsx type "d"), a text written day first, and a text that is no date
    // (refused with its row and its text); the sheet found whatever its case and trailing blanks.
    void fechasDeCeldas() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("fechas.xlsx"));
        PartesZip partes = LeeZip(QFINDTESTDATA("libros/importa.xlsx"));
        QByteArray* libro = ParteZip(partes, QStringLiteral("xl/workbook.xml"));
        QByteArray* hoja = ParteZip(partes, QStringLiteral("xl/worksheets/sheet2.xml"));
        QVERIFY(libro && hoja);
        libro->replace("name=\"Listado\"", "name=\"LISTADO \"");
        const std::pair<const char*, const char*> cambios[] = {
            {"<c r=\"P7\" s=\"1\" t=\"n\"><v>43952</v></c>",
             "<c r=\"P7\" s=\"0\" t=\"n\"><v>43600</v></c>"},
            {"<c r=\"Q7\" s=\"1\" t=\"n\"><v>43954</v></c>",
             "<c r=\"Q7\" t=\"d\"><v>2019-05-16T00:00:00</v></c>"},
            {"<c r=\"P8\" s=\"1\" t=\"n\"><v>43953</v></c>",
             "<c r=\"P8\" t=\"str\"><v>15/03/2019</v></c>"},
            {"<c r=\"P9\" s=\"1\" t=\"n\"><v>43953</v></c>",
             "<c r=\"P9\" t=\"str\"><v>ayer</v></c>"}};
        for (const auto& [de, a] : cambios) {
            QVERIFY2(hoja->contains(de), de);
            hoja->replace(de, a);
        }
        QVERIFY(EscribeZip(ruta, partes));
        GrabadoraInstalada grabadora;
        TfImpor f;
        Prepara(f, ruta);
        f.BitBtn1->click();
        const QStringList rechazos = f.Memo1->toPlainText().split(QLatin1Char('\n'));
        QVERIFY2(rechazos.value(0).startsWith(QString::fromUtf8(
                     "4713 - fila 9: \"ayer\" no es una fecha (FechaVacunacion)")),
                 qPrintable(f.Memo1->toPlainText()));
        auto fechas = [&](int certificado) {
            return base_
                ->Valor(QStringLiteral("SELECT FechaVacunacion || '|' || FechaCertificacion FROM "
                                       "Vacunaciones WHERE CertificadoNro = ?"),
                        {certificado})
                .toString();
        };
        QCOMPARE(fechas(4711), QStringLiteral("2019-05-15 00:00:00.000|2019-05-16 00:00:00.000"));
        QCOMPARE(fechas(4712), QStringLiteral("2019-03-15 00:00:00.000|2020-05-04 00:00:00.000"));
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT COUNT(*) FROM Vacunaciones WHERE "
                                            "CertificadoNro = 4713"))
                     .toInt(),
                 0);
    }

    // No file, a file that is no workbook, no sheet "Listado": a clear error, nothing written.
    void errores_data() {
        QTest::addColumn<QByteArray>("contenido"); // empty: no such file
        QTest::addColumn<QString>("mensaje");
        QFile f(QFINDTESTDATA("libros/importa.xlsx"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray xlsx = f.readAll();
        QTest::newRow("no existe") << QByteArray() << "No existe el archivo";
        QTest::newRow("bytes al azar")
            << QByteArray("PK\x03\x04") + QByteArray(3000, '\x5A') << "no es un libro de cálculo";
        QTest::newRow("cortado") << xlsx.left(xlsx.size() - 100) << "No se pudo leer el libro";
        QTest::newRow("sin hoja") << QByteArray("sin hoja") << "no tiene la hoja \"Listado\"";
    }
    void errores() {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, mensaje);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("certificados.xlsx"));
        if (contenido == "sin hoja") {
            PartesZip partes = LeeZip(QFINDTESTDATA("libros/importa.xlsx"));
            QByteArray* libro = ParteZip(partes, QStringLiteral("xl/workbook.xml"));
            QVERIFY(libro);
            libro->replace("name=\"Listado\"", "name=\"Listado 2\"");
            QVERIFY(EscribeZip(ruta, partes));
        } else if (!contenido.isEmpty()) {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contenido);
        }
        GrabadoraInstalada grabadora;
        TfImpor f;
        Prepara(f, ruta);
        try {
            f.BitBtn1Click();
            QFAIL("importado");
        } catch (const ErrorArchivo& e) {
            QVERIFY2(e.Texto().contains(mensaje), qPrintable(e.Texto()));
        }
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Vacunaciones")).toInt(), 0);
        QVERIFY(f.BitBtn1->isEnabled());
    }

    // A sheet damaged after its second row: the rows before the stop stay written (they are
    // in the batch not yet committed when the damage is met), a dry run keeps none.
    void detenida() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("cortado.xlsx"));
        PartesZip partes = LeeZip(QFINDTESTDATA("libros/importa.xlsx"));
        QByteArray* hoja = nullptr;
        for (auto& [nombre, datos] : partes)
            if (nombre.startsWith(QLatin1String("xl/worksheets/")) && datos.contains("4712"))
                hoja = &datos;
        QVERIFY(hoja);
        const qsizetype fin = hoja->indexOf("</row>", hoja->indexOf("4712"));
        QVERIFY(fin > 0);
        *hoja = hoja->left(fin + 6) + "<row r=\"9\"><c r=\"A9\"";
        QVERIFY(EscribeZip(ruta, partes));
        for (bool soloVerificar : {true, false}) {
            GrabadoraInstalada grabadora;
            TfImpor f;
            Prepara(f, ruta, soloVerificar);
            QVERIFY_THROWS_EXCEPTION(ErrorArchivo, f.BitBtn1Click());
            QCOMPARE(base_
                         ->Valor(QStringLiteral("SELECT group_concat(CertificadoNro) FROM "
                                                "Vacunaciones"))
                         .toString(),
                     soloVerificar ? QString() : QStringLiteral("4711,4712"));
        }
    }
    // SQL Server's connection lost while a row is written (its insert committed, the answer
    // never came): the import stops at once and says which row is known stored and which is
    // unknown; the next run refuses what is already there.
    void conexionPerdida() {
        if (!BaseDePrueba::PorOdbc())
            QSKIP("solo por ODBC: el archivo no pierde su conexión");
        base_->Tds()->FijaFalla({QStringLiteral("INSERT INTO Vacunaciones"), 0, -1, true, 1});
        TfImpor f;
        Prepara(f, QFINDTESTDATA("libros/importa.xlsx"));
        QString error;
        try {
            f.BitBtn1Click();
        } catch (const ErrorBaseDatos& e) {
            error = e.Texto();
        }
        base_->Tds()->FijaFalla({});
        QVERIFY2(error.startsWith(QString::fromUtf8(
                     "Se perdió la conexión con el servidor mientras se guardaba la fila 8 del "
                     "libro (certificado 4712) y la importación se detuvo. La última fila "
                     "guardada con seguridad es la 7 (certificado 4711); no se sabe si la fila 8 "
                     "quedó guardada.")),
                 qPrintable(error));
        QCOMPARE(f.Memo1->toPlainText(), QString()); // no row listed as refused
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT group_concat(CertificadoNro) FROM "
                                            "Vacunaciones"))
                     .toString(),
                 QStringLiteral("4711,4712"));
        // Again once the connection is back: the stored rows are refused as duplicates.
        GrabadoraInstalada grabadora;
        f.BitBtn1Click();
        const QStringList lineas = f.Memo1->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lineas.size(), 4); // both stored rows, and the two the file always has refused
        QVERIFY(lineas[0].startsWith(QStringLiteral("4711 - ")) &&
                lineas[0].contains(QStringLiteral("clave duplicada")));
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Vacunaciones")).toInt(), 2);
    }
};

TARVELION_PRUEBA_MAIN(TstImporta)
#include "tst_importa.moc"
