#include "script/UnusedElements.h"

#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TDefList.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"
#include "script/TNameTable.h"

#include <algorithm>
#include <unordered_set>

namespace {

bool IsCandidate(int kind)
{
    return kind == kinds::Picture || kind == kinds::PlanPicture || kind == kinds::Field ||
           kind == kinds::Group || kind == kinds::Record || kind == kinds::Choice;
}

// The element that shows the picture, so the picture needs no user of its own.
bool HasHostElement(const TDefBase& element)
{
    if (!kinds::IsPictureKind(element.kind) || !element.owner)
        return false;
    const int owner = element.owner->kind;
    return owner == kinds::Table || owner == kinds::Report || owner == kinds::List ||
           kinds::IsChart(owner);
}

// The plan pictures the lists draw, by folded name: a list's REFERENCE names one, letter case
// aside.
std::unordered_set<std::string> PlansOfLists(const TDefinedArray& defs)
{
    std::unordered_set<std::string> plans;
    for (const auto& e : defs)
        if (const auto* list = dynamic_cast<const TDefList*>(e.get()))
            plans.insert(names::Folded(list->planRef));
    return plans;
}

} // namespace

namespace unused {

std::vector<const TDefBase*> UnusedElements(const TDefinedArray& defs)
{
    const std::unordered_set<std::string> plans = PlansOfLists(defs);
    std::vector<const TDefBase*> found;
    for (const auto& e : defs)
        if (IsCandidate(e->kind) && !e->IsUsed() && !HasHostElement(*e) &&
            !(e->kind == kinds::PlanPicture && plans.count(names::Folded(e->name))))
            found.push_back(e.get());
    std::stable_sort(found.begin(), found.end(), [](const TDefBase* a, const TDefBase* b) {
        const int byClass = TNameTable::ClassName(a->kind).compare(TNameTable::ClassName(b->kind));
        if (byClass != 0)
            return byClass < 0;
        return names::Compare(a->name, b->name) < 0;
    });
    return found;
}

std::string UnusedText(const std::vector<const TDefBase*>& elements)
{
    std::string text;
    for (const TDefBase* e : elements)
        text.append(TNameTable::ClassName(e->kind)).append("\t").append(e->Title()).append("\n");
    return text;
}

} // namespace unused
