#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TDefBase;
class TNameTable;

// What the index of elements and the used-by lists show, row by row, and the text their Copy
// gives. The desktop lists and stemlook-text both read it. Rows refer to the elements' own texts:
// they live as long as the loaded design.
namespace lists {

// The small picture in front of a row.
enum class TMark {
    None,
    Page, // an alias, variable or built-in
    Info, // the built-in "internal use", in a used-by list
};

struct TIndexRow {
    std::string_view name;
    std::string_view className; // empty for kinds without a class name
    std::string_view owner;     // the context element's name; empty when there is none
    TMark mark = TMark::None;
};

struct TUsedRow {
    std::string_view text; // the user's display name
    TMark mark = TMark::None;
};

// What the mark says, for a screen reader, which sees no picture; empty for none.
std::string_view MarkText(TMark mark);

// Whether Definition opens a user from a used-by list: a built-in (the program's own use) has
// nothing to open.
bool OpensFromUsedBy(const TDefBase& user);

// How many characters of a cell the index's copy keeps.
constexpr size_t kCellLimit = 49;

// The row of an element of the name table.
TIndexRow IndexRow(const TDefBase& element);
// The row of an element that uses the listed one.
TUsedRow UsedRow(const TDefBase& user);

// "Name\tClass\tOwner", an empty line, then one line of tab-separated cells per element in table
// order, each cell cut to kCellLimit characters. Lines end in "\n".
std::string IndexCopyText(const TNameTable& names);
// One line per user of the element, in set order, with its whole display name; empty when
// nothing uses it. Lines end in "\n".
std::string UsedByCopyText(const TDefBase& element);

} // namespace lists
