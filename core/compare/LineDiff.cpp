#include "compare/LineDiff.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <unordered_map>

namespace linediff {

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const size_t length = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

namespace {

using Index = std::ptrdiff_t;

// Myers' search for a shortest edit script in linear space: each step finds the middle snake of a
// range and splits the range there. Marks the lines of either side that the script removes or adds.
class TSearch {
public:
    TSearch(const std::vector<uint32_t>& x, const std::vector<uint32_t>& y,
            std::vector<char>& xChanged, std::vector<char>& yChanged)
        : x(x), y(y), xChanged(xChanged), yChanged(yChanged), forward(x.size() + y.size() + 3),
          backward(x.size() + y.size() + 3), offset(static_cast<Index>(y.size()) + 1)
    {
        // Below 256 steps every script stays shortest, which covers the edits people make. Past
        // it a step's search costs about the square of its steps, so with about 2·sqrt(n+m) steps
        // at most a split costs O(n+m), and a text changed all over still takes near linear time.
        const double lengths = static_cast<double>(x.size() + y.size());
        tooExpensive = std::max<Index>(256, static_cast<Index>(2 * std::sqrt(lengths)));
    }

    // An explicit stack of ranges: after capped splits, one side of the recursion can be as deep as
    // the texts are long.
    void Run()
    {
        std::vector<TRange> ranges{
            {0, static_cast<Index>(x.size()), 0, static_cast<Index>(y.size())}};
        while (!ranges.empty()) {
            TRange r = ranges.back();
            ranges.pop_back();
            while (r.xOff < r.xLim && r.yOff < r.yLim && x[At(r.xOff)] == y[At(r.yOff)])
                ++r.xOff, ++r.yOff;
            while (r.xOff < r.xLim && r.yOff < r.yLim && x[At(r.xLim - 1)] == y[At(r.yLim - 1)])
                --r.xLim, --r.yLim;
            if (r.xOff == r.xLim) {
                std::fill(yChanged.begin() + r.yOff, yChanged.begin() + r.yLim, 1);
            } else if (r.yOff == r.yLim) {
                std::fill(xChanged.begin() + r.xOff, xChanged.begin() + r.xLim, 1);
            } else {
                // Both sides are non-empty and differ at both ends, so the split is never a corner
                // of the range and both parts are smaller than it.
                const auto [xMid, yMid] = Split(r);
                ranges.push_back({r.xOff, xMid, r.yOff, yMid});
                ranges.push_back({xMid, r.xLim, yMid, r.yLim});
            }
        }
    }

private:
    struct TRange {
        Index xOff, xLim, yOff, yLim;
    };
    struct TPoint {
        Index x, y;
    };

    static size_t At(Index i) { return static_cast<size_t>(i); }
    Index& Fd(Index d) { return forward[At(d + offset)]; }
    Index& Bd(Index d) { return backward[At(d + offset)]; }

    // The middle snake of the range, searched from both ends at once on the diagonals d = x - y.
    // Where the search passes the cap, the point reached furthest by either end, as GNU diff does.
    TPoint Split(const TRange& r)
    {
        const Index dMin = r.xOff - r.yLim, dMax = r.xLim - r.yOff;
        const Index fMid = r.xOff - r.yOff, bMid = r.xLim - r.yLim;
        const bool odd = ((fMid - bMid) & 1) != 0;
        Index fMin = fMid, fMax = fMid, bMin = bMid, bMax = bMid;
        constexpr Index kLow = -1, kHigh = std::numeric_limits<Index>::max();
        Fd(fMid) = r.xOff;
        Bd(bMid) = r.xLim;
        for (Index cost = 1;; ++cost) {
            if (fMin > dMin)
                Fd(--fMin - 1) = kLow;
            else
                ++fMin;
            if (fMax < dMax)
                Fd(++fMax + 1) = kLow;
            else
                --fMax;
            for (Index d = fMax; d >= fMin; d -= 2) {
                const Index lo = Fd(d - 1), hi = Fd(d + 1);
                Index px = lo >= hi ? lo + 1 : hi;
                Index py = px - d;
                while (px < r.xLim && py < r.yLim && x[At(px)] == y[At(py)])
                    ++px, ++py;
                Fd(d) = px;
                if (odd && bMin <= d && d <= bMax && Bd(d) <= px)
                    return {px, py};
            }

            if (bMin > dMin)
                Bd(--bMin - 1) = kHigh;
            else
                ++bMin;
            if (bMax < dMax)
                Bd(++bMax + 1) = kHigh;
            else
                --bMax;
            for (Index d = bMax; d >= bMin; d -= 2) {
                const Index lo = Bd(d - 1), hi = Bd(d + 1);
                Index px = lo < hi ? lo : hi - 1;
                Index py = px - d;
                while (r.xOff < px && r.yOff < py && x[At(px - 1)] == y[At(py - 1)])
                    --px, --py;
                Bd(d) = px;
                if (!odd && fMin <= d && d <= fMax && px <= Fd(d))
                    return {px, py};
            }

            if (cost >= tooExpensive)
                return Furthest(r, fMin, fMax, bMin, bMax);
        }
    }

