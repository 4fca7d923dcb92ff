// Build sits apart from the index it completes, so that the index does not depend on the steps
// that use it.
#include "script/TNameTable.h"

#include "script/TScriptAnalysis.h"
#include "script/TTypeResolver.h"

void TNameTable::Build(TMessageLog& log)
{
    TTypeResolver types(*this);
    types.InsertBuiltIns();
    types.ResolveTypes(log);
    TScriptAnalysis(*this).FindUses(log);
}
