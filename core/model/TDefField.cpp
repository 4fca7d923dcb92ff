#include "model/TDefField.h"

#include "model/Kinds.h"
#include "model/TControlGed.h"
#include "model/TLoadContext.h"
#include "model/TMessageLog.h"
#include "model/TScriptList.h"

TDefField::TDefField(std::string name, std::string fieldType, TDefBase* owner)
    : TDefBase(kinds::Field, std::move(name), owner), fieldType(std::move(fieldType))
{
    pieces = std::make_unique<TScriptList>();
}

void TDefField::Read(TLoadContext& rc)
{
    TControlGed& ged = rc.ged;
    rc.Next();
    if (ged.level == 2 && ged.tagCode == tags::Tag) {
        gedcomTag = ged.value.substr(0, kGedcomTagLimit);
        if (ged.value.size() > kGedcomTagLimit)
            rc.log.Line("GEDCOM tag [" + ged.value + "] truncated");
        rc.Next();
        return;
    }
    rc.log.Line("Tag missing from field " + name);
}

std::string TDefField::MakeTitle() const
{
    return owner ? owner->name + " Field " + name : name;
}

void TDefField::Display(TDisplayHost& host, bool) const
{
    host.ShowError("TDefField::Display shouldn't be called", "Internal Error");
}
