#pragma once

#include <string>
#include <vector>

class TDefBase;
class TDefinedArray;

// The elements a designer may have left behind: pictures, plan pictures, fields, groups, records
// and choices that nothing uses. A picture of a table, report, list or chart counts as used by it,
// and so does the plan picture a list's REFERENCE names (letter case aside).
namespace unused {

// The unused elements by class name (as the index shows it), then name, then array order.
std::vector<const TDefBase*> UnusedElements(const TDefinedArray& defs);

// One line per element: its class name, a tab and its title; lines end in "\n".
std::string UnusedText(const std::vector<const TDefBase*>& elements);

} // namespace unused
