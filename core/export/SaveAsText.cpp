#include "export/SaveAsText.h"

#include "export/TOutline.h"
#include "export/TSelectionTree.h"
#include "export/TTextWriter.h"
#include "load/TDatabase.h"
#include "model/TDefBase.h"

#include <sstream>

bool SaveAsTextDocument(const TDatabase& db, unsigned quickBits, std::ostream& out,
                        TDisplayHost& host)
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

void CopyElementText(const TDefinedArray& defs, const TDefBase& element, std::ostream& out,
                     TDisplayHost& host)
{
    TTextWriter(defs, host).Write(out, element, 0);
}

bool CopyText(const TDatabase& db, const std::string& title, std::string& out, TDisplayHost& host)
{
    const TDefBase* element = db.Definitions().FindTitled(title);
    if (!element)
        return false;
    std::ostringstream text;
    CopyElementText(db.Definitions(), *element, text, host);
    out += text.str();
    return true;
}
