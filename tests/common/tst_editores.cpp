// Date fields: a date typed as an office user types it, the empty date, and the rule that a
// date counts as set from day 1000 of the registry's epoch on.
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "common/Editores.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QVBoxLayout>

class TstEditores : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fechaTecleada_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDate>("fecha"); // invalid: refused
        const QDate d(2026, 12, 5);
        QTest::newRow("ocho cifras") << "05122026" << d;
        QTest::newRow("seis cifras") << "051226" << d;
        QTest::newRow("barras, año corto") << "05/12/26" << d;
        QTest::newRow("día de una cifra") << "5/12/2026" << d;
        QTest::newRow("guiones") << "5-12-2026" << d;
        QTest::newRow("puntos") << "5.12.26" << d;
        QTest::newRow("blancos alrededor") << "  05/12/2026 " << d;
        QTest::newRow("año corto del siglo pasado") << "01/01/60" << QDate(1960, 1, 1);
        QTest::newRow("año corto cercano") << "01/01/45" << QDate(2045, 1, 1);
        QTest::newRow("vacío") << "" << EditorFecha::Vacia();
        QTest::newRow("31 de febrero") << "31/02/2026" << QDate();
        QTest::newRow("mes 13") << "01132026" << QDate();
        QTest::newRow("letras") << "cinco" << QDate();
        QTest::newRow("cinco cifras") << "51226" << QDate();
    }
    void fechaTecleada() {
        QFETCH(QString, texto);
        QFETCH(QDate, fecha);
        const auto leida = Editores::LeeFechaTecleada(texto, QDate(2026, 12, 10));
        QCOMPARE(leida.has_value(), fecha.isValid());
        if (leida)
            QCOMPARE(*leida, fecha);
    }

    // Typed digits, then Tab: the field holds the date, shows it in its format and the focus
    // moves on; a text that is no date brings the previous date back.
    void tecleaYTabula() {
        GrabadoraInstalada grabadora;
        QWidget ventana;
        auto* fecha = new EditorFecha(&ventana, true);
        auto* siguiente = new QLineEdit(&ventana);
        auto* capa = new QVBoxLayout(&ventana);
        capa->addWidget(fecha);
        capa->addWidget(siguiente);
        ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ventana));
        fecha->setFocus();
        QTest::keyClicks(fecha->Campo(), QStringLiteral("05122026"));
        QTest::keyClick(fecha->Campo(), Qt::Key_Tab);
        QCOMPARE(fecha->date(), QDate(2026, 12, 5));
        QCOMPARE(fecha->Texto(), QStringLiteral("05/12/26"));
        QVERIFY(siguiente->hasFocus());
        fecha->setFocus();
        fecha->Campo()->selectAll();
        QTest::keyClicks(fecha->Campo(), QStringLiteral("31/02/26"));
        QTest::keyClick(fecha->Campo(), Qt::Key_Tab);
        QCOMPARE(fecha->date(), QDate(2026, 12, 5));
        QCOMPARE(fecha->Texto(), QStringLiteral("05/12/26"));
        // An impossible date is said, not dropped in silence.
        QCOMPARE(grabadora->Textos(),
                 QStringList{QString::fromUtf8("\"31/02/26\" no es una fecha válida (día/mes/año); "
                                               "el campo conserva 05/12/26.")});
        // The calendar opens on the field's month.
        fecha->setDate(QDate(2019, 3, 15));
        fecha->setFocus();
        QTest::keyClick(fecha->Campo(), Qt::Key_F4);
        auto* calendario = qobject_cast<QCalendarWidget*>(QApplication::activePopupWidget());
        QVERIFY(calendario);
        QCOMPARE(calendario->yearShown(), 2019);
        QCOMPARE(calendario->monthShown(), 3);
        calendario->close();
        fecha->setDate(QDate(2026, 12, 5));
        // Up moves a day on.
        fecha->setFocus();
        QTest::keyClick(fecha->Campo(), Qt::Key_Up);
        QCOMPARE(fecha->date(), QDate(2026, 12, 6));
    }

    // A field that forces capitals shows loaded text in capitals as it does typed text, with
    // the cursor where it was.
    void mayusculasAlCargar() {
        QLineEdit e;
        Editores::Mayusculas(&e);
        e.setText(QString::fromUtf8("la cañada"));
        QCOMPARE(e.text(), QString::fromUtf8("LA CAÑADA"));
        e.setCursorPosition(3);
        QTest::keyClicks(&e, QStringLiteral("x"));
        QCOMPARE(e.text(), QString::fromUtf8("LA XCAÑADA"));
        QCOMPARE(e.cursorPosition(), 4);
    }

    void fijadaDesdeElDia1000() {
        EditorFecha f;
        QVERIFY(!f.Fijada());
        QVERIFY(f.Valor().isNull());
        f.setDate(EditorFecha::Vacia().addDays(999));
        QVERIFY(!f.Fijada());
        f.setDate(EditorFecha::Vacia().addDays(1000));
        QVERIFY(f.Fijada());
        QCOMPARE(f.date(), QDate(1902, 9, 26));
        f.Limpia();
        QCOMPARE(f.Texto(), QString());
    }
};

TARVELION_PRUEBA_MAIN(TstEditores)
#include "tst_editores.moc"
