#include "gui/views/TDisplayPicture.h"

#include "gui/views/TPaneHost.h"
#include "model/TDefBase.h"
#include "views/HostLayouts.h"

TDisplayPicture::TDisplayPicture(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayPicture(def, CharWidth(), LineHeight()));
}
