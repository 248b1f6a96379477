// The developer account's free query console: a statement typed by hand, run on the session's
// connection through the same dialect layer as the program's own, its rows in a grid and the
// grid exported to a semicolon-delimited file. Child window of the main frame, one instance.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class Grilla;
class QPlainTextEdit;
class QToolButton;

// The statement the console sends: the typed lines in order, without the blank ones and those
// that start with "--" once trimmed, each kept as typed.
QStringList LineasAvanzadas(const QString& texto);
// Whether it is opened as a query: the first six characters of the first typed line (whatever
// that line is), upper-cased and trimmed, read "SELECT". Otherwise it runs as a command.
bool EsConsultaAvanzada(const QString& texto);

class TfAvanzada : public QWidget {
    Q_OBJECT
public:
    explicit TfAvanzada(QWidget* padre = nullptr);

    QPlainTextEdit* mTexto;
    QToolButton* sbEjecuta;
    QToolButton* SpeedButton1; // export
    Grilla* DBGrid1;

    void sbEjecutaClick();
    void SpeedButton1Click();
};

inline QPointer<TfAvanzada> fAvanzada;
