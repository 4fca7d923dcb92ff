#include "gui/views/TChildWindow.h"

#include "gui/support/THelpContext.h"

TChildWindow::TChildWindow(const QString& caption, TChildKey key, int helpContext) : key(key)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    THelpContext::Set(this, helpContext);
}
