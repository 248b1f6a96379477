// The support mail through a real SMTP server on 127.0.0.1 (aiosmtpd, started by the test):
// the message as an independent MIME parser reads it (headers, reply-to, UTF-8 body with the
// facts ahead of the text), login and STARTTLS, a fresh message on every send, and the
// refused login, refused recipient, unreachable server and timeout each ending in Spanish with
// the texts still in the window.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Aperturas.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "services/CorreoSoporte.h"
#include "services/TfCorreo.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// Debian's interpreter, where python3-aiosmtpd is installed (not any other on the PATH).
const QString kPython = QStringLiteral("/usr/bin/python3");

// The Python test server, with the options given; stopped with the object.
class ServidorSmtp {
public:
    explicit ServidorSmtp(const QStringList& opciones) {
        const QString puerto = carpeta_.filePath(QStringLiteral("puerto"));
        QDir(carpeta_.path()).mkdir(QStringLiteral("buzon"));
        proceso_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proceso_.start(kPython,
                       QStringList{QFINDTESTDATA("servidor_smtp.py"), QStringLiteral("--puerto"),
                                   puerto, QStringLiteral("--buzon"), Buzon()} +
                           opciones);
        for (int i = 0; i < 300 && !QFile::exists(puerto); ++i)
            QTest::qWait(50);
        QFile f(puerto);
        if (f.open(QIODevice::ReadOnly))
            puerto_ = f.readAll().toInt();
    }
    ~ServidorSmtp() {
        proceso_.closeWriteChannel();
        if (!proceso_.waitForFinished(5000))
            proceso_.kill();
    }
    int Puerto() const { return puerto_; }
    QString Buzon() const { return carpeta_.filePath(QStringLiteral("buzon")); }
    QList<QJsonObject> Mensajes() const {
        QList<QJsonObject> m;
        for (const QString& n :
             QDir(Buzon()).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
            QFile f(QDir(Buzon()).filePath(n));
            f.open(QIODevice::ReadOnly);
            m << QJsonDocument::fromJson(f.readAll()).object();
        }
        return m;
    }

private:
    QTemporaryDir carpeta_;
    QProcess proceso_;
    int puerto_ = 0;
};

} // namespace

class TstCorreo : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    // [CORREO] for the test server, after the session's own INI lines.
    void Ajusta(int puerto, const QString& clave, int segundos = 10, const QString& ca = {}) {
        QFile ini(ArchivoIni);
        QVERIFY(ini.open(QIODevice::Append));
        ini.write(QStringLiteral("[CORREO]\r\nServidor=127.0.0.1\r\nPuerto=%1\r\nCuenta=soporte\r\n"
                                 "Clave=%2\r\nRemitente=tarvelion@prueba.bo\r\nEquipo=equipo@"
                                 "prueba.bo\r\nSegundos=%3\r\nCertificadoCA=%4\r\n")
                      .arg(puerto)
                      .arg(clave)
                      .arg(segundos)
                      .arg(ca)
                      .toUtf8());
    }
    static void Escribe(TfCorreo& c, const QString& direccion, const QString& asunto,
                        const QString& texto) {
        c.eDireccion->setText(direccion);
        c.eAsunto->setText(asunto);
        c.eComentario->setPlainText(texto);
    }
    static bool Espera(const ServidorSmtp& s, int n) {
        for (int i = 0; i < 200 && s.Mensajes().size() < n; ++i)
            QTest::qWait(25);
        return s.Mensajes().size() == n;
    }

