#include "gui/views/TChildWindow.h"

#include "gui/support/THelpContext.h"

#include <QEvent>
#include <QMdiArea>

TChildWindow::TChildWindow(const QString& caption, TChildKey key, int helpContext) : key(key)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    THelpContext::Set(this, helpContext);
}

TChildWindow::~TChildWindow()
{
    Q_EMIT Leaving(this);
}

void TChildWindow::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    // A new style leaves a minimised window that is not the active one marked active; activating
    // it then deactivates the active window and announces no new one, and the commands stay
    // those of the window that was active.
    if (event->type() == QEvent::StyleChange && (windowState() & Qt::WindowActive) && mdiArea() &&
        mdiArea()->activeSubWindow() != this)
        overrideWindowState(windowState() & ~Qt::WindowActive);
}
