// Update window.
#include "app/TfUMainWU.h"

#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/Instalador.h"
#include "common/Errores.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

TfUMainWU::TfUMainWU(QWidget* padre)
    : QDialog(padre), lblSize(new QLabel(QStringLiteral("progreso de la descarga:"), this)),
      ProgressBar1(new QProgressBar(this)), Label1(new QLabel(QStringLiteral("Destino:"), this)),
      eDestino(new QLineEdit(this)), Label2(new QLabel(QStringLiteral("Origen:"), this)),
      eOrigen(new QLineEdit(this)), Label3(new QLabel(QStringLiteral("Nuevas\nutilidades"), this)),
      mUtiles(new QPlainTextEdit(this)),
      btnCancel(new QPushButton(QStringLiteral("Cancelar"), this)),
      btnGO(new QPushButton(QStringLiteral("Actualizar ahora"), this)) {
    setObjectName(QStringLiteral("fUMainWU"));
    setWindowTitle(QString::fromUtf8("Actualización del sistema"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    for (auto [w, n] :
         std::initializer_list<std::pair<QWidget*, const char*>>{{lblSize, "lblSize"},
                                                                 {ProgressBar1, "ProgressBar1"},
                                                                 {eDestino, "eDestino"},
                                                                 {eOrigen, "eOrigen"},
                                                                 {mUtiles, "mUtiles"},
                                                                 {btnCancel, "btnCancel"},
                                                                 {btnGO, "btnGO"}})
        w->setObjectName(QString::fromLatin1(n));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    eDestino->setReadOnly(true);
    eOrigen->setReadOnly(true);
    mUtiles->setReadOnly(true);
    mUtiles->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(btnGO, &QPushButton::clicked, this, &TfUMainWU::btnGoClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* rejilla = new QGridLayout(this);
    rejilla->addWidget(lblSize, 0, 0, 1, 2);
    rejilla->addWidget(ProgressBar1, 1, 0, 1, 2);
    rejilla->addWidget(Label1, 2, 0);
    rejilla->addWidget(eDestino, 2, 1);
    rejilla->addWidget(Label2, 3, 0);
    rejilla->addWidget(eOrigen, 3, 1);
    rejilla->addWidget(Label3, 4, 0, Qt::AlignTop);
    rejilla->addWidget(mUtiles, 4, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnGO);
    botones->addWidget(btnCancel);
    rejilla->addLayout(botones, 5, 0, 1, 2);
    resize(520, 270);
    setMaximumHeight(270);
}

void TfUMainWU::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    eOrigen->setText(UrlBase + QLatin1Char('/') + NombreModulo + QStringLiteral(".vrk"));
    eDestino->setText(CarpetaDestino + QDir::separator() + NombreModulo + QStringLiteral(".vrk"));
    mUtiles->setFocus();
}

bool TfUMainWU::Descarga() {
    const QUrl origen(eOrigen->text());
    const QString esquema = origen.scheme().toLower();
    // Only the registry's web server may hand out the program: a file or any other address
    // kind would install whatever it names.
    if ((esquema != QLatin1String("http") && esquema != QLatin1String("https")) ||
        origen.host().isEmpty()) {
        MuestraError(QString::fromUtf8("La dirección de la actualización «%1» no es una "
                                       "dirección http ni https.\n\nNo se instaló la nueva "
                                       "versión.")
                         .arg(eOrigen->text()));
        return false;
    }
    QFile archivo(eDestino->text());
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        MuestraError(QStringLiteral("No se pudo crear el archivo %1.\n%2")
                         .arg(eDestino->text(), archivo.errorString()));
        return false;
    }
    cancelado_ = false;
    QString error = Transfiere(origen, archivo, true).error;
    archivo.close();
    if (error.isEmpty() && !cancelado_)
        error = RevisaDescarga(origen);
    if (cancelado_ || !error.isEmpty()) {
        // A refused or cancelled package never stays where the installer would take it.
        QFile::remove(eDestino->text());
        if (!cancelado_)
            MuestraError(error + QString::fromUtf8("\n\nNo se instaló la nueva versión."));
        return false;
    }
    return true;
}

QString TfUMainWU::RevisaDescarga(const QUrl& origen) {
    QFile archivo(eDestino->text());
    if (!archivo.open(QIODevice::ReadOnly))
        return QStringLiteral("No se pudo leer el archivo %1.\n%2")
            .arg(eDestino->text(), archivo.errorString());
    const QByteArray contenido = archivo.readAll();
    archivo.close();
    if (const QString falla = Instalador::RevisaEjecutable(contenido, Instalador::FormatoPropio());
        !falla.isEmpty())
        return falla;
    // The sum beside the package, when the server publishes one (404: not published).
    QUrl suma = origen;
    suma.setPath(origen.path() + QStringLiteral(".sha256"));
    QBuffer publicado;
    publicado.open(QIODevice::WriteOnly);
    const Resultado r = Transfiere(suma, publicado, false);
    if (cancelado_)
        return {};
    if (r.estado == 404)
        return {};
    if (!r.error.isEmpty())
        return QString::fromUtf8("No se pudo leer la suma de control publicada de la "
                                 "actualización.\n") +
               r.error;
    return Instalador::RevisaSuma(contenido, publicado.data());
}

TfUMainWU::Resultado TfUMainWU::Transfiere(const QUrl& url, QIODevice& destino, bool conProgreso) {
    QNetworkAccessManager red;
    QNetworkRequest pedido(url);
    pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                        QNetworkRequest::NoLessSafeRedirectPolicy);
    pedido.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    pedido.setRawHeader("Accept", "text/html, */*");
    pedido.setRawHeader("User-Agent", AgenteUsuario());
    progreso_ = {};
    vencido_ = false;
    respuesta_ = red.get(pedido);
    QNetworkReply* r = respuesta_;
    // A server that stops sending ends the transfer instead of holding the window forever.
    silencio_.setSingleShot(true);
    silencio_.setInterval(EsperaMaxima);
    connect(&silencio_, &QTimer::timeout, r, [this, r] {
        vencido_ = true;
        r->abort();
    });
    silencio_.start();
    if (conProgreso)
        connect(r, &QNetworkReply::metaDataChanged, this, [this, r] { EmpiezaTransferencia(r); });
    connect(r, &QNetworkReply::readyRead, this,
            [this, r, &destino, conProgreso] { RecibeDatos(r, destino, conProgreso); });
    // Redirect answers carry their own length; the size counts from the final answer.
    connect(r, &QNetworkReply::redirected, this, [this] {
        progreso_.empezado = false;
        silencio_.start();
    });
    QEventLoop espera;
    connect(r, &QNetworkReply::finished, &espera, &QEventLoop::quit);
    // The window keeps answering the user: "Cancelar", Esc and the close box stop the transfer.
    if (!r->isFinished())
        espera.exec();
    silencio_.stop();
    silencio_.disconnect();

    Resultado resultado;
    resultado.estado = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    resultado.error = ErrorDeRed(*r);
    const bool incompleta = progreso_.anunciado >= 0 && progreso_.recibido < progreso_.anunciado;
    if (!cancelado_ && r->error() == QNetworkReply::RemoteHostClosedError && incompleta)
        resultado.error.clear(); // the server hung up early: said below with the counts
    if (resultado.error.isEmpty() && !cancelado_) {
        if (!progreso_.escrito)
            resultado.error = QStringLiteral("No se pudo escribir el archivo %1.\n%2")
                                  .arg(eDestino->text(), destino.errorString());
        else if (incompleta)
            resultado.error =
                QString::fromUtf8("La descarga terminó incompleta: se recibieron %1 de %2 bytes.")
                    .arg(progreso_.recibido)
                    .arg(progreso_.anunciado);
    }
    return resultado;
}

