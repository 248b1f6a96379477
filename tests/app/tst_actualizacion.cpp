// The automatic update: the version check at start, the download over HTTP from a server on
// 127.0.0.1 (known size, no size, redirect, 404, refused, cut short), and the installer script,
// run for real against a dummy program.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/Instalador.h"
#include "app/TdmDatos.h"
#include "app/TfUMainWU.h"
#include "common/Utilidades.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A small web server: answers each path as the test asks and keeps the request headers.
class ServidorWeb : public QObject {
    Q_OBJECT
public:
    QByteArray cuerpo = QByteArray(300000, 'x');
    QByteArray ultimaPeticion;

    ServidorWeb() {
        servidor_.listen(QHostAddress::LocalHost, 0);
        connect(&servidor_, &QTcpServer::newConnection, this, &ServidorWeb::Atiende);
    }
    QString Base() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(servidor_.serverPort());
    }

private Q_SLOTS:
    void Atiende() {
        while (QTcpSocket* s = servidor_.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] {
                pedido_[s] += s->readAll();
                if (!pedido_[s].contains("\r\n\r\n"))
                    return;
                ultimaPeticion = pedido_[s];
                const QByteArray ruta = pedido_[s].split(' ').value(1);
                Responde(s, ruta);
            });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    }

private:
    void Responde(QTcpSocket* s, const QByteArray& ruta) {
        if (ruta.startsWith("/conocido/")) {
            s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
                     "\r\nConnection: close\r\n\r\n" + cuerpo);
        } else if (ruta.startsWith("/sintamano/")) {
            s->write("HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n" + cuerpo);
        } else if (ruta.startsWith("/movido/")) {
            s->write("HTTP/1.1 302 Found\r\nLocation: /conocido/Tarvelion.vrk\r\n"
                     "Content-Length: 0\r\nConnection: close\r\n\r\n");
        } else if (ruta.startsWith("/corto/")) {
            s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
                     "\r\nConnection: close\r\n\r\n" + cuerpo.left(cuerpo.size() / 2));
        } else {
            s->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\n"
                     "not found");
        }
        s->flush();
        s->disconnectFromHost();
    }

    QTcpServer servidor_;
    QHash<QTcpSocket*, QByteArray> pedido_;
};

