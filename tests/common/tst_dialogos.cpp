// File dialogs beside the embedded database: listing the database's folder must leave SQLite's
// locks alone, so another program that opens and closes the file cannot take the session's
// write-ahead log away, and a row written afterwards reaches the file.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Dialogos.h"
#include "common/Errores.h"
#include "common/LibroCalculo.h"
#include "common/Mensajes.h"
#include "db/Conexion.h"
#include "db/Consulta.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <unistd.h>

namespace {

// What another program sees: the rows of Talonarios counted by the sqlite3 tool, which opens
// and closes the file (and would checkpoint and delete the log if nobody held it).
int CuentaDesdeOtroProceso(const QString& ruta) {
    QProcess p;
    // NOT INDEXED: the tool lacks the registry's collation, which the key's index uses.
    p.start(QStringLiteral("sqlite3"),
            {ruta, QStringLiteral("SELECT COUNT(*) FROM Talonarios NOT INDEXED;")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return -1;
    return p.readAllStandardOutput().trimmed().toInt();
}

void InsertaTalonario(Conexion& c, const QString& id) {
    Consulta q({QStringLiteral("INSERT INTO Talonarios VALUES (:Id, 'Servicio')")}, &c);
    q.Texto(QStringLiteral("Id"), id, 4);
    q.Ejecuta();
}

// Closes the file dialog once it has listed the folder and looked at every file in it.
void CierraCuandoListe() {
    QTimer::singleShot(50, [] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialogo) {
            CierraCuandoListe();
            return;
        }
        // The folder is listed, and its files' icons and types worked out, by a thread of the
        // dialog's own; give it time to finish before closing.
        QTest::qWait(1500);
        dialogo->reject();
    });
}

// A file dialog that answers with one file.
struct DialogoFijo : Dialogos::Servicio {
    QString ruta;
    QString GuardarComo(const Dialogos::Peticion&) override { return ruta; }
    QString Abrir(const Dialogos::Peticion&) override { return ruta; }
};

struct LectorNulo : LibroCalculo::Lector {
    bool Fila(int, const std::vector<LibroCalculo::Celda>&) override { return true; }
};

} // namespace

