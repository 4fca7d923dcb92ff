#include "views/TDisplayList.h"

#include "model/TDefList.h"
#include "views/HostLayouts.h"
#include "views/TPaneHost.h"

TDisplayList::TDisplayList(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayList(static_cast<const TDefList&>(def), CharWidth(), LineHeight()));
}
