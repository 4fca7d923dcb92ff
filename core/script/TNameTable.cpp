#include "script/TNameTable.h"

#include "model/Kinds.h"
#include "model/TDefinedArray.h"

#include <iterator>

namespace {
// The class names shown for elements, by kind code 0 to 54; most codes have none.
struct ClassNameTable {
    std::string_view names[55] = {};
    constexpr ClassNameTable()
    {
        names[kinds::Choice] = "Choice";
        names[kinds::Field] = "Field";
        names[kinds::Group] = "Group";
        names[kinds::Picture] = "Picture";
        names[kinds::PlanPicture] = "Plan Picture";
        names[kinds::Record] = "Record";
        names[kinds::Word] = "Word";
        names[kinds::Alias] = "Alias";
        names[kinds::Variable] = "Variable";
        names[kinds::BuiltIn] = "Built in";
    }
};
constexpr ClassNameTable kClassNames;
} // namespace

TDefBase* TNameTable::Add(TDefBase* element)
{
    defs.Add(element);
    index.Add(element);
    return element;
}

void TNameTable::Clear()
{
    index.Clear();
}

TDefBase* TNameTable::Find(std::string_view name, const TDefBase* owner, int kind) const
{
    return index.FindIn(index.NameRange(name), owner, kind);
}

TDefBase* TNameTable::FindAnyClass(std::string_view name) const
{
    return index.First(index.NameRange(name));
}

std::string_view TNameTable::ClassName(int kind)
{
    if (kind < 0 || kind >= static_cast<int>(std::size(kClassNames.names)))
        return {};
    return kClassNames.names[kind];
}

void TNameTable::Freeze()
{
    index.Freeze(defs);
}
