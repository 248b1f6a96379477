// The main window: a maximised multiple-document frame with the menu, the tool bar and the
// status bar, enabled by the user's rights. Every other window is opened from here.
#pragma once

#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolButton;

class TfPrinc : public QMainWindow {
    Q_OBJECT
public:
    explicit TfPrinc(QWidget* padre = nullptr);
    ~TfPrinc() override;

    QMdiArea* Marco() const { return marco_; }
    // The main window of the session (null before it is created).
    static TfPrinc* Instancia();

    // Menu "Archivo".
    QMenu* Archivo1;
    QAction* Usuarios1;
    QAction* Salir1;
    // Menu "GMA".
    QMenu* Dizorir1;
    QAction* Vacunaciones2;
    QAction* Guias1;
    QAction* Veterinarios1;
    QAction* Veterinarias1;
    QAction* Historial1;
    QAction* Emision1;
    QAction* Emision2;
    QAction* porprovincias1;
    // Menu "Útiles".
    QMenu* tiles1;
    QAction* Importar1;
    QAction* Enviarmail1;
    QAction* Cambiar1;
    QAction* Configuracin1;
    QAction* Avanzada1;
    QAction* Preguntasfrecuentes1;
    QAction* Webmoravel1;
    QAction* Descargar1;
    QAction* Acercade1;
    // Tool bar.
    QToolButton* sbVacunaciones;
    QToolButton* sbGuias;
    QToolButton* sbBuscando;
    QToolButton* sbVeterinarias;
    QToolButton* sbVeterinarios;
    QToolButton* SpeedButton9;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    // Status bar panels 0 to 5.
    QList<QLabel*> StatusBar1;

public Q_SLOTS:
    void Salir1Click();
    void Vacunaciones2Click();
    void Guias1Click();
    void sbBuscandoClick();
    void Webmoravel1Click();
    void Descargar1Click();
    void Acercade1Click();

private:
    void CreaMenu();
    void CreaBarraHerramientas();
    void CreaBarraEstado();
    void FormCreate();

    QMdiArea* marco_;
};
