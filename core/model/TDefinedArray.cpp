#include "model/TDefinedArray.h"

#include "model/TDefBase.h"

TDefinedArray::TDefinedArray() = default;
TDefinedArray::~TDefinedArray() = default;

TDefBase* TDefinedArray::Add(TDefBase* element)
{
    element->index = static_cast<int>(elements.size());
    elements.emplace_back(element);
    return element;
}

void TDefinedArray::RemoveLast()
{
    elements.pop_back();
}

bool TDefinedArray::Holds(const TDefBase* element) const
{
    return element && element->index >= 0 && static_cast<size_t>(element->index) < Count() &&
           At(static_cast<size_t>(element->index)) == element;
}

TDefBase* TDefinedArray::FindTitled(const std::string& title) const
{
    for (const auto& e : elements)
        if (e->Title() == title)
            return e.get();
    return nullptr;
}

void TDefinedArray::Clear()
{
    elements.clear();
}
