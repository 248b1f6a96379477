// Support mail window.
#include "services/TfCorreo.h"

#include "common/Errores.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"
#include "services/CorreoSoporte.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfCorreo::TfCorreo(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("fCorreo"));
    setWindowTitle(QStringLiteral("Enviar mail al equipo de desarrollo"));
    Label1 = new QLabel(QString::fromUtf8("Escriba sus dudas, comentarios y sugerencias acerca "
                                          "de\neste módulo, en breve recibirá respuesta por parte "
                                          "nuestra."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    eDireccion = new QLineEdit(this);
    eDireccion->setObjectName(QStringLiteral("eDireccion"));
    eDireccion->setMaxLength(80);
    eAsunto = new QLineEdit(this);
    eAsunto->setObjectName(QStringLiteral("eAsunto"));
    eAsunto->setMaxLength(80);
    eComentario = new QPlainTextEdit(this);
    eComentario->setObjectName(QStringLiteral("eComentario"));
    eComentario->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    eComentario->setTabChangesFocus(true);
    RxGIF = new QProgressBar(this);
    RxGIF->setObjectName(QStringLiteral("RxGIF"));
    RxGIF->setRange(0, 0);
    RxGIF->setTextVisible(false);
    RxGIF->setMaximumWidth(90);
    RxGIF->hide();
    lEstado = new QLabel(this);
    lEstado->setObjectName(QStringLiteral("lEstado"));
    BitBtn1 = new QPushButton(QStringLiteral("Enviar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("Cerrar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    auto* campos = new QGridLayout;
    campos->addWidget(new QLabel(QString::fromUtf8("DE: (dirección e-mail de respuesta)"), this), 0,
                      0);
    campos->addWidget(eDireccion, 1, 0);
    campos->addWidget(new QLabel(QStringLiteral("ASUNTO:"), this), 2, 0);
    campos->addWidget(eAsunto, 3, 0);
    campos->addWidget(new QLabel(QStringLiteral("COMENTARIOS:"), this), 4, 0);
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(RxGIF);
    abajo->addWidget(lEstado, 1);
    abajo->addWidget(BitBtn1);
    abajo->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Label1);
    todo->addLayout(campos);
    todo->addWidget(eComentario, 1);
    todo->addLayout(abajo);
    setTabOrder(eDireccion, eAsunto);
    setTabOrder(eAsunto, eComentario);
    setTabOrder(eComentario, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    connect(BitBtn1, &QPushButton::clicked, this, &TfCorreo::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
    resize(520, 440);
}

void TfCorreo::Estado(const QString& texto) {
    // The exchange runs here, on the window's thread: each step is painted as it starts.
    lEstado->setText(texto);
    lEstado->repaint();
    RxGIF->repaint();
}

void TfCorreo::BitBtn1Click() {
    const QString titulo = QStringLiteral("Enviar mail");
    if (eDireccion->text().trimmed().isEmpty()) {
        Mensajes::Muestra(titulo, Mensajes::Icono::Informacion,
                          QString::fromUtf8("Debe escribir una dirección de respuesta !"));
        return;
    }
    if (eAsunto->text().trimmed().isEmpty()) {
        Mensajes::Muestra(titulo, Mensajes::Icono::Informacion,
                          QStringLiteral("Debe escribir un ASUNTO ..."));
        return;
    }
    Estado(QStringLiteral("Un momento por favor ..."));
    // Each send is a message of its own: nothing of an earlier one goes along.
    const MensajeCorreo m{eDireccion->text().trimmed(), eAsunto->text(),
                          LineasCuerpo(eComentario->toPlainText()), QDateTime::currentDateTime()};
    QString falla;
    {
        Ventanas::CursorEspera espera;
        BitBtn1->setEnabled(false);
        RxGIF->show();
        try {
            EnviaCorreo(LeeAjustesCorreo(), m, [this](PasoCorreo paso) {
                switch (paso) {
                case PasoCorreo::Conectando:
                    Estado(QStringLiteral("Conectando con el servidor ..."));
                    break;
                case PasoCorreo::Autenticando:
                    Estado(QString::fromUtf8("Autenticando contraseña ..."));
                    break;
                case PasoCorreo::Enviando:
                    Estado(QStringLiteral("Enviando mail ..."));
                    break;
                }
            });
        } catch (const ErrorTarvelion& e) {
            falla = e.Texto();
        }
        Estado(QStringLiteral("Desconectando del servidor ..."));
        RxGIF->hide();
        BitBtn1->setEnabled(true);
    }
    if (!falla.isEmpty()) {
        // The texts typed stay in the window for another try; the status says it failed.
        Estado(QString::fromUtf8("No se envió el mensaje."));
        MuestraError(falla);
        return;
    }
    Mensajes::Muestra(titulo, Mensajes::Icono::Informacion,
                      QString::fromUtf8("Su mensaje ha sido enviado,\nen breve recibirá una "
                                        "respuesta ..."));
    lEstado->clear();
}
