#include "gui/views/TDisplayChoice.h"

#include "gui/views/TPaneHost.h"
#include "load/TDatabase.h"
#include "views/FormLayouts.h"

TDisplayChoice::TDisplayChoice(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayChoice(def, host.Database().Definitions(), CharWidth(), LineHeight()));
}
