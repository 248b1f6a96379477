// The list of the registry's users (table Usuarios) for those who administer them: read once
// when the window opens, sortable by a title click, not editable. Child window, one instance.
#pragma once

#include <QPointer>
#include <QWidget>

class Grilla;
class QLabel;
class QStatusBar;

class TfUsuarios : public QWidget {
    Q_OBJECT
public:
    explicit TfUsuarios(QWidget* padre = nullptr);

    Grilla* DBGrid1;
    QStatusBar* StatusBar1;

    void RefrescaListaUsers();

private:
    QLabel* cuenta_;
};

inline QPointer<TfUsuarios> fUsuarios;
