#include "views/TDisplayPicture.h"

#include "model/TDefBase.h"
#include "views/HostLayouts.h"
#include "views/TPaneHost.h"

TDisplayPicture::TDisplayPicture(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayPicture(def, CharWidth(), LineHeight()));
}
