#include "views/TChildWindow.h"

#include "app/THelpContext.h"

TChildWindow::TChildWindow(const QString& caption, int id, int helpContext) : id(id)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    THelpContext::Set(this, helpContext);
}
