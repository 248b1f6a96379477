// The automatic update: the version check at start, the download over HTTP and HTTPS from a
// server on 127.0.0.1 (known size, no size, redirect, published sum) with every refusal (HTTP
// errors, cut short, empty, not a program, foreign schemes, wrong sum, a silent server), cancel
// during the transfer, the painted texts, and the installer script run for real against a
// dummy program.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/Instalador.h"
#include "app/TdmDatos.h"
#include "app/TfUMainWU.h"
#include "common/Utilidades.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A real program of this machine: what a published package holds.
QByteArray Programa() {
    QFile f(QStandardPaths::findExecutable(QStringLiteral("true")));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray Sha256(const QByteArray& b) {
    return QCryptographicHash::hash(b, QCryptographicHash::Sha256).toHex();
}

// A small web server, plain or over TLS: answers each path as the test asks and keeps the
// request headers.
class ServidorWeb : public QObject {
    Q_OBJECT
public:
    QByteArray cuerpo = Programa();
    QByteArray ultimaPeticion;

    explicit ServidorWeb(QTcpServer* servidor = nullptr)
        : servidor_(servidor ? servidor : new QTcpServer) {
        servidor_->setParent(this);
        servidor_->listen(QHostAddress::LocalHost, 0);
        connect(servidor_, &QTcpServer::pendingConnectionAvailable, this, &ServidorWeb::Atiende);
    }
    QString Base(const char* esquema = "http") const {
        return QStringLiteral("%1://127.0.0.1:%2")
            .arg(QLatin1String(esquema))
            .arg(servidor_->serverPort());
    }

private Q_SLOTS:
    void Atiende() {
        while (QTcpSocket* s = servidor_->nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] {
                pedido_[s] += s->readAll();
                if (!pedido_[s].contains("\r\n\r\n"))
                    return;
                ultimaPeticion = pedido_.take(s); // a later socket may reuse the address
                const QByteArray ruta = ultimaPeticion.split(' ').value(1);
                Responde(s, ruta);
            });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    }

private:
    static QByteArray Ok(const QByteArray& cuerpo) {
        return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
               "\r\nConnection: close\r\n\r\n" + cuerpo;
    }
    void Responde(QTcpSocket* s, const QByteArray& ruta) {
        if (ruta.endsWith(".sha256")) {
            if (ruta.startsWith("/suma-buena/"))
                s->write(Ok(Sha256(cuerpo) + "  Tarvelion.vrk\n"));
            else if (ruta.startsWith("/suma-mala/"))
                s->write(Ok(Sha256("otro") + "  Tarvelion.vrk\n"));
            else if (ruta.startsWith("/suma-rota/"))
                s->write("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n"
                         "Connection: close\r\n\r\n");
            else
                s->write(
                    "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        } else if (ruta.startsWith("/conocido/") || ruta.startsWith("/suma-")) {
            s->write(Ok(cuerpo));
        } else if (ruta.startsWith("/sintamano/")) {
            s->write("HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n" + cuerpo);
        } else if (ruta.startsWith("/movido/")) {
            s->write("HTTP/1.1 302 Found\r\nLocation: /conocido/Tarvelion.vrk\r\n"
                     "Content-Length: 0\r\nConnection: close\r\n\r\n");
        } else if (ruta.startsWith("/corto/")) {
            s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
                     "\r\nConnection: close\r\n\r\n" + cuerpo.left(cuerpo.size() / 2));
        } else if (ruta.startsWith("/cortosintamano/")) {
            s->write("HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n" +
                     cuerpo.left(cuerpo.size() / 2));
        } else if (ruta.startsWith("/vacio/")) {
            s->write(Ok({}));
        } else if (ruta.startsWith("/html/")) {
            s->write(Ok("<html><body>Servicio no disponible</body></html>"));
        } else if (ruta.startsWith("/mudo/") || ruta.startsWith("/lento/")) {
            // Headers and a first part, then silence with the connection open.
            s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
                     "\r\n\r\n" + cuerpo.left(1000));
            s->flush();
            return;
        } else {
            s->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\n"
                     "not found");
        }
        s->flush();
        s->disconnectFromHost();
    }

    QTcpServer* servidor_;
    QHash<QTcpSocket*, QByteArray> pedido_;
};

// Records the texts a label had each time it was actually painted.
class TextosPintados : public QObject {
public:
    QStringList textos;
    explicit TextosPintados(QLabel* l) : etiqueta_(l) { l->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == etiqueta_ && e->type() == QEvent::Paint)
            textos << etiqueta_->text();
        return false;
    }

private:
    QLabel* etiqueta_;
};

