#include "model/TDefList.h"

#include "model/Kinds.h"
#include "model/Numbers.h"
#include "model/TControlGed.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "model/TLoadContext.h"
#include "model/TMessageLog.h"

namespace {
bool MethodCode(const std::string& value, int32_t& method)
{
    static constexpr const char* kMethods[] = {"index", "fill", "anctree", "desctree", "lines"};
    for (int32_t i = 0; i < 5; ++i)
        if (value == kMethods[i]) {
            method = i;
            return true;
        }
    return false;
}
} // namespace

TDefList::TDefList(uint32_t number) : TDefBase(kinds::List, std::string(), nullptr), number(number)
{
}

void TDefList::Read(TLoadContext& rc)
{
    TControlGed& ged = rc.ged;
    // Lines after a fifth "KEY" belong to that ignored key, not to the fourth.
    bool pastLastKey = false;
    rc.Next();
    while (ged.level > 0) {
        switch (ged.tagCode) {
        case tags::Ancestor: // a count nothing shows
            break;
        case tags::Base:
            baseValue = numbers::ReadUnsigned(ged.value);
            break;
        case tags::Generations:
            generations = numbers::ReadUnsigned(ged.value);
            break;
        case tags::Pin:
            pin = numbers::ReadUnsigned(ged.value);
            break;
        case tags::Size:
            size = numbers::ReadUnsigned(ged.value);
            break;
        case tags::Key:
        case tags::Expression:
        case tags::Direction:
            ReadKeyLine(rc, pastLastKey);
            break;
        case kinds::Filter:
            filter = static_cast<TDefPicture*>(
                rc.defs.Add(new TDefPicture(kinds::Filter, std::string(), ged.value, this)));
            filter->Read(rc);
            continue;
        case tags::Method:
            if (!MethodCode(ged.value, method))
                rc.log.Line("Unknown list method " + ged.value);
            break;
        case tags::Reference:
            planRef = ged.value.substr(0, kTextLimit);
            if (ged.value.size() > kTextLimit)
                rc.log.Line("List Plan ref. [" + ged.value + "] truncated");
            break;
        case tags::Type:
            ownerType = ged.value.substr(0, kTextLimit);
            if (ged.value.size() > kTextLimit)
                rc.log.Line("List owner [" + ged.value + "] truncated");
            break;
        default:
            rc.NotHandled();
            break;
        }
        rc.Next();
    }
    BuildName();
}

void TDefList::ReadKeyLine(TLoadContext& rc, bool& pastLastKey)
{
    const TControlGed& ged = rc.ged;
    if (ged.tagCode == tags::Key) {
        if (keyIndex + 1 < kKeyCount) {
            ++keyIndex;
        } else {
            pastLastKey = true;
            rc.NotHandled();
        }
    } else if (keyIndex < 0 || pastLastKey) {
        rc.NotHandled();
    } else if (ged.tagCode == tags::Expression) {
        keys[keyIndex].expression = ged.value;
    } else {
        keys[keyIndex].ascending = ged.value == "ascending";
    }
}

void TDefList::BuildName()
{
    if (method == AncTree || method == DescTree || method == LinesMethod)
        name = "List " + std::to_string(number) + ": Plan " + planRef;
    else
        name = "List " + std::to_string(number) + ": (" + ownerType + ")";
}

std::string TDefList::MakeTitle() const
{
    return name + " " + std::to_string(size) + " entries";
}

bool TDefList::PaneKind(TPaneKind& pane) const
{
    pane = TPaneKind::List;
    return true;
}