void TfUMainWU::EmpiezaTransferencia(QNetworkReply* r) {
    if (progreso_.empezado)
        return;
    progreso_.empezado = true;
    const QVariant largo = r->header(QNetworkRequest::ContentLengthHeader);
    progreso_.anunciado = largo.isValid() ? largo.toLongLong() : -1;
    // Without a size the bar stands still at 0 (a zero maximum would turn it into a busy bar).
    const qint64 maximo = progreso_.anunciado > 0 ? progreso_.anunciado : 100;
    ProgressBar1->setRange(0, int(std::min<qint64>(maximo, INT_MAX)));
    ProgressBar1->setValue(0);
    if (progreso_.anunciado > 0) {
        lblSize->setText(QStringLiteral("Transfiriendo: %1").arg(progreso_.anunciado));
        lblSize->repaint();
    }
}

void TfUMainWU::RecibeDatos(QNetworkReply* r, QIODevice& destino, bool conProgreso) {
    silencio_.start();
    if (conProgreso)
        EmpiezaTransferencia(r);
    const QByteArray datos = r->readAll();
    progreso_.escrito = progreso_.escrito && destino.write(datos) == datos.size();
    progreso_.recibido += datos.size();
    if (!conProgreso)
        return;
    if (progreso_.anunciado <= 0) {
        lblSize->setText(QStringLiteral("%1 bytes.").arg(progreso_.recibido));
    } else {
        lblSize->setText(QStringLiteral("%1 bytes de %2 bytes.")
                             .arg(progreso_.recibido)
                             .arg(ProgressBar1->maximum()));
        ProgressBar1->setValue(int(std::min<qint64>(progreso_.recibido, ProgressBar1->maximum())));
    }
}

