// The update window: downloads the published executable over HTTP or HTTPS with its progress,
// makes sure it is a whole program of this platform (and matches its published SHA-256 when the
// server offers one), and installs it through a script that runs after the program has exited.
// Closing it, in any way, ends the program; closing it during the download cancels it.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>

class QLabel;
class QLineEdit;
class QNetworkReply;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QIODevice;
class QUrl;

class TfUMainWU : public QDialog {
    Q_OBJECT
public:
    explicit TfUMainWU(QWidget* padre = nullptr);

    // Set by the opener before showing the window.
    QString UrlBase;
    QString CarpetaDestino;
    QString NombreModulo;

    QLabel* lblSize;
    QProgressBar* ProgressBar1;
    QLabel* Label1;
    QLineEdit* eDestino;
    QLabel* Label2;
    QLineEdit* eOrigen;
    QLabel* Label3;
    QPlainTextEdit* mUtiles;
    QPushButton* btnCancel;
    QPushButton* btnGO;

    // Milliseconds without a byte from the server that end a download with an error.
    int EsperaMaxima = 30000;

    // The request headers the registry's web server expects.
    static QByteArray AgenteUsuario() {
        return "Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 4.0)";
    }

public Q_SLOTS:
    void btnGoClick();
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    // Downloads eOrigen into eDestino and checks it; true when it may be installed. A refusal
    // is shown and removes the file; a cancelled download removes it silently.
    bool Descarga();
    // The reason the package may not be installed, or an empty text.
    QString RevisaDescarga(const QUrl& origen);

    // One GET into `destino`; the error text (empty on success) and the HTTP status.
    struct Resultado {
        QString error;
        int estado = 0;
    };
    Resultado Transfiere(const QUrl& url, QIODevice& destino, bool conProgreso);
    void EmpiezaTransferencia(QNetworkReply* r);
    void RecibeDatos(QNetworkReply* r, QIODevice& destino, bool conProgreso);
    QString ErrorDeRed(QNetworkReply& r) const;

    // What the running transfer has seen.
    struct Progreso {
        qint64 anunciado = -1; // Content-Length of the final answer, -1 when not sent
        qint64 recibido = 0;
        bool escrito = true;
        bool empezado = false;
    };
    Progreso progreso_;
    bool cancelado_ = false;
    bool vencido_ = false;
    QTimer silencio_;
    QPointer<QNetworkReply> respuesta_;
};

// Opens the update window for a published version that differs from the program's.
void MuestraActualizacion(const QString& nroVersion, const QString& direccion,
                          const QString& novedades);
