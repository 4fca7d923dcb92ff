#pragma once

#include "export/TOwnerIndex.h"

#include <iosfwd>
#include <memory>
#include <span>
#include <string>

class TDefBase;
class TDefinedArray;
class TDisplayHost;

// What the text writers need beyond the element they write: the parts of any element, and the
// screen to report an element that has no writer. One per document or copy; it refers to the
// array and the host, which must outlive it.
class TTextContext {
public:
    TTextContext(const TDefinedArray& defs, TDisplayHost& host);
    ~TTextContext();

    // The elements the owner owns, in definition-array order; the index is built on first use,
    // so writing an element without parts costs nothing extra.
    std::span<TDefBase* const> Owned(const TDefBase& owner);
    TDisplayHost& Host() const { return host; }

    // As many tabs as the level's magnitude.
    static std::string Indent(int level);
    // Above level 0 the element's title on a line of its own, without indent.
    static void TitleLine(std::ostream& out, const TDefBase& element, int level);

private:
    const TDefinedArray& defs;
    TDisplayHost& host;
    std::unique_ptr<TOwnerIndex> owned;
};
