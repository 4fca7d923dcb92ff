#include "gui/views/TDisplayList.h"

#include "gui/views/TPaneHost.h"
#include "model/TDefList.h"
#include "views/HostLayouts.h"

TDisplayList::TDisplayList(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayList(static_cast<const TDefList&>(def), CharWidth(), LineHeight()));
}
