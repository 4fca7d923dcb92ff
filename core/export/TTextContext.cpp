#include "export/TTextContext.h"

#include "model/TDefBase.h"

#include <ostream>

TTextContext::TTextContext(const TDefinedArray& defs, TDisplayHost& host) : defs(defs), host(host)
{
}

TTextContext::~TTextContext() = default;

std::span<TDefBase* const> TTextContext::Owned(const TDefBase& owner)
{
    if (!owned)
        owned = std::make_unique<TOwnerIndex>(defs);
    return owned->Owned(owner);
}

std::string TTextContext::Indent(int level)
{
    const int64_t depth = level < 0 ? -int64_t{level} : int64_t{level};
    return std::string(static_cast<size_t>(depth), '\t');
}

void TTextContext::TitleLine(std::ostream& out, const TDefBase& element, int level)
{
    if (level > 0)
        out << element.Title() << '\n';
}
