#include "gui/support/TResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside every namespace and class.
static void InitStemlookResource()
{
    Q_INIT_RESOURCE(stemlook);
}

void TResources::Init()
{
    static const bool registered = (InitStemlookResource(), true);
    (void)registered;
}
