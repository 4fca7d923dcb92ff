#include "model/TDefPicture.h"

#include "model/Kinds.h"
#include "model/TControlGed.h"
#include "model/TLoadContext.h"
#include "script/TScriptList.h"

TDefPicture::TDefPicture(int kind, std::string name, std::string script, TDefBase* owner)
    : TDefBase(kind, std::move(name), owner), script(std::move(script))
{
    pieces = std::make_unique<TScriptList>();
}

void TDefPicture::Read(TLoadContext& rc)
{
    TControlGed& ged = rc.ged;
    rc.Next();
    while (ged.tagCode == tags::Cont) {
        script += '\n';
        script += ged.value;
        rc.Next();
    }
    Wrap(script);
}

void TDefPicture::Wrap(std::string& s)
{
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    const size_t n = s.size();
    size_t count = 0;
    size_t lastSpace = std::string::npos;
    for (size_t i = 0; i < n; ++i) {
        if (isSpace(s[i]))
            lastSpace = i;
        if (i + 1 < n && s[i + 1] == '\n') {
            count = 0;
            lastSpace = std::string::npos;
        } else {
            ++count;
        }
        if (count > kWrapWidth && lastSpace != std::string::npos) {
            s[lastSpace] = '\n';
            count = i - lastSpace;
            lastSpace = std::string::npos;
        }
    }
}

std::string TDefPicture::MakeTitle() const
{
    switch (kind) {
    case kinds::PlanPicture:
        return "Plan picture script " + name;
    case kinds::EditPanel:
        return (owner ? owner->name : std::string()) + " Edit panel " + name;
    case kinds::Filter:
        return (owner ? owner->name : std::string()) + " Filter script" + name;
    default:
        break;
    }
    if (!owner)
        return name;
    switch (owner->kind) {
    case kinds::Table:
        return owner->TypeName() + " Table " + owner->name + " " + name;
    case kinds::Report:
        return owner->TypeName() + " Report " + owner->name + " " + name;
    case kinds::Choice:
        return name;
    default:
        return owner->name + " picture script " + name;
    }
}

bool TDefPicture::PaneKind(TPaneKind& pane) const
{
    pane = TPaneKind::Picture;
    return true;
}
