#pragma once

#include "model/TNamedElements.h"
#include "script/TNameIndex.h"

#include <cstddef>
#include <string_view>
#include <vector>

class TDefBase;
class TDefinedArray;
class TMessageLog;

// The sorted index of every element a script or a field type can name, and its look-ups. Refers
// to elements; the definition array owns them. Build completes a loaded design with the
// built-ins and type resolution (TTypeResolver) and the used-by analysis (TScriptAnalysis).
class TNameTable final : public TNamedElements {
public:
    class Parser;

    explicit TNameTable(TDefinedArray& defs) : defs(defs) {}
    TNameTable(const TNameTable&) = delete;
    TNameTable& operator=(const TNameTable&) = delete;

    // Appends the element to the definition array (which owns it and gives it its index) and
    // to this table.
    TDefBase* Add(TDefBase* element) override;
    // The first element in table order with this key; the owner is matched by identity.
    TDefBase* Find(std::string_view name, const TDefBase* owner, int kind) const;
    // The first element in table order with this name, whatever its owner and kind.
    TDefBase* FindAnyClass(std::string_view name) const;
    // Empty for kinds without a class name.
    static std::string_view ClassName(int kind);
    // Forgets every element; deletes nothing.
    void Clear();

    // The completion pass after loading: the built-ins, type resolution, then the used-by
    // analysis. Throws TInternalError when a built-in's owner is missing; the later steps then
    // do not run.
    void Build(TMessageLog& log);

    // Makes look-ups independent of the table's size until the next Add.
    void Freeze();
    const TNameIndex& Index() const { return index; }
    const TDefinedArray& Definitions() const { return defs; }

    // In table order.
    const std::vector<TDefBase*>& Elements() const { return index.Elements(); }
    size_t Count() const { return Elements().size(); }

private:
    TDefinedArray& defs;
    TNameIndex index;
};
