#include "export/SaveAsText.h"

#include "export/TOutline.h"
#include "export/TSelectionTree.h"
#include "export/TTextContext.h"
#include "model/TDatabase.h"
#include "model/TDefBase.h"

#include <sstream>

bool SaveAsTextDocument(TDatabase& db, unsigned quickBits, std::ostream& out, TDisplayHost& host)
{
    TOutline outline;
    outline.Fill(db.Definitions(), db.Name());
    TSelectionTree tree(outline, db.Definitions());
    tree.ApplyQuickSelection(quickBits);
    if (!tree.AnythingChecked())
        return false;
    tree.WriteChecked(out, db.Name(), host);
    return true;
}

void CopyElementText(TDefinedArray& defs, TDefBase& element, std::ostream& out, TDisplayHost& host)
{
    defs.ClearMarks();
    TTextContext context(defs, host);
    element.AsText(out, 0, context);
}

bool CopyText(TDatabase& db, const std::string& title, std::string& out, TDisplayHost& host)
{
    TDefBase* element = db.Definitions().FindTitled(title);
    if (!element)
        return false;
    std::ostringstream text;
    CopyElementText(db.Definitions(), *element, text, host);
    out += text.str();
    return true;
}
