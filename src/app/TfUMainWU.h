// The update window: downloads the published executable over HTTP with its progress, and
// installs it through a script that runs after the program has exited. Closing it, in any way,
// ends the program.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QNetworkReply;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

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
    // Downloads eOrigen into eDestino; true when the whole body arrived. Errors are shown.
    bool Descarga();

    QPointer<QNetworkReply> respuesta_;
};

// Opens the update window for a published version that differs from the program's.
void MuestraActualizacion(const QString& nroVersion, const QString& direccion,
                          const QString& novedades);