class TstDialogos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dialogoNoSueltaLosCerrojos_data() {
        QTest::addColumn<bool>("guardar");
        QTest::addColumn<QString>("filtro");
        QTest::newRow("guardar PDF") << true << QStringLiteral("Documento PDF (.pdf)|*.pdf");
        QTest::newRow("guardar CSV")
            << true << QStringLiteral("Campos delimitados por punto y coma (.csv)|*.csv");
        QTest::newRow("abrir libro")
            << false << QStringLiteral("Libros (.xlsx)|*.xlsx;*.xls;*.ods");
    }
    void dialogoNoSueltaLosCerrojos() {
        QFETCH(bool, guardar);
        QFETCH(QString, filtro);
        BaseDePrueba base;
        Conexion conexion(QStringLiteral("dialogos"));
        conexion.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                               QStringLiteral("Moravel"));
        Conexion::FijaPrincipal(&conexion);
        InsertaTalonario(conexion, QStringLiteral("A"));
        QVERIFY(QFile::exists(base.Ruta() + QStringLiteral("-wal")));

        // The program's working folder is the database's folder.
        const QString antes = QDir::currentPath();
        QDir::setCurrent(base.Carpeta());
        CierraCuandoListe();
        const Dialogos::Peticion p{QStringLiteral("Guardar como"), QString(), filtro};
        QCOMPARE(guardar ? Dialogos::GuardarComo(p) : Dialogos::Abrir(p), QString());
        QDir::setCurrent(antes);

        QCOMPARE(CuentaDesdeOtroProceso(base.Ruta()), 1);
        InsertaTalonario(conexion, QStringLiteral("B"));
        QCOMPARE(CuentaDesdeOtroProceso(base.Ruta()), 2);
        QVERIFY(QFile::exists(base.Ruta() + QStringLiteral("-wal")));
        Conexion::FijaPrincipal(nullptr);
    }

    // The database itself is never offered as the target of a file that is saved.
    void laBaseNoEsDestino() {
        BaseDePrueba base;
        Conexion conexion(QStringLiteral("destino"));
        conexion.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                               QStringLiteral("Moravel"));
        Conexion::FijaPrincipal(&conexion);
        QVERIFY(Dialogos::EsArchivoDeLaBase(base.Ruta()));
        QVERIFY(Dialogos::EsArchivoDeLaBase(base.Ruta() + QStringLiteral("-wal")));
        QVERIFY(!Dialogos::EsArchivoDeLaBase(base.Carpeta() + QStringLiteral("/lista.csv")));
        Conexion::FijaPrincipal(nullptr);
    }

    // The database's files under every name they can be reached by are refused by the open
    // dialog and by the workbook reader before anything opens them: the session keeps its
    // locks, and a row written afterwards reaches the file another program reads.
    void laBaseNoSeLee_data() {
        QTest::addColumn<QString>("nombre");
        QTest::newRow("el archivo") << "Moravel.db";
        QTest::newRow("-wal") << "Moravel.db-wal";
        QTest::newRow("-shm") << "Moravel.db-shm";
        QTest::newRow("-journal") << "Moravel.db-journal";
        QTest::newRow("relativa") << "./sub/../Moravel.db";
        QTest::newRow("enlace") << "enlace.db";
        QTest::newRow("enlace duro") << "duro.db";
    }
    void laBaseNoSeLee() {
        QFETCH(QString, nombre);
        BaseDePrueba base;
        QVERIFY(QFileInfo(base.Ruta()).fileName() == QLatin1String("Moravel.db"));
        QDir(base.Carpeta()).mkdir(QStringLiteral("sub"));
        QVERIFY(QFile::link(base.Ruta(), base.Carpeta() + QStringLiteral("/enlace.db")));
        QVERIFY(
            ::link(QFile::encodeName(base.Ruta()).constData(),
                   QFile::encodeName(base.Carpeta() + QStringLiteral("/duro.db")).constData()) ==
            0);
        Conexion conexion(QStringLiteral("lectura"));
        conexion.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                               QStringLiteral("Moravel"));
        InsertaTalonario(conexion, QStringLiteral("A"));
        const QString antes = QDir::currentPath();
        QDir::setCurrent(base.Carpeta());
        auto dialogo = std::make_shared<DialogoFijo>();
        dialogo->ruta = nombre;
        const auto anterior = Dialogos::Instala(dialogo);
        QVERIFY_THROWS_EXCEPTION(ErrorArchivo, Dialogos::Abrir({QStringLiteral("Abrir"), {}, {}}));
        QVERIFY_THROWS_EXCEPTION(ErrorArchivo,
                                 Dialogos::GuardarComo({QStringLiteral("Guardar"), {}, {}}));
        Dialogos::Instala(anterior);
        LectorNulo lector;
        QString error;
        try {
            LibroCalculo::LeeHoja(nombre, QStringLiteral("Listado"), lector);
        } catch (const ErrorArchivo& e) {
            error = e.Texto();
        }
        QDir::setCurrent(antes);
        QVERIFY2(error.startsWith(
                     QStringLiteral("El archivo %1 es la base de datos del registro").arg(nombre)),
                 qPrintable(error));
        QCOMPARE(CuentaDesdeOtroProceso(base.Ruta()), 1);
        InsertaTalonario(conexion, QStringLiteral("B"));
        QCOMPARE(CuentaDesdeOtroProceso(base.Ruta()), 2);
        conexion.Cierra();
        QVERIFY(!Dialogos::EsArchivoDeLaBase(base.Ruta()));
    }

    // Qt's own texts in Spanish (file dialog, print preview, calendar, standard buttons) while
    // every number keeps "." as its decimal separator, both at once.
    void espanolConPuntoDecimal() {
        const QLocale l;
        QCOMPARE(l.monthName(1), QStringLiteral("enero"));
        QVERIFY(l.dayName(1, QLocale::ShortFormat).startsWith(QStringLiteral("lun")));
        QCOMPARE(l.toString(1234.5), QStringLiteral("1234.5"));
        QCOMPARE(l.toString(1234567), QStringLiteral("1234567"));
        bool ok = false;
        QCOMPARE(l.toDouble(QStringLiteral("2.5"), &ok), 2.5);
        QVERIFY(ok);
        QCOMPARE(QString::asprintf("%.1f", 2.5), QStringLiteral("2.5"));
        QDoubleSpinBox numero;
        numero.setValue(1.5);
        QCOMPARE(numero.text(), QStringLiteral("1.50"));

        QCalendarWidget calendario;
        calendario.setSelectedDate(QDate(2026, 1, 15));
        calendario.show();
        QStringList textos;
        for (auto* b : calendario.findChildren<QToolButton*>())
            textos << b->text();
        QVERIFY2(textos.contains(QStringLiteral("enero")), qPrintable(textos.join('|')));

        QFileDialog* dialogo = Dialogos::CreaDialogo(nullptr, QStringLiteral("Guardar como"));
        QStringList etiquetas;
        for (auto* e : dialogo->findChildren<QLabel*>())
            etiquetas << e->text();
        delete dialogo;
        QVERIFY2(etiquetas.contains(QStringLiteral("Ver en:")), qPrintable(etiquetas.join('|')));
        QVERIFY(etiquetas.contains(QStringLiteral("&Nombre de fichero:")));

        QPrinter impresora;
        QPrintPreviewDialog vista(&impresora);
        QStringList consejos;
        for (QAction* a : vista.findChildren<QAction*>())
            consejos << a->toolTip();
        QVERIFY2(consejos.contains(QStringLiteral("Imprimir")), qPrintable(consejos.join('|')));

        // Every box names its confirming button the same way.
        QString boton;
        QTimer::singleShot(0, [&] {
            if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boton = caja->button(QMessageBox::Ok)->text();
                caja->accept();
            }
        });
        MuestraError(QStringLiteral("prueba"));
        QCOMPARE(boton, QStringLiteral("Aceptar"));
    }
};

TARVELION_PRUEBA_MAIN(TstDialogos)
#include "tst_dialogos.moc"
