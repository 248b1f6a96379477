// The main window: a maximised multiple-document frame from which every window is opened.
#pragma once

#include <QMainWindow>

class QMdiArea;

class TfPrinc : public QMainWindow {
    Q_OBJECT
public:
    explicit TfPrinc(QWidget* padre = nullptr);
    ~TfPrinc() override;

    QMdiArea* Marco() const { return marco_; }
    // The main window of the session (null before it is created).
    static TfPrinc* Instancia();

private:
    QMdiArea* marco_;
};
