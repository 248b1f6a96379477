// Showing windows: modal dialogs through one replaceable entry point (tests drive the dialog
// instead of a person), and the one-instance rule for child windows of the main frame.
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QDialog;

namespace Ventanas {

using Manejador = std::function<int(QDialog&)>;

// Shows the dialog modally and returns its result (QDialog::exec by default).
int MuestraModal(QDialog& dialogo);

// The wait cursor while it lives: long work in a window.
class CursorEspera {
public:
    CursorEspera();
    ~CursorEspera();
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
};
// Installs a handler that receives every modal dialog instead (tests); returns the previous.
Manejador InstalaManejador(Manejador manejador);

// A dialog of fixed size: its layout's size, at least `minimo`, wide enough for its caption,
// with no maximise box.
void TamanoFijo(QDialog& dialogo, QSize minimo = {});

// Enter in `campo` presses `boton` when it is enabled, and nothing else (the searches'
// criterion fields).
void EnterPulsa(QWidget* campo, QAbstractButton* boton);

// The frame into which child windows are placed; set by the main window.
void FijaMarco(QMdiArea* marco);
QMdiArea* Marco();
// Sizes a child window's frame for a content of `contenido`, no larger than the frame.
void AjustaAlMarco(QMdiSubWindow& sub, QSize contenido);

// One window of a kind at a time: creates it when `ref` is null, else brings it to the front.
// The window frees itself on close, which clears `ref`.
template <class T, class... Args> T* AbreUnica(QPointer<T>& ref, Args&&... args) {
    if (!ref) {
        ref = new T(std::forward<Args>(args)...);
        ref->setAttribute(Qt::WA_DeleteOnClose);
        if (QMdiArea* marco = Marco()) {
            // The size the window asked for (filters and a useful number of rows), within the
            // frame.
            const QSize pedido = ref->testAttribute(Qt::WA_Resized) ? ref->size() : QSize();
            QMdiSubWindow* sub = marco->addSubWindow(ref);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            sub->setWindowIcon(ref->windowIcon());
            if (pedido.isValid())
                AjustaAlMarco(*sub, pedido);
        }
    }
    QWidget* arriba = ref->parentWidget() && qobject_cast<QMdiSubWindow*>(ref->parentWidget())
                          ? ref->parentWidget()
                          : static_cast<QWidget*>(ref.data());
    arriba->show();
    arriba->raise();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(arriba); sub && Marco())
        Marco()->setActiveSubWindow(sub);
    else
        arriba->activateWindow();
    return ref;
}

} // namespace Ventanas
