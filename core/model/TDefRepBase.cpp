#include "model/TDefRepBase.h"

#include "model/Names.h"
#include "model/TControlGed.h"
#include "model/TLoadContext.h"
#include "model/TMessageLog.h"

TDefRepBase::TDefRepBase(int kind, std::string name) : TDefBase(kind, std::move(name), nullptr) {}

bool TDefRepBase::IsOwnedBy(int ofKind, const TDefBase* element) const
{
    return kind == ofKind && element && names::Equal(type, element->name);
}

void TDefRepBase::ReadType(TLoadContext& rc, const char* what)
{
    const std::string& value = rc.ged.value;
    type = value.substr(0, kTypeLimit);
    if (value.size() > kTypeLimit)
        rc.log.Line(std::string(what) + " type [" + value + "] truncated");
}