QString TfUMainWU::ErrorDeRed(QNetworkReply& r) const {
    if (r.error() == QNetworkReply::NoError || cancelado_)
        return {};
    const int estado = r.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (estado >= 400)
        return QString::fromUtf8("El servidor de actualizaciones respondió con un error: %1 %2.")
            .arg(QString::number(estado),
                 r.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    QString texto;
    if (vencido_)
        texto = QString::fromUtf8("El servidor de actualizaciones no envió datos durante %1 "
                                  "segundos; la descarga se interrumpió.")
                    .arg(EsperaMaxima / 1000.0);
    else
        switch (r.error()) {
        case QNetworkReply::ConnectionRefusedError:
            texto = QString::fromUtf8("El servidor de actualizaciones rechazó la conexión.");
            break;
        case QNetworkReply::HostNotFoundError:
            texto = QString::fromUtf8("No se encontró el servidor de actualizaciones.");
            break;
        case QNetworkReply::RemoteHostClosedError:
            texto = QString::fromUtf8("El servidor de actualizaciones cerró la conexión antes "
                                      "de terminar.");
            break;
        case QNetworkReply::TimeoutError:
            texto = QString::fromUtf8("El servidor de actualizaciones no respondió a tiempo.");
            break;
        case QNetworkReply::SslHandshakeFailedError:
            texto = QString::fromUtf8("No se pudo establecer una conexión segura (https) con el "
                                      "servidor de actualizaciones.");
            break;
        default:
            texto = QString::fromUtf8("No se pudo descargar la actualización.");
        }
    return texto + QStringLiteral("\n(") + r.errorString() + QLatin1Char(')');
}

void TfUMainWU::btnGoClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    btnGO->setEnabled(false);
    // "Cancelar" stays usable during the transfer: it stops it and ends the program.
    btnCancel->setEnabled(true);
    lblSize->setText(QStringLiteral("Un momento por favor, puede tomar algunos minutos ..."));
    lblSize->repaint();
    bool completa = false;
    try {
        completa = Descarga();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        btnGO->setEnabled(true);
        throw;
    }
    QApplication::restoreOverrideCursor();
    if (cancelado_)
        return;
    btnGO->setEnabled(true);
    btnCancel->setEnabled(false);
    // A download that failed or was refused is never installed; the window stays open.
    if (!completa)
        return;
    lblSize->setText(QStringLiteral("Terminado"));
    ProgressBar1->setValue(0);
    QString falla;
    try {
        Instalador::InstalarNuevaVersion(CarpetaSistema, NombreModulo);
    } catch (const ErrorTarvelion& e) {
        falla = e.Texto();
    }
    Mensajes::Muestra(QString::fromUtf8("Actualización"), Mensajes::Icono::Informacion,
                      QString::fromUtf8("Se instaló la nueva versión del sistema !"));
    Arranque::SolicitaTerminacion();
    if (!falla.isEmpty())
        MuestraError(falla);
}

void TfUMainWU::done(int resultado) {
    if (respuesta_ && respuesta_->isRunning()) {
        cancelado_ = true;
        respuesta_->abort();
    }
    Arranque::SolicitaTerminacion();
    QDialog::done(resultado);
}

void MuestraActualizacion(const QString& nroVersion, const QString& direccion,
                          const QString& novedades) {
    TfUMainWU ventana;
    ventana.setWindowTitle(QStringLiteral("Actualización de 'Tarvelion' versión ") + nroVersion);
    ventana.mUtiles->setPlainText(novedades);
    ventana.UrlBase = direccion;
    ventana.CarpetaDestino = CarpetaSistema;
    ventana.NombreModulo = QStringLiteral("Tarvelion");
    Ventanas::MuestraModal(ventana);
}
