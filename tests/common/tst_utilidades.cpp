// Utility routines: numbers and amounts in words, conversions, dates, codes, machine facts.
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "common/Utilidades.h"

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

class TstUtilidades : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numeroEnLetras_data() {
        QTest::addColumn<qlonglong>("numero");
        QTest::addColumn<QString>("palabras");
        const std::pair<qlonglong, const char*> casos[] = {
            {0, "CERO"},
            {1, "UNO"},
            {16, "DIECISEIS"},
            {21, "VEINTIUNO"},
            {31, "TREINTA Y UNO"},
            {100, "CIEN"},
            {101, "CIENTO UNO"},
            {1000, "MIL"},
            {1100, "MIL CIEN"},
            {21000, "VEINTIUNO MIL"},
            {101000, "CIENTO UNO MIL"},
            {1000000, "UN MILLON"},
            {2000000, "DOS MILLONES"},
            {21000000, "VEINTIUN MILLONES"},
            {1000000000, "MIL MILLONES"},
            {1001000000, "MIL UN MILLONES"},
            {987654321, "NOVECIENTOS OCHENTA Y SIETE MILLONES SEISCIENTOS CINCUENTA Y CUATRO "
                        "MIL TRESCIENTOS VEINTIUNO"},
            {999999999999, "NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE "
                           "MILLONES NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y "
                           "NUEVE"},
            {10, "DIEZ"},
            {15, "QUINCE"},
            {20, "VEINTE"},
            {110, "CIENTO DIEZ"},
            {2001, "DOS MIL UNO"},
        };
        for (const auto& [n, p] : casos)
            QTest::newRow(QByteArray::number(n).constData()) << n << QString::fromLatin1(p);
    }
    void numeroEnLetras() {
        QFETCH(qlonglong, numero);
        QFETCH(QString, palabras);
        QCOMPARE(NumeroEnLetras(numero), palabras);
    }

    void cantidadEnLetras_data() {
        QTest::addColumn<int>("modo");
        QTest::addColumn<double>("cantidad");
        QTest::addColumn<QString>("palabras");
        QTest::newRow("0 modo 1") << 1 << 0.0 << "CERO";
        QTest::newRow("2000 modo 1") << 1 << 2000.0 << "DOS MIL";
        QTest::newRow("maximo modo 1") << 1 << 999999999999.99 << NumeroEnLetras(999999999999);
        QTest::newRow("125.5 modo 0") << 0 << 125.5 << "CIENTO VEINTICINCO CON 50/100";
        QTest::newRow("7 modo 0") << 0 << 7.0 << "SIETE CON 00/100";
        QTest::newRow("3.05 modo 0") << 0 << 3.05 << "TRES CON 05/100";
        QTest::newRow("12.999 modo 1 trunca") << 1 << 12.999 << "DOCE";
    }
    void cantidadEnLetras() {
        QFETCH(int, modo);
        QFETCH(double, cantidad);
        QFETCH(QString, palabras);
        QCOMPARE(CantidadEnLetras(modo, cantidad), palabras);
    }

    // Out of range, the caller's action stops without a message: the rest of a click handler
    // that asked for the words never runs.
    void cantidadFueraDeRangoAbandonaAlLlamador() {
        GrabadoraInstalada grabadora;
        for (double cantidad : {1000000000000.0, -1.0}) {
            QPushButton boton;
            bool terminado = false;
            QObject::connect(&boton, &QPushButton::clicked, [&] {
                const QString texto = CantidadEnLetras(1, cantidad);
                terminado = true;
                Q_UNUSED(texto);
            });
            boton.show();
            QTest::mouseClick(&boton, Qt::LeftButton);
            QVERIFY(!terminado);
        }
        QVERIFY(grabadora->cajas.isEmpty());
        try {
            CantidadEnLetras(1, 1e12);
            QFAIL("sin abandono");
        } catch (const AccionAbandonada& e) {
            QCOMPARE(e.Motivo(), QStringLiteral("ERROR EN ARGUMENTOS"));
        }
    }

    void textoAEntero_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("error");
        QTest::addColumn<int>("valor");
        QTest::newRow("vacio") << "" << false << 0;
        QTest::newRow("blancos") << "   " << false << 0;
        QTest::newRow("cero") << "0" << false << 0;
        QTest::newRow("blanco delante") << " 12" << false << 12;
        QTest::newRow("blanco detras") << "12 " << true << 0;
        QTest::newRow("letras") << "12a" << true << 0;
        QTest::newRow("maximo") << "2147483647" << false << 2147483647;
        QTest::newRow("fuera de 32 bits") << "2147483648" << true << 0;
        QTest::newRow("negativo") << "-5" << false << -5;
    }
    void textoAEntero() {
        QFETCH(QString, texto);
        QFETCH(bool, error);
        QFETCH(int, valor);
        if (error) {
            QVERIFY_THROWS_EXCEPTION(ErrorConversion, TextoAEntero(texto));
            QVERIFY_THROWS_EXCEPTION(ErrorConversion, TextoAEnteroONulo(texto));
        } else {
            QCOMPARE(TextoAEntero(texto), valor);
        }
    }

    void textoAEnteroONulo() {
        const QVariant nulo = TextoAEnteroONulo(QString());
        QVERIFY(nulo.isNull());
        QCOMPARE(nulo.metaType(), QMetaType::fromType<int>());
        QCOMPARE(TextoAEnteroONulo(QStringLiteral("0")), QVariant(0));
        QCOMPARE(TextoAEnteroONulo(QStringLiteral("35")), QVariant(35));
    }

    // A conversion error that no handler catches reaches the application's error box with its
    // own text, and the rest of the handler does not run.
    void errorDeConversionLlegaALaCajaDeError() {
        GrabadoraInstalada grabadora;
        QPushButton boton;
        bool terminado = false;
        QObject::connect(&boton, &QPushButton::clicked, [&] {
            TextoAEntero(QStringLiteral("12 "));
            terminado = true;
        });
        boton.show();
        QTest::mouseClick(&boton, Qt::LeftButton);
        QVERIFY(!terminado);
        QCOMPARE(grabadora->cajas.size(), 1);
        QCOMPARE(grabadora->cajas[0].titulo, QStringLiteral("Error"));
        QCOMPARE(grabadora->cajas[0].icono, Mensajes::Icono::Error);
        QCOMPARE(grabadora->cajas[0].texto, QStringLiteral("'12 ' no es un valor entero válido"));
    }

    void fechaEnLetras_data() {
        QTest::addColumn<bool>("diaSemana");
        QTest::addColumn<QDate>("fecha");
        QTest::addColumn<QString>("texto");
        QTest::newRow("con dia") << true << QDate(2026, 12, 8) << "martes 8 de diciembre de 2026";
        QTest::newRow("sin dia") << false << QDate(2026, 12, 8) << "8 de diciembre de 2026";
        QTest::newRow("1 enero") << false << QDate(2026, 1, 1) << "1 de enero de 2026";
        QTest::newRow("domingo") << true << QDate(2026, 12, 6) << "domingo 6 de diciembre de 2026";
        QTest::newRow("miercoles") << true << QDate(2026, 9, 16)
                                   << QString::fromUtf8("miércoles 16 de septiembre de 2026");
        QTest::newRow("sabado") << true << QDate(2026, 5, 2)
                                << QString::fromUtf8("sábado 2 de mayo de 2026");
    }
    void fechaEnLetras() {
        QFETCH(bool, diaSemana);
        QFETCH(QDate, fecha);
        QFETCH(QString, texto);
        QCOMPARE(FechaEnLetras(diaSemana, fecha), texto);
    }

    void capitalDepartamento_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("capital");
        const char* casos[][2] = {
            {"BEN", "Trinidad"},   {"CBB", "Cochabamba"}, {"CHU", "Sucre"},  {"LPZ", "La Paz"},
            {"SCZ", "Santa Cruz"}, {"PDO", "Cobija"},     {"PTS", "Potosí"}, {"TJA", "Tarija"},
            {"ORU", "Oruro"},      {"XXX", ""},           {"scz", ""}};
        for (auto& c : casos)
            QTest::newRow(c[0]) << QString::fromUtf8(c[0]) << QString::fromUtf8(c[1]);
    }
    void capitalDepartamento() {
        QFETCH(QString, codigo);
        QFETCH(QString, capital);
        QCOMPARE(CapitalDepartamento(codigo), capital);
    }

    void sistemaOperativo_data() {
        QTest::addColumn<int>("plataforma");
        QTest::addColumn<int>("mayor");
        QTest::addColumn<int>("menor");
        QTest::addColumn<QString>("sp");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("nombre");
        const int w9x = VersionSistema::Windows9x, nt = VersionSistema::WindowsNT,
                  otra = VersionSistema::Otra;
        QTest::newRow("95") << w9x << 4 << 0 << "" << 0 << "Microsoft Windows 95";
        QTest::newRow("98") << w9x << 4 << 10 << " B" << 1 << "Microsoft Windows 98";
        QTest::newRow("98 SE") << w9x << 4 << 10 << " A" << 2
                               << "Microsoft Windows 98 Second Edition";
        QTest::newRow("ME") << w9x << 4 << 90 << "" << 3 << "Microsoft Windows Millennium Edition";
        QTest::newRow("9x otra") << w9x << 4 << 50 << "" << -1 << "(OS Desconocido)";
        QTest::newRow("NT 4") << nt << 4 << 0 << "" << 4 << "Microsoft Windows New Technology";
        QTest::newRow("NT 3") << nt << 3 << 51 << "" << 4 << "Microsoft Windows New Technology";
        QTest::newRow("2000") << nt << 5 << 0 << "" << 5 << "Microsoft Windows 2000 / NT 5";
        QTest::newRow("XP") << nt << 5 << 1 << "" << 6 << "Microsoft Windows XP";
        QTest::newRow("NT 10") << nt << 10 << 0 << "" << -1 << "(OS Desconocido)";
        QTest::newRow("otra") << otra << 5 << 1 << "" << -1 << "(OS Desconocido)";
    }
    void sistemaOperativo() {
        QFETCH(int, plataforma);
        QFETCH(int, mayor);
        QFETCH(int, menor);
        QFETCH(QString, sp);
        QFETCH(int, codigo);
        QFETCH(QString, nombre);
        VersionSistema v{VersionSistema::Plataforma(plataforma), mayor, menor, sp};
        QCOMPARE(CodigoSistemaOperativo(v), codigo);
        QCOMPARE(NombreSistemaOperativo(codigo), nombre);
    }

    void hechosDeLaMaquina() {
        QCOMPARE(NombreSistemaOperativo(7), QStringLiteral("Microsoft Windows ???"));
#ifndef Q_OS_WIN
        QCOMPARE(IdSistemaOperativo(), -1);
#endif
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"))
                    .match(VersionModulo())
                    .hasMatch());
        QCOMPARE(VersionModulo(), QStringLiteral(TARVELION_VERSION));
        const QString equipo = NombreComputadora();
        QVERIFY(!equipo.isEmpty());
        QVERIFY(equipo.size() <= 15);
        QCOMPARE(equipo, equipo.toUpper());

        QTemporaryDir carpeta;
        const QString antes = QDir::currentPath();
        QDir::setCurrent(carpeta.path());
        QCOMPARE(QDir(CarpetaActual()).canonicalPath(), QDir(carpeta.path()).canonicalPath());
        QDir::setCurrent(antes);
    }

    void cadenaAleatoria() {
        const QRegularExpression simbolos(QStringLiteral("^[0-9A-Z]*$"));
        for (int n : {0, 1, 3, 10, 255}) {
            const QString c = CadenaAleatoria(n);
            QCOMPARE(c.size(), n);
            QVERIFY(simbolos.match(c).hasMatch());
        }
        // Same seed (same millisecond of the day), same text; another seed, another text.
        QCOMPARE(CadenaAleatoria(10, 12345), CadenaAleatoria(10, 12345));
        QVERIFY(CadenaAleatoria(10, 12345) != CadenaAleatoria(10, 12346));
        // Every one of the 36 symbols is drawn.
        const QString largo = CadenaAleatoria(255, 1) + CadenaAleatoria(255, 2);
        QSet<QChar> vistos(largo.begin(), largo.end());
        QCOMPARE(vistos.size(), 36);
        // Retries drawn at once (a supplier code that is taken) give other codes: of 200
        // three-symbol codes drawn in a row, nearly all differ (46,656 are possible).
        QSet<QString> codigos;
        for (int i = 0; i < 200; ++i)
            codigos.insert(CadenaAleatoria(3));
        QVERIFY2(codigos.size() >= 190, qPrintable(QString::number(codigos.size())));
    }
};

TARVELION_PRUEBA_MAIN(TstUtilidades)
#include "tst_utilidades.moc"