private Q_SLOTS:
    void initTestCase() {
        QProcess py;
        py.start(kPython, {QStringLiteral("-c"), QStringLiteral("import aiosmtpd")});
        py.waitForFinished();
        if (py.exitCode() != 0)
            QFAIL("falta python3-aiosmtpd (scripts/dependencias.sh lo instala)");
    }
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("ana"), QStringLiteral("x"), QStringLiteral("BEN"),
                     {QStringLiteral("PSi_Lee")});
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("ana"), QStringLiteral("x"));
        datos_->LeePerfil();
    }
    void cleanup() {
        delete fCorreo.data();
        delete datos_;
        delete base_;
    }

    // The two checks, in their order.
    void verificaciones() {
        GrabadoraInstalada g;
        AbreCorreo();
        QVERIFY(fCorreo);
        QCOMPARE(fCorreo->windowTitle(), QStringLiteral("Enviar mail al equipo de desarrollo"));
        Escribe(*fCorreo, QStringLiteral("   "), QString(), QStringLiteral("hola"));
        fCorreo->BitBtn1->click();
        Escribe(*fCorreo, QStringLiteral("ana@correo.bo"), QStringLiteral("  "),
                QStringLiteral("hola"));
        fCorreo->BitBtn1->click();
        QCOMPARE(g->Textos(), (QStringList{QString::fromUtf8("Debe escribir una dirección de "
                                                             "respuesta !"),
                                           QStringLiteral("Debe escribir un ASUNTO ...")}));
        QCOMPARE(g->cajas.first().titulo, QStringLiteral("Enviar mail"));
    }

    // With a login: the message as it arrives, then a second one from the same window that
    // carries only its own lines.
    void envio() {
        ServidorSmtp servidor({QStringLiteral("--usuario"), QStringLiteral("soporte"),
                               QStringLiteral("--clave"), QStringLiteral("s3cr'eto")});
        QVERIFY(servidor.Puerto() > 0);
        Ajusta(servidor.Puerto(), QStringLiteral("s3cr'eto"));
        GrabadoraInstalada g;
        AbreCorreo();
        TfCorreo& c = *fCorreo;
        const QString texto =
            QString::fromUtf8("Señor, el año pasado la guía 'Nº 5'; DROP TABLE Guias--\n"
                              "no imprimió.\n\n.\nGracias");
        Escribe(c, QStringLiteral("ana@correo.bo"),
                QString::fromUtf8("Impresión de guías\r\nBcc: otro@x.bo"), texto);
        c.BitBtn1->click();
        QCOMPARE(g->Textos(), QStringList{QString::fromUtf8("Su mensaje ha sido enviado,\nen "
                                                            "breve recibirá una respuesta ...")});
        QVERIFY(c.lEstado->text().isEmpty());
        QVERIFY(Espera(servidor, 1));
        const QJsonObject m = servidor.Mensajes().first();
        const QJsonObject h = m[QStringLiteral("cabeceras")].toObject();
        QVERIFY(m[QStringLiteral("autenticado")].toBool());
        QCOMPARE(m[QStringLiteral("de")].toString(), QStringLiteral("tarvelion@prueba.bo"));
        QCOMPARE(m[QStringLiteral("para")].toArray().size(), 1);
        QCOMPARE(m[QStringLiteral("para")].toArray().first().toString(),
                 QStringLiteral("equipo@prueba.bo"));
        QCOMPARE(h[QStringLiteral("From")].toString(),
                 QStringLiteral("GRAN MORAVEL <tarvelion@prueba.bo>"));
        QCOMPARE(h[QStringLiteral("Sender")].toString(), QStringLiteral("tarvelion@prueba.bo"));
        QCOMPARE(h[QStringLiteral("To")].toString(), QStringLiteral("equipo@prueba.bo"));
        QCOMPARE(h[QStringLiteral("Reply-To")].toString(), QStringLiteral("ana@correo.bo"));
        // The line break in the subject does not start a header of its own.
        QCOMPARE(h[QStringLiteral("Subject")].toString(),
                 QString::fromUtf8("Impresión de guías  Bcc: otro@x.bo"));
        QVERIFY(!h.contains(QStringLiteral("Bcc")));
        QCOMPARE(m[QStringLiteral("juego")].toString(), QStringLiteral("utf-8"));
        const QStringList cuerpo = m[QStringLiteral("cuerpo")]
                                       .toString()
                                       .remove(QLatin1Char('\r'))
                                       .split(QLatin1Char('\n'));
        QVERIFY2(cuerpo.size() >= 13, qPrintable(cuerpo.join(QLatin1Char('|'))));
        QVERIFY(cuerpo[0].startsWith(QStringLiteral("PC.....: ")));
        QVERIFY(cuerpo[1].startsWith(QStringLiteral("SO.....: ")));
        QVERIFY(cuerpo[2].startsWith(QStringLiteral("Id SO..: ")));
        QCOMPARE(cuerpo[3], QStringLiteral("MODULO.: ") + QCoreApplication::applicationName());
        QVERIFY(cuerpo[4].startsWith(QStringLiteral("VERSION: ")));
        QCOMPARE(cuerpo[5], QStringLiteral("USUARIO: ana"));
        QCOMPARE(cuerpo[6], QStringLiteral("DISTRIT: BEN"));
        QCOMPARE(cuerpo[7], QStringLiteral("---------------------"));
        QCOMPARE(cuerpo.mid(8, 5).join(QLatin1Char('\n')), texto);

        Escribe(c, QStringLiteral("ana@correo.bo"), QStringLiteral("Otra"), QString());
        c.BitBtn1->click();
        QVERIFY(Espera(servidor, 2));
        QString segundo = servidor.Mensajes()[1][QStringLiteral("cuerpo")].toString();
        QVERIFY2(!segundo.contains(QStringLiteral("DROP")), qPrintable(segundo));
        QCOMPARE(segundo.count(QStringLiteral("USUARIO: ")), 1);
        // An empty comment: the eight lines and an empty last one.
        QCOMPARE(segundo.remove(QLatin1Char('\r')).split(QLatin1Char('\n')).value(8), QString());
    }

    // STARTTLS when the server offers it, the server's certificate checked against the CA of
    // the settings; the steps told in their order.
    void starttls() {
        QTemporaryDir claves;
        const QString cert = claves.filePath(QStringLiteral("cert.pem"));
        const QString clave = claves.filePath(QStringLiteral("clave.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                       QStringLiteral("rsa:2048"), QStringLiteral("-nodes"),
                       QStringLiteral("-keyout"), clave, QStringLiteral("-out"), cert,
                       QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                       QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                       QStringLiteral("subjectAltName=IP:127.0.0.1")});
        QVERIFY(openssl.waitForFinished(60000));
        QCOMPARE(openssl.exitCode(), 0);
        ServidorSmtp servidor({QStringLiteral("--tls"), cert, clave});
        QVERIFY(servidor.Puerto() > 0);
        AjustesCorreo a;
        a.servidor = QStringLiteral("127.0.0.1");
        a.puerto = servidor.Puerto();
        a.cuenta.clear();
        a.remitente = QStringLiteral("tarvelion@prueba.bo");
        a.equipo = QStringLiteral("equipo@prueba.bo");
        a.certificadoCA = cert;
        QList<PasoCorreo> pasos;
        EnviaCorreo(a,
                    {QStringLiteral("ana@correo.bo"), QStringLiteral("TLS"),
                     LineasCuerpo(QStringLiteral("x")), QDateTime::currentDateTime()},
                    [&](PasoCorreo p) { pasos << p; });
        QCOMPARE(pasos, (QList<PasoCorreo>{PasoCorreo::Conectando, PasoCorreo::Autenticando,
                                           PasoCorreo::Enviando}));
        QVERIFY(Espera(servidor, 1));
        QVERIFY(servidor.Mensajes().first()[QStringLiteral("tls")].toBool());
    }

    // Each failure ends with its Spanish text, the status saying the message was not sent (not
    // left at "Desconectando del servidor ..."), and what was typed still in the window.
    void fallas_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("texto");
        QTest::newRow("contraseña rechazada") << "clave"
                                              << "rechazó la cuenta soporte";
        QTest::newRow("destinatario rechazado") << "destinatario"
                                                << "rechazó la dirección del equipo";
        QTest::newRow("servidor inalcanzable") << "cerrado"
                                               << "No se pudo conectar";
        QTest::newRow("sin respuesta") << "mudo"
                                       << "no respondió en 1 segundos";
    }
    void fallas() {
        QFETCH(QString, caso);
        QFETCH(QString, texto);
        std::unique_ptr<ServidorSmtp> servidor;
        QTcpServer mudo;
        int puerto = 0;
        if (caso == QLatin1String("clave") || caso == QLatin1String("destinatario")) {
            servidor = std::make_unique<ServidorSmtp>(
                QStringList{QStringLiteral("--usuario"), QStringLiteral("soporte"),
                            QStringLiteral("--clave"), QStringLiteral("buena"),
                            QStringLiteral("--rechaza"), QStringLiteral("equipo@prueba.bo")});
            puerto = servidor->Puerto();
            Ajusta(puerto, caso == QLatin1String("clave") ? QStringLiteral("mala")
                                                          : QStringLiteral("buena"));
        } else if (caso == QLatin1String("cerrado")) {
            QTcpServer libre;
            QVERIFY(libre.listen(QHostAddress::LocalHost));
            puerto = libre.serverPort();
            libre.close();
            Ajusta(puerto, QString());
        } else {
            // Accepts the connection and never greets.
            QVERIFY(mudo.listen(QHostAddress::LocalHost));
            Ajusta(mudo.serverPort(), QString(), 1);
        }
        GrabadoraInstalada g;
        AbreCorreo();
        TfCorreo& c = *fCorreo;
        Escribe(c, QStringLiteral("ana@correo.bo"), QStringLiteral("Asunto"),
                QString::fromUtf8("mi texto con ñ"));
        c.BitBtn1->click();
        QCOMPARE(g->Textos().size(), 1);
        QVERIFY2(g->Textos().first().contains(texto), qPrintable(g->Textos().first()));
        QVERIFY(!g->Textos().first().contains(QStringLiteral("buena")));
        QCOMPARE(c.lEstado->text(), QString::fromUtf8("No se envió el mensaje."));
        QCOMPARE(c.eComentario->toPlainText(), QString::fromUtf8("mi texto con ñ"));
        QCOMPARE(c.eAsunto->text(), QStringLiteral("Asunto"));
        QVERIFY(c.BitBtn1->isEnabled());
    }
};

TARVELION_PRUEBA_MAIN(TstCorreo)
#include "tst_correo.moc"