class TstActualizacion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { TerminacionSolicitada = false; }

    // Published version against the program's: exact text after trimming; any difference
    // (an older one too) opens the window; no row opens it with an empty address.
    void revisionAlIniciar_data() {
        QTest::addColumn<QString>("publicada"); // null: no row for the module
        QTest::addColumn<bool>("ventana");
        QTest::newRow("igual") << VersionModulo() << false;
        QTest::newRow("con blancos") << QStringLiteral(" %1 ").arg(VersionModulo()) << false;
        QTest::newRow("anterior") << "0.9.0.6" << true;
        QTest::newRow("posterior") << "9.0.0.1" << true;
        QTest::newRow("sin fila") << QString() << true;
    }
    void revisionAlIniciar() {
        QFETCH(QString, publicada);
        QFETCH(bool, ventana);
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(QStringLiteral("ana"), QStringLiteral("x"), QStringLiteral("SCZ"));
        base.Sql(QStringLiteral("DELETE FROM Actualizacion"));
        if (!publicada.isNull())
            base.Sql(QStringLiteral("INSERT INTO Actualizacion VALUES ('Tarvelion', ?, "
                                    "'http://127.0.0.1:9/vrk', 'Novedades')"),
                     {publicada});
        base.Configura(QStringLiteral("ana"), QStringLiteral("x"));
        QString titulo, origen, notas;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& w = dynamic_cast<TfUMainWU&>(d);
            w.show();
            titulo = w.windowTitle();
            origen = w.eOrigen->text();
            notas = w.mUtiles->toPlainText();
            w.btnCancel->click();
            return d.result();
        });
        auto modulo = Arranque::CreaModuloDatos();
        Ventanas::InstalaManejador({});
        QCOMPARE(!titulo.isEmpty(), ventana);
        QCOMPARE(TerminacionSolicitada, ventana);
        if (ventana) {
            QCOMPARE(titulo,
                     QString::fromUtf8("Actualización de 'Tarvelion' versión ") + publicada);
            QCOMPARE(origen, publicada.isNull()
                                 ? QStringLiteral("/Tarvelion.vrk")
                                 : QStringLiteral("http://127.0.0.1:9/vrk/Tarvelion.vrk"));
            QCOMPARE(notas, publicada.isNull() ? QString() : QStringLiteral("Novedades"));
        }
        QCOMPARE(UsuarioBase, QStringLiteral("ana")); // the session start went on
    }

    void descarga_data() {
        QTest::addColumn<QString>("carpeta"); // path on the test server, or a full address
        QTest::addColumn<bool>("instala");
        QTest::addColumn<QString>("textoFinal");
        QTest::addColumn<QString>("error");
        QTest::newRow("tamano conocido") << "/conocido" << true << "Terminado"
                                         << "";
        QTest::newRow("sin tamano") << "/sintamano" << true << "Terminado"
                                    << "";
        QTest::newRow("redireccion") << "/movido" << true << "Terminado"
                                     << "";
        QTest::newRow("404") << "/falta" << false << ""
                             << "Not Found";
        QTest::newRow("cortada") << "/corto" << false << ""
                                 << "";
        QTest::newRow("rechazada") << "http://127.0.0.1:9" << false << ""
                                   << "refused";
    }
    void descarga() {
        QFETCH(QString, carpeta);
        QFETCH(bool, instala);
        QFETCH(QString, textoFinal);
        QFETCH(QString, error);
        GrabadoraInstalada grabadora;
        ServidorWeb web;
        QTemporaryDir destino;
        CarpetaSistema = destino.path();
        TfUMainWU w;
        w.UrlBase = carpeta.startsWith(QLatin1String("http")) ? carpeta : web.Base() + carpeta;
        w.CarpetaDestino = destino.path();
        w.NombreModulo = QStringLiteral("Tarvelion");
        w.show();
        QCOMPARE(w.eDestino->text(), destino.path() + QStringLiteral("/Tarvelion.vrk"));
        QCOMPARE(w.lblSize->text(), QStringLiteral("progreso de la descarga:"));
        QTest::mouseClick(w.btnGO, Qt::LeftButton);
        const QString guion = destino.filePath(QStringLiteral("instalar.sh"));
        QCOMPARE(QFile::exists(guion), instala);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(w.btnGO->isEnabled());
        if (instala) {
            QCOMPARE(w.lblSize->text(), textoFinal);
            QFile bajado(w.eDestino->text());
            QVERIFY(bajado.open(QIODevice::ReadOnly));
            QCOMPARE(bajado.readAll(), web.cuerpo);
            QCOMPARE(grabadora->cajas.size(), 1);
            QCOMPARE(grabadora->cajas[0].titulo, QString::fromUtf8("Actualización"));
            QCOMPARE(grabadora->cajas[0].texto,
                     QString::fromUtf8("Se instaló la nueva versión del sistema !"));
            QVERIFY(TerminacionSolicitada);
            QVERIFY(web.ultimaPeticion.contains("User-Agent: Mozilla/4.0 (compatible; MSIE 5.5; "
                                                "Windows NT 4.0)"));
            QVERIFY(web.ultimaPeticion.contains("Accept: text/html, */*"));
            QFile::remove(guion); // the script would wait for this process
        } else {
            // Never installed: the error with its own text, the window stays open.
            QCOMPARE(grabadora->cajas.size(), 1);
            QCOMPARE(grabadora->cajas[0].titulo, QStringLiteral("Error"));
            QVERIFY2(grabadora->cajas[0].texto.contains(error, Qt::CaseInsensitive),
                     qPrintable(grabadora->cajas[0].texto));
            QVERIFY(!w.btnCancel->isEnabled());
            QVERIFY(w.isVisible());
            QVERIFY(!TerminacionSolicitada);
        }
    }

    // Progress texts: with a size the bar moves; without one the count grows as "n bytes.".
    void textosDeProgreso() {
        GrabadoraInstalada grabadora;
        ServidorWeb web;
        QTemporaryDir destino;
        CarpetaSistema = destino.path();
        for (const char* ruta : {"/conocido", "/sintamano"}) {
            TfUMainWU w;
            w.UrlBase = web.Base() + QLatin1String(ruta);
            w.CarpetaDestino = destino.path();
            w.NombreModulo = QStringLiteral("Tarvelion");
            w.show();
            QStringList textos;
            QList<int> maximos;
            QTimer espia;
            connect(&espia, &QTimer::timeout, this, [&] {
                if (textos.isEmpty() || textos.last() != w.lblSize->text())
                    textos << w.lblSize->text();
                maximos << w.ProgressBar1->maximum();
            });
            espia.start(0);
            QTest::mouseClick(w.btnGO, Qt::LeftButton);
            espia.stop();
            const bool conTamano = QLatin1String(ruta) == QLatin1String("/conocido");
            QStringList progreso = textos.filter(QStringLiteral(" bytes"));
            QVERIFY2(!progreso.isEmpty(), qPrintable(textos.join('|')));
            if (conTamano) {
                QVERIFY(progreso.last().endsWith(QStringLiteral(" bytes de 300000 bytes.")));
                QVERIFY(maximos.contains(300000));
            } else {
                QVERIFY(progreso.last().endsWith(QStringLiteral(" bytes.")));
                QVERIFY(!progreso.last().contains(QStringLiteral(" de ")));
                QVERIFY(!maximos.contains(300000));
            }
            QFile::remove(destino.filePath(QStringLiteral("instalar.sh")));
        }
    }

    void textoDelGuion() {
        const auto r = Instalador::RutasDe(QStringLiteral("C:\\Mis Programas\\MORAVEL"),
                                           QStringLiteral("Tarvelion"));
        const QString sep = QString(QDir::separator());
        const QStringList bat = Instalador::LineasBat(
            {QStringLiteral("C:\\A B"), QStringLiteral("C:\\A B\\Tarvelion.exe"),
             QStringLiteral("C:\\A B\\Tarvelion.vrk"), QStringLiteral("C:\\A B\\instalar.bat")},
            QStringLiteral("Tarvelion"));
        QCOMPARE(bat,
                 (QStringList{":Label1", "@echo off", "del \"C:\\A B\\Tarvelion.exe\"",
                              "if exist \"C:\\A B\\Tarvelion.exe\" goto Label1",
                              "rename \"C:\\A B\\Tarvelion.vrk\" \"Tarvelion.exe\"",
                              "call \"C:\\A B\\Tarvelion.exe\"", "del \"C:\\A B\\instalar.bat\""}));
        QCOMPARE(r.descarga, QStringLiteral("C:\\Mis Programas\\MORAVEL") + sep +
                                 QStringLiteral("Tarvelion.vrk"));
    }

