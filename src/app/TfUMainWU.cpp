// Update window.
#include "app/TfUMainWU.h"

#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/Instalador.h"
#include "common/Errores.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"

#include <QApplication>
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
    QFile archivo(eDestino->text());
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        MuestraError(QStringLiteral("No se pudo crear el archivo %1.\n%2")
                         .arg(eDestino->text(), archivo.errorString()));
        return false;
    }
    QNetworkAccessManager red;
    QNetworkRequest pedido{QUrl(eOrigen->text())};
    pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                        QNetworkRequest::NoLessSafeRedirectPolicy);
    pedido.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    pedido.setRawHeader("Accept", "text/html, */*");
    pedido.setRawHeader("User-Agent", AgenteUsuario());
    respuesta_ = red.get(pedido);
    QNetworkReply* r = respuesta_;

    qint64 anunciado = -1;
    qint64 recibido = 0;
    bool escrito = true;
    bool empezado = false;
    auto empieza = [&] {
        if (empezado)
            return;
        empezado = true;
        const QVariant largo = r->header(QNetworkRequest::ContentLengthHeader);
        anunciado = largo.isValid() ? largo.toLongLong() : -1;
        ProgressBar1->setValue(0);
        ProgressBar1->setMaximum(anunciado > 0 ? int(std::min<qint64>(anunciado, INT_MAX)) : 0);
        ProgressBar1->setMinimum(0);
        if (anunciado > 0)
            lblSize->setText(QStringLiteral("Transfiriendo: %1").arg(anunciado));
    };
    connect(r, &QNetworkReply::readyRead, this, [&] {
        empieza();
        const QByteArray datos = r->readAll();
        escrito = escrito && archivo.write(datos) == datos.size();
        recibido += datos.size();
        if (ProgressBar1->maximum() <= 0) {
            lblSize->setText(QStringLiteral("%1 bytes.").arg(recibido));
        } else {
            lblSize->setText(
                QStringLiteral("%1 bytes de %2 bytes.").arg(recibido).arg(ProgressBar1->maximum()));
            ProgressBar1->setValue(int(std::min<qint64>(recibido, ProgressBar1->maximum())));
        }
    });
    // Redirect answers carry their own length; the size counts from the final answer.
    connect(r, &QNetworkReply::redirected, this, [&] { empezado = false; });
    QEventLoop espera;
    connect(r, &QNetworkReply::finished, &espera, &QEventLoop::quit);
    if (!r->isFinished())
        espera.exec(QEventLoop::ExcludeUserInputEvents);

    QString error;
    if (r->error() != QNetworkReply::NoError)
        error = r->errorString();
    else if (!escrito)
        error = QStringLiteral("No se pudo escribir el archivo %1.\n%2")
                    .arg(eDestino->text(), archivo.errorString());
    else if (anunciado >= 0 && recibido < anunciado)
        error = QStringLiteral("La descarga terminó incompleta: se recibieron %1 de %2 bytes.")
                    .arg(recibido)
                    .arg(anunciado);
    r->deleteLater();
    archivo.close();
    if (!error.isEmpty()) {
        MuestraError(error);
        return false;
    }
    return true;
}

void TfUMainWU::btnGoClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    btnGO->setEnabled(false);
    btnCancel->setEnabled(false);
    lblSize->setText(QStringLiteral("Un momento por favor, puede tomar algunos minutos ..."));
    bool completa = false;
    try {
        completa = Descarga();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        btnGO->setEnabled(true);
        throw;
    }
    QApplication::restoreOverrideCursor();
    btnGO->setEnabled(true);
    // A download that failed or came short is never installed; the window stays open.
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
    if (respuesta_)
        respuesta_->abort();
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