    // The point that got furthest from its end of the range, clipped to the range. Without a
    // meeting of the two searches neither has reached the other's corner, so this is no corner.
    TPoint Furthest(const TRange& r, Index fMin, Index fMax, Index bMin, Index bMax)
    {
        Index fBest = -1, fX = 0;
        for (Index d = fMax; d >= fMin; d -= 2) {
            Index px = std::min(Fd(d), r.xLim);
            Index py = px - d;
            if (py > r.yLim)
                px = r.yLim + d, py = r.yLim;
            if (px + py > fBest)
                fBest = px + py, fX = px;
        }
        Index bBest = std::numeric_limits<Index>::max(), bX = 0;
        for (Index d = bMax; d >= bMin; d -= 2) {
            Index px = std::max(Bd(d), r.xOff);
            Index py = px - d;
            if (py < r.yOff)
                px = r.yOff + d, py = r.yOff;
            if (px + py < bBest)
                bBest = px + py, bX = px;
        }
        if ((r.xLim + r.yLim) - bBest < fBest - (r.xOff + r.yOff))
            return {fX, fBest - fX};
        return {bX, bBest - bX};
    }

    const std::vector<uint32_t>& x;
    const std::vector<uint32_t>& y;
    std::vector<char>& xChanged;
    std::vector<char>& yChanged;
    std::vector<Index> forward, backward; // the furthest x reached on each diagonal
    Index offset;                         // of diagonal 0 in forward and backward
    Index tooExpensive;
};

// Marks the lines of each side that the script changes, on the lines between the common prefix
// and suffix.
void MarkChanges(std::span<const std::string_view> a, std::span<const std::string_view> b,
                 std::span<char> aChanged, std::span<char> bChanged)
{
    std::unordered_map<std::string_view, uint32_t> ids;
    ids.reserve(a.size() + b.size());
    std::vector<uint32_t> aIds(a.size()), bIds(b.size());
    std::vector<size_t> inA, inB; // how often each id occurs on each side
    const auto id = [&](std::string_view line) {
        const auto [it, added] = ids.try_emplace(line, static_cast<uint32_t>(ids.size()));
        if (added)
            inA.push_back(0), inB.push_back(0);
        return it->second;
    };
    for (size_t i = 0; i < a.size(); ++i)
        ++inA[aIds[i] = id(a[i])];
    for (size_t j = 0; j < b.size(); ++j)
        ++inB[bIds[j] = id(b[j])];

    // A line found on one side only is in no common subsequence: it is changed whatever the
    // search finds, and leaving it out keeps the search short when much is rewritten.
    std::vector<uint32_t> x, y;
    std::vector<size_t> xAt, yAt; // each searched line's index in a or b
    for (size_t i = 0; i < a.size(); ++i) {
        if (inB[aIds[i]] == 0)
            aChanged[i] = 1;
        else
            x.push_back(aIds[i]), xAt.push_back(i);
    }
    for (size_t j = 0; j < b.size(); ++j) {
        if (inA[bIds[j]] == 0)
            bChanged[j] = 1;
        else
            y.push_back(bIds[j]), yAt.push_back(j);
    }

    std::vector<char> xChanged(x.size()), yChanged(y.size());
    TSearch(x, y, xChanged, yChanged).Run();
    for (size_t i = 0; i < x.size(); ++i)
        aChanged[xAt[i]] = xChanged[i];
    for (size_t j = 0; j < y.size(); ++j)
        bChanged[yAt[j]] = yChanged[j];
}

} // namespace

std::vector<TEdit> Diff(std::span<const std::string_view> oldLines,
                        std::span<const std::string_view> newLines)
{
    const size_t n = oldLines.size(), m = newLines.size();
    size_t prefix = 0, suffix = 0;
    while (prefix < n && prefix < m && oldLines[prefix] == newLines[prefix])
        ++prefix;
    while (suffix < n - prefix && suffix < m - prefix &&
           oldLines[n - 1 - suffix] == newLines[m - 1 - suffix])
        ++suffix;

    std::vector<char> oldChanged(n), newChanged(m);
    if (prefix + suffix < n || prefix + suffix < m) {
        const size_t oldCount = n - prefix - suffix, newCount = m - prefix - suffix;
        MarkChanges(oldLines.subspan(prefix, oldCount), newLines.subspan(prefix, newCount),
                    std::span(oldChanged).subspan(prefix, oldCount),
                    std::span(newChanged).subspan(prefix, newCount));
    }

    // The unchanged lines of the two sides pair up in order, so between changes both sides keep
    // the same number of lines.
    std::vector<TEdit> edits;
    size_t i = 0, j = 0;
    while (i < n || j < m) {
        const size_t i0 = i, j0 = j;
        while (i < n && j < m && !oldChanged[i] && !newChanged[j])
            ++i, ++j;
        if (i > i0)
            edits.push_back({TEdit::Kind::Keep, i0, j0, i - i0});
        const size_t i1 = i;
        while (i < n && oldChanged[i])
            ++i;
        if (i > i1)
            edits.push_back({TEdit::Kind::Remove, i1, j, i - i1});
        const size_t j1 = j;
        while (j < m && newChanged[j])
            ++j;
        if (j > j1)
            edits.push_back({TEdit::Kind::Add, i, j1, j - j1});
    }
    return edits;
}

namespace {

// One place where the texts differ: these old lines replaced by these new ones, either may be none.
struct TChange {
    size_t oldLine, oldCount, newLine, newCount;
};

std::vector<TChange> Changes(const std::vector<TEdit>& edits)
{
    std::vector<TChange> changes;
    bool open = false;
    for (const TEdit& e : edits) {
        if (e.kind == TEdit::Kind::Keep) {
            open = false;
            continue;
        }
        if (!open)
            changes.push_back({e.oldLine, 0, e.newLine, 0});
        open = true;
        (e.kind == TEdit::Kind::Remove ? changes.back().oldCount : changes.back().newCount) =
            e.count;
    }
    return changes;
}

// A range as diff numbers it: from 1, one line by its number alone, none by the line before it.
void WriteRange(std::ostream& out, size_t first, size_t count)
{
    if (count == 1)
        out << first + 1;
    else
        out << (count == 0 ? first : first + 1) << ',' << count;
}

void WriteLine(std::ostream& out, char mark, std::string_view line)
{
    out << mark << line;
    if (line.empty() || line.back() != '\n')
        out << "\n\\ No newline at end of file\n";
}

} // namespace

void WriteHunks(std::ostream& out, std::string_view oldText, std::string_view newText, int context)
{
    const auto oldLines = SplitLines(oldText);
    const auto newLines = SplitLines(newText);
    const auto changes = Changes(Diff(oldLines, newLines));
    const size_t around = static_cast<size_t>(std::max(context, 0));

    for (size_t first = 0; first < changes.size();) {
        // Changes whose contexts touch or overlap share a hunk.
        size_t last = first;
        while (last + 1 < changes.size() &&
               changes[last + 1].oldLine - (changes[last].oldLine + changes[last].oldCount) <=
                   2 * around)
            ++last;
        const TChange& head = changes[first];
        const TChange& tail = changes[last];
        const size_t before = std::min(around, head.oldLine);
        const size_t oldEnd = tail.oldLine + tail.oldCount;
        const size_t after = std::min(around, oldLines.size() - oldEnd);
        const size_t oldFrom = head.oldLine - before, newFrom = head.newLine - before;

        out << "@@ -";
        WriteRange(out, oldFrom, oldEnd + after - oldFrom);
        out << " +";
        WriteRange(out, newFrom, tail.newLine + tail.newCount + after - newFrom);
        out << " @@\n";

        size_t kept = oldFrom;
        for (size_t c = first; c <= last; ++c) {
            for (; kept < changes[c].oldLine; ++kept)
                WriteLine(out, ' ', oldLines[kept]);
            for (size_t k = 0; k < changes[c].oldCount; ++k)
                WriteLine(out, '-', oldLines[changes[c].oldLine + k]);
            for (size_t k = 0; k < changes[c].newCount; ++k)
                WriteLine(out, '+', newLines[changes[c].newLine + k]);
            kept = changes[c].oldLine + changes[c].oldCount;
        }
        for (; kept < oldEnd + after; ++kept)
            WriteLine(out, ' ', oldLines[kept]);
        first = last + 1;
    }
}

} // namespace linediff
