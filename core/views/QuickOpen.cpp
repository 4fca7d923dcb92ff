#include "views/QuickOpen.h"

#include "model/Names.h"
#include "model/Opening.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <algorithm>

namespace quickopen {

namespace {

// Which bytes make words, looked up rather than tested: the search asks for every byte.
struct TWordBytes {
    bool in[256] = {};
    constexpr TWordBytes()
    {
        for (int c = 0; c < 256; ++c)
            in[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c >= 0x80;
    }
    bool operator()(char c) const { return in[static_cast<unsigned char>(c)]; }
};
constexpr TWordBytes kInWord;

// Whether the normalized query's letters are in the folded title in order.
bool Contains(std::string_view folded, std::string_view normalized)
{
    size_t k = 0;
    for (size_t j = 0; j < folded.size() && k < normalized.size(); ++j)
        if (folded[j] == normalized[k])
            ++k;
    return k == normalized.size();
}

// Scores pack as whole words above word starts, so one comparison orders them; -1 is a state no
// placement reaches.
constexpr int64_t kWhole = int64_t{1} << 32;
constexpr int64_t kNone = -1;

// The best score over the placements, by dynamic programming over the title's bytes. After each
// byte, partial[k] is the best score of the placements of the first k letters in the bytes so
// far that leave the current word partly unmatched (or lie outside a word), covered[k] of those
// that matched every byte of the current word up to here. The work space is the caller's, so a
// search over many titles allocates once.
std::optional<TScore> ScoreWith(std::string_view title, std::string_view normalized,
                                std::vector<int64_t>& partial, std::vector<int64_t>& covered)
{
    const size_t m = normalized.size();
    partial.assign(m + 1, kNone);
    covered.assign(m + 1, kNone);
    partial[0] = 0;
    size_t reached = 0; // no placement has more letters yet
    const size_t n = title.size();
    for (size_t j = 0; j < n; ++j) {
        const bool inWord = kInWord(title[j]);
        const bool start = inWord && (j == 0 || !kInWord(title[j - 1]));
        const bool end = inWord && (j + 1 == n || !kInWord(title[j + 1]));
        const size_t top = std::min(reached + 1, m);
        if (start)
            for (size_t k = 0; k <= top; ++k) {
                covered[k] = std::max(partial[k], covered[k]);
                partial[k] = kNone;
            }
        const char folded = names::Fold(title[j]);
        // Downwards, so that the states k - 1 a letter is placed from are still those before
        // this byte.
        for (size_t k = top + 1; k-- > 0;) {
            int64_t skipPartial = partial[k];
            int64_t skipCovered = covered[k];
            // Skipping a byte of a word leaves that word partly matched.
            if (inWord) {
                skipPartial = std::max(skipPartial, skipCovered);
                skipCovered = kNone;
            }
            if (k > 0 && normalized[k - 1] == folded) {
                const int64_t gain = start ? 1 : 0;
                if (partial[k - 1] != kNone)
                    skipPartial = std::max(skipPartial, partial[k - 1] + gain);
                if (covered[k - 1] != kNone)
                    skipCovered = std::max(skipCovered, covered[k - 1] + gain);
                reached = std::max(reached, k);
            }
            partial[k] = skipPartial;
            covered[k] = skipCovered;
        }
        if (end)
            for (size_t k = 0; k <= top; ++k)
                if (covered[k] != kNone) {
                    partial[k] = std::max(partial[k], covered[k] + kWhole);
                    covered[k] = kNone;
                }
    }
    const int64_t score = std::max(partial[m], covered[m]);
    if (score == kNone)
        return std::nullopt;
    return TScore{static_cast<int>(score / kWhole), static_cast<int>(score % kWhole)};
}

} // namespace

std::string Normalized(std::string_view query)
{
    std::string normalized;
    normalized.reserve(query.size());
    for (char c : query)
        if (c != ' ')
            normalized.push_back(names::Fold(c));
    return normalized;
}

std::optional<TScore> Score(std::string_view title, std::string_view normalized)
{
    std::vector<int64_t> partial;
    std::vector<int64_t> covered;
    return ScoreWith(title, normalized, partial, covered);
}

bool RanksBefore(const TMatch& a, const TMatch& b)
{
    if (a.score.wholeWords != b.score.wholeWords)
        return a.score.wholeWords > b.score.wholeWords;
    if (a.score.wordStarts != b.score.wordStarts)
        return a.score.wordStarts > b.score.wordStarts;
    if (a.length != b.length)
        return a.length < b.length;
    return a.element < b.element;
}

TQuickIndex::TQuickIndex(const TDefinedArray& defs)
{
    for (const auto& element : defs) {
        if (OpeningOf(*element).action == TOpening::Nothing)
            continue;
        starts.push_back(folded.size());
        folded += element->Title();
        elements.push_back(element->index);
    }
    starts.push_back(folded.size());
    names::FoldInPlace(folded);
}

std::string_view TQuickIndex::Title(uint32_t entry) const
{
    return std::string_view(folded).substr(starts[entry], starts[entry + 1] - starts[entry]);
}

std::vector<TMatch> TQuickIndex::Search(std::string_view query, size_t limit)
{
    const std::string normalized = Normalized(query);
    std::vector<uint32_t> entries;
    if (!normalized.empty()) {
        // A title that holds the new letters in order holds those of a query they contain.
        if (!lastQuery.empty() && Contains(normalized, lastQuery)) {
            for (uint32_t entry : lastEntries)
                if (Contains(Title(entry), normalized))
                    entries.push_back(entry);
        } else {
            for (uint32_t entry = 0; entry < elements.size(); ++entry)
                if (Contains(Title(entry), normalized))
                    entries.push_back(entry);
        }
    }
    std::vector<TMatch> matches;
    matches.reserve(entries.size());
    std::vector<int64_t> partial;
    std::vector<int64_t> covered;
    for (uint32_t entry : entries) {
        const std::string_view title = Title(entry);
        matches.push_back(
            {elements[entry], *ScoreWith(title, normalized, partial, covered), title.size()});
    }
    lastQuery = normalized;
    lastEntries = std::move(entries);
    const size_t shown = std::min(limit, matches.size());
    std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(shown),
                      matches.end(), RanksBefore);
    matches.resize(shown);
    return matches;
}

} // namespace quickopen