#ifndef Q_OS_WIN
    // The real script against a dummy program in a folder with blanks and a quote: it waits
    // for the program to exit, puts the download in place, keeps it executable, starts it and
    // deletes itself.
    void guionReal() {
        QTemporaryDir raiz;
        const QString carpeta = raiz.filePath(QStringLiteral("Mis Programas d'oficina"));
        QDir().mkpath(carpeta);
        const auto r = Instalador::RutasDe(carpeta, QStringLiteral("Tarvelion"));
        auto escribe = [](const QString& ruta, const QByteArray& texto) {
            QFile f(ruta);
            f.open(QIODevice::WriteOnly);
            f.write(texto);
            f.close();
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        };
        escribe(r.ejecutable, "#!/bin/sh\necho vieja > marca\n");
        QFile(r.descarga).remove();
        escribe(r.descarga, "#!/bin/sh\necho nueva > marca\n");
        QFile::setPermissions(r.descarga, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QProcess programa; // stands for the running program
        programa.start(QStringLiteral("sleep"), {QStringLiteral("1")});
        QVERIFY(programa.waitForStarted());
        escribe(r.guion, Instalador::GuionUnix(r, programa.processId()).toUtf8());
        QVERIFY(QProcess::startDetached(QStringLiteral("/bin/sh"), {r.guion}, carpeta));
        QTest::qWait(300);
        QVERIFY(QFile::exists(r.descarga)); // still waiting for the program
        QVERIFY(programa.waitForFinished());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(carpeta).filePath(QStringLiteral("marca"))),
                                 10000);
        QFile marca(QDir(carpeta).filePath(QStringLiteral("marca")));
        marca.open(QIODevice::ReadOnly);
        QCOMPARE(marca.readAll(), QByteArray("nueva\n"));
        QVERIFY(!QFile::exists(r.descarga));
        QVERIFY(QFileInfo(r.ejecutable).isExecutable());
        QTRY_VERIFY(!QFile::exists(r.guion));
    }
#endif
};

TARVELION_PRUEBA_MAIN(TstActualizacion)
#include "tst_actualizacion.moc"
