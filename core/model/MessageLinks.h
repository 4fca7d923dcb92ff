#pragma once

#include <string_view>

class TDefBase;
class TDefinedArray;

// Which element a line of the messages log is about, so the messages window can open it.
namespace messages {

// The element the line names by its title or, for the lines that give a bare name, by its name
// and kind; the first in array order when several fit. Null when the line names none.
TDefBase* ElementNamedBy(std::string_view line, const TDefinedArray& defs);

} // namespace messages
