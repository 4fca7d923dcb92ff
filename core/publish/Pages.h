#pragma once

#include <cstddef>
#include <string>

class TDatabase;
class TOwnerIndex;
namespace graph {
struct TFocusCache;
}
namespace compare {
class TUnits;
}

// The pages of the site, each made whole as a text, from the same data the windows show.
namespace publish {

class TPageNames;

struct TSite {
    const TDatabase& db;
    const compare::TUnits& units;
    const TPageNames& pages;
    const TOwnerIndex& owned; // of the design's array, for the panes that show parts
    // Kept from one picture's focused diagram to the next, which then costs about its part alone.
    graph::TFocusCache& focus;
};

// The database name, links to the other pages, the counts of elements by category and the
// structure outline, its leaves linked to their elements' pages.
std::string IndexPage(const TSite& site);
// The unit's title, its definition as its pane shows it, what uses it and what it uses, and for a
// picture its focused diagram of depth 1.
std::string UnitPage(const TSite& site, size_t unit);
// The index of names as --index gives it, with a filter box that works where script runs.
std::string NamesPage(const TSite& site);
// The messages of the load, a line that names an element linked to its page.
std::string MessagesPage(const TSite& site);
// The relationships diagram, each box a link to its picture's page.
std::string DiagramPage(const TSite& site);
// The one stylesheet: the colour scheme's default colours, light and dark.
std::string StyleSheet();

} // namespace publish
