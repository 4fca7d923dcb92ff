#include "views/TDisplayChoice.h"

#include "model/TDatabase.h"
#include "views/FormLayouts.h"
#include "views/TPaneHost.h"

TDisplayChoice::TDisplayChoice(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayChoice(def, host.Database().Definitions(), CharWidth(), LineHeight()));
}