// Sets the window as the opener does (the module's package at `direccion`, downloaded into
// `carpeta`) and shows it.
void Prepara(TfUMainWU& w, const QString& direccion, const QString& carpeta) {
    w.UrlBase = direccion;
    w.CarpetaDestino = carpeta;
    w.NombreModulo = QStringLiteral("Tarvelion");
    w.show();
}

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
        QTest::newRow("suma publicada") << "/suma-buena" << true << "Terminado"
                                        << "";
        // Refusals: a clear message, nothing installed, the download removed.
        QTest::newRow("404") << "/falta" << false << ""
                             << "respondió con un error: 404 Not Found";
        QTest::newRow("cortada") << "/corto" << false << ""
                                 << "incompleta: se recibieron";
        QTest::newRow("cortada sin tamano") << "/cortosintamano" << false << ""
                                            << "incompleto";
        QTest::newRow("rechazada") << "http://127.0.0.1:9" << false << ""
                                   << "rechazó la conexión";
        QTest::newRow("vacia") << "/vacio" << false << ""
                               << "no envió ningún dato";
        QTest::newRow("pagina html") << "/html" << false << ""
                                     << "no es un programa";
        QTest::newRow("archivo") << "file:///usr/bin" << false << ""
                                 << "no es una dirección http ni https";
        QTest::newRow("otro esquema") << "ftp://127.0.0.1/x" << false << ""
                                      << "no es una dirección http ni https";
        QTest::newRow("suma distinta") << "/suma-mala" << false << ""
                                       << "no coincide con su suma de control";
        QTest::newRow("suma ilegible") << "/suma-rota" << false << ""
                                       << "500 Internal Server Error";
        QTest::newRow("servidor mudo") << "/mudo" << false << ""
                                       << "no envió datos durante 0.3 segundos";
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
        // Short only where the silence is the point, so a busy machine fails no other row.
        w.EsperaMaxima = carpeta == QLatin1String("/mudo") ? 300 : 10000;
        Prepara(w, carpeta.contains(QLatin1String("://")) ? carpeta : web.Base() + carpeta,
                destino.path());
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
            QVERIFY(grabadora->cajas[0].texto.endsWith(
                QString::fromUtf8("No se instaló la nueva versión.")));
            QVERIFY(!QFile::exists(w.eDestino->text()));
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
            Prepara(w, web.Base() + QLatin1String(ruta), destino.path());
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
                QVERIFY(progreso.last().endsWith(
                    QStringLiteral(" bytes de %1 bytes.").arg(web.cuerpo.size())));
                QVERIFY(maximos.contains(web.cuerpo.size()));
            } else {
                QVERIFY(progreso.last().endsWith(QStringLiteral(" bytes.")));
                QVERIFY(!progreso.last().contains(QStringLiteral(" de ")));
                QVERIFY(!maximos.contains(web.cuerpo.size()));
            }
            QFile::remove(destino.filePath(QStringLiteral("instalar.sh")));
        }
    }

    // "Cancelar" answers during the transfer: the download stops, its file is removed,
    // nothing is installed and the window closes (which ends the program).
    void cancelarDuranteLaDescarga() {
        GrabadoraInstalada grabadora;
        ServidorWeb web;
        QTemporaryDir destino;
        CarpetaSistema = destino.path();
        TfUMainWU w;
        Prepara(w, web.Base() + QStringLiteral("/lento"), destino.path());
        bool habilitado = false;
        QTimer espia;
        connect(&espia, &QTimer::timeout, this, [&] {
            if (!w.lblSize->text().contains(QStringLiteral(" bytes de ")))
                return;
            espia.stop();
            habilitado = w.btnCancel->isEnabled();
            QTest::mouseClick(w.btnCancel, Qt::LeftButton);
        });
        espia.start(10);
        QElapsedTimer reloj;
        reloj.start();
        QTest::mouseClick(w.btnGO, Qt::LeftButton);
        QVERIFY(habilitado);
        QVERIFY(reloj.elapsed() < 20000);
        QVERIFY(!w.isVisible());
        QVERIFY(TerminacionSolicitada);
        QVERIFY(grabadora->cajas.isEmpty());
        QVERIFY(!QFile::exists(w.eDestino->text()));
        QVERIFY(!QFile::exists(destino.filePath(QStringLiteral("instalar.sh"))));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // "Transfiriendo: " and the size are painted on screen before the bytes count on; without
    // a size the bar stands still (no busy animation).
    void textosPintados() {
        GrabadoraInstalada grabadora;
        ServidorWeb web;
        QTemporaryDir destino;
        CarpetaSistema = destino.path();
        for (const char* ruta : {"/conocido", "/sintamano"}) {
            TfUMainWU w;
            Prepara(w, web.Base() + QLatin1String(ruta), destino.path());
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            TextosPintados pintados(w.lblSize);
            QTest::mouseClick(w.btnGO, Qt::LeftButton);
            QVERIFY(pintados.textos.contains(
                QStringLiteral("Un momento por favor, puede tomar algunos minutos ...")));
            if (QLatin1String(ruta) == QLatin1String("/conocido")) {
                QVERIFY2(pintados.textos.contains(
                             QStringLiteral("Transfiriendo: %1").arg(web.cuerpo.size())),
                         qPrintable(pintados.textos.join('|')));
            } else {
                QVERIFY(w.ProgressBar1->maximum() > w.ProgressBar1->minimum());
                QCOMPARE(w.ProgressBar1->value(), 0);
            }
            QFile::remove(destino.filePath(QStringLiteral("instalar.sh")));
        }
    }

    // HTTPS through Qt's TLS backend, against a certificate made for the test.
    void descargaSegura() {
        QTemporaryDir claves;
        const QString cert = claves.filePath(QStringLiteral("cert.pem"));
        const QString llave = claves.filePath(QStringLiteral("llave.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                       "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", llave,
                       "-out", cert});
        QVERIFY(openssl.waitForFinished(60000));
        QCOMPARE(openssl.exitCode(), 0);
        QFile fc(cert), fk(llave);
        QVERIFY(fc.open(QIODevice::ReadOnly) && fk.open(QIODevice::ReadOnly));
        const QSslCertificate certificado(&fc, QSsl::Pem);
        auto* tls = new QSslServer;
        QSslConfiguration servidor = QSslConfiguration::defaultConfiguration();
        servidor.setLocalCertificate(certificado);
        servidor.setPrivateKey(QSslKey(&fk, QSsl::Rsa, QSsl::Pem));
        tls->setSslConfiguration(servidor);
        // The workstation trusts the test's certificate as it trusts the registry's.
        const QSslConfiguration previa = QSslConfiguration::defaultConfiguration();
        QSslConfiguration cliente = previa;
        cliente.addCaCertificate(certificado);
        QSslConfiguration::setDefaultConfiguration(cliente);

        GrabadoraInstalada grabadora;
        ServidorWeb web(tls);
        QTemporaryDir destino;
        CarpetaSistema = destino.path();
        TfUMainWU w;
        Prepara(w, web.Base("https") + QStringLiteral("/suma-buena"), destino.path());
        QTest::mouseClick(w.btnGO, Qt::LeftButton);
        QSslConfiguration::setDefaultConfiguration(previa);
        QVERIFY2(QFile::exists(destino.filePath(QStringLiteral("instalar.sh"))),
                 qPrintable(grabadora->Textos().join('|')));
        QFile bajado(w.eDestino->text());
        QVERIFY(bajado.open(QIODevice::ReadOnly));
        QCOMPARE(bajado.readAll(), web.cuerpo);
        QFile::remove(destino.filePath(QStringLiteral("instalar.sh")));
    }

    // The package check on its own: the platform's formats, a foreign format, cut copies.
    void revisionDelEjecutable() {
        using Instalador::Formato;
        const QByteArray elf = Programa();
        QCOMPARE(Instalador::RevisaEjecutable(elf, Formato::Elf), QString());
        QVERIFY(!Instalador::RevisaEjecutable(elf.left(elf.size() - 1), Formato::Elf).isEmpty());
        QVERIFY(!Instalador::RevisaEjecutable(elf.left(64), Formato::Elf).isEmpty());
        QVERIFY(!Instalador::RevisaEjecutable(elf, Formato::Pe).isEmpty());
        // A minimal PE: the MZ stub, "PE", one section whose raw data lies in the file.
        QByteArray pe(0x200, '\0');
        pe.replace(0, 2, "MZ");
        pe[0x3C] = 0x40;
        pe.replace(0x40, 4, QByteArray("PE\0\0", 4));
        pe[0x46] = 1; // one section
        pe[0x54] = 0; // no optional header
        const int seccion = 0x40 + 24;
        pe[seccion + 16] = 0x10; // SizeOfRawData
        pe[seccion + 21] = 0x01; // PointerToRawData 0x100
        QCOMPARE(Instalador::RevisaEjecutable(pe, Formato::Pe), QString());
        QVERIFY(!Instalador::RevisaEjecutable(pe.left(0x105), Formato::Pe).isEmpty());
        QVERIFY(!Instalador::RevisaEjecutable(pe, Formato::Elf).isEmpty());
        QCOMPARE(Instalador::RevisaSuma(elf, Sha256(elf).toUpper() + "  x\n"), QString());
        QVERIFY(!Instalador::RevisaSuma(elf, "abc").isEmpty());
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
