#include "model/TDefBase.h"

#include "model/Kinds.h"
#include "model/Numbers.h"
#include "model/TControlGed.h"
#include "model/TDefField.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "model/TLoadContext.h"
#include "model/TMessageLog.h"
#include "model/TNamedElements.h"
#include "model/TScriptList.h"
#include "model/TUsedSet.h"

TDefBase::TDefBase(int kind, std::string name, TDefBase* owner)
    : kind(kind), name(std::move(name)), owner(owner), context(owner)
{
}

TDefBase::~TDefBase() = default;

bool TDefBase::IsUsed() const
{
    return users && !users->empty();
}

TUsedSet& TDefBase::Users()
{
    if (!users)
        users = std::make_unique<TUsedSet>();
    return *users;
}

TScriptList& TDefBase::Pieces()
{
    if (!pieces)
        pieces = std::make_unique<TScriptList>();
    return *pieces;
}

bool TDefBase::IsOwnedBy(int ofKind, const TDefBase* element) const
{
    return kind == ofKind && owner == element;
}

std::string TDefBase::TypeName() const
{
    return {};
}

const std::string& TDefBase::Title() const
{
    if (!title)
        title = std::make_unique<const std::string>(MakeTitle());
    return *title;
}

std::string TDefBase::MakeTitle() const
{
    switch (kind) {
    case kinds::Group:
        return "Group " + name;
    case kinds::Record:
        return "Record " + name;
    case kinds::Choice:
        return "Choice " + name;
    default:
        return name;
    }
}

bool TDefBase::PaneKind(TPaneKind& pane) const
{
    if (kind == kinds::Choice) {
        pane = TPaneKind::Choice;
        return true;
    }
    if (kind == kinds::Group || kind == kinds::Record) {
        pane = TPaneKind::Fields;
        return true;
    }
    return false;
}

void TDefBase::Display(TDisplayHost& host, bool onlyActivate) const
{
    if (host.ActivateDefinition(*this) || onlyActivate)
        return;
    TPaneKind pane;
    if (PaneKind(pane))
        host.OpenDefinition(*this, pane);
}

// Groups, records and choices.
void TDefBase::Read(TLoadContext& rc)
{
    TControlGed& ged = rc.ged;
    rc.Next();
    while (ged.level > 0) {
        switch (ged.tagCode) {
        case tags::Ignored:
            rc.Next();
            break;
        case tags::Cache:
            cacheSize = numbers::ReadUnsigned(ged.value);
            rc.Next();
            break;
        case kinds::EditPanel:
            rc.defs.Add(new TDefPicture(kinds::EditPanel, ged.xref, ged.value, this))->Read(rc);
            break;
        case kinds::Field:
            if (ged.value.size() <= TDefField::kTypeLimit) {
                rc.names.Add(new TDefField(ged.xref, ged.value, this))->Read(rc);
            } else {
                rc.log.Line("Type " + ged.value + " too long -- field ignored in TDefBase::Read()");
                rc.Next();
            }
            break;
        case kinds::Picture:
            rc.names.Add(new TDefPicture(kinds::Picture, ged.xref, ged.value, this))->Read(rc);
            break;
        case kinds::PlanPicture:
            rc.names.Add(new TDefPicture(kinds::PlanPicture, ged.xref, ged.value, nullptr))
                ->Read(rc);
            break;
        case kinds::Word:
            if (ged.value.size() <= kWordLimit)
                rc.names.Add(new TDefBase(kinds::Word, ged.value, this));
            else
                rc.log.Line("Word " + ged.value +
                            " too long -- choice ignored in TDefBase::Read()");
            rc.Next();
            break;
        default:
            rc.NotHandled();
            rc.Next();
            break;
        }
    }
}
