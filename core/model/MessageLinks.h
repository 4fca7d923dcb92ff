#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

class TDefBase;
class TDefinedArray;

// Which element a line of the messages log is about, so the messages window can open it.
namespace messages {

// The element the line names by its title or, for the lines that give a bare name, by its name
// and kind; the first in array order when several fit. Null when the line names none.
TDefBase* ElementNamedBy(std::string_view line, const TDefinedArray& defs);

// The same answers for many lines of one design, each found through indexes made once instead
// of a pass over the array. Refers to the array, which must outlive it and stay unchanged.
class TMessageLinks {
public:
    explicit TMessageLinks(const TDefinedArray& defs);
    TDefBase* ElementNamedBy(std::string_view line) const;

private:
    // The first element in array order of each title, and of each kind and name.
    std::unordered_map<std::string_view, TDefBase*> byTitle;
    std::unordered_map<std::string, TDefBase*> byKindAndName;
};

} // namespace messages
