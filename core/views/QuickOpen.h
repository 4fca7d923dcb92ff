#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TDefinedArray;

// Quick Open: every element that opening shows something for, found by the letters of its title
// typed in order. A query matches a title when its letters, folded as names compare and with its
// spaces dropped, are a subsequence of the folded title. Among the ways the letters can be placed,
// the best is taken: most whole words first, then most letters on starts of words. A word is a
// run of ASCII letters, digits and bytes from 0x80; every other byte separates words. A whole
// word is one whose every byte is matched (which the increasing placement makes a run of
// consecutive letters of the query).
namespace quickopen {

struct TScore {
    int wholeWords = 0;
    int wordStarts = 0;
    friend bool operator==(const TScore&, const TScore&) = default;
};

// The query as titles are searched for it: folded, spaces dropped.
std::string Normalized(std::string_view query);

// The best score over the placements of the normalized query's letters in the title; none when
// they are not all in it in order. The empty query matches every title with a score of zero.
std::optional<TScore> Score(std::string_view title, std::string_view normalized);

struct TMatch {
    int element = -1; // the index in the definition array
    TScore score;
    size_t length = 0; // of the title, in bytes
};

// The order shown: more whole words, then more word starts, then the shorter title, then the
// earlier element.
bool RanksBefore(const TMatch& a, const TMatch& b);

// The titles of a design, folded once, and the last search's matches, so that a query that
// only adds letters searches just the titles the one before it matched. Keeps no reference to
// the design.
class TQuickIndex {
public:
    explicit TQuickIndex(const TDefinedArray& defs);

    size_t Count() const { return elements.size(); }
    // The best matches of the query, best first, at most limit of them. An empty query has none.
    std::vector<TMatch> Search(std::string_view query, size_t limit);
    // How many titles the last search matched.
    size_t MatchCount() const { return lastEntries.size(); }

private:
    std::string_view Title(uint32_t entry) const;

    std::string folded;
    // Entry e is folded[starts[e]] up to folded[starts[e + 1]], the title of element elements[e].
    std::vector<size_t> starts;
    std::vector<int> elements;
    std::string lastQuery; // normalized; empty before the first search
    std::vector<uint32_t> lastEntries;
};

} // namespace quickopen
