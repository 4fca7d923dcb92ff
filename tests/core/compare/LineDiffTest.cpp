#include "compare/LineDiff.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>

using linediff::TEdit;
using Lines = std::vector<std::string_view>;

namespace {

// Checks the script's runs and that it turns a into b; returns the lines it removes and adds.
size_t Apply(const Lines& a, const Lines& b)
{
    const auto edits = linediff::Diff(a, b);
    Lines made;
    size_t i = 0, j = 0, changed = 0;
    for (size_t e = 0; e < edits.size(); ++e) {
        const TEdit& run = edits[e];
        EXPECT_GT(run.count, 0u);
        EXPECT_EQ(run.oldLine, i);
        EXPECT_EQ(run.newLine, j);
        if (e > 0) {
            EXPECT_NE(run.kind, edits[e - 1].kind);
            EXPECT_FALSE(run.kind == TEdit::Kind::Remove && edits[e - 1].kind == TEdit::Kind::Add);
        }
        for (size_t k = 0; k < run.count; ++k) {
            if (run.kind == TEdit::Kind::Keep) {
                EXPECT_EQ(a.at(i), b.at(j));
            }
            if (run.kind != TEdit::Kind::Add)
                ++i;
            if (run.kind != TEdit::Kind::Remove)
                made.push_back(b.at(j++));
        }
        changed += run.kind == TEdit::Kind::Keep ? 0 : run.count;
    }
    EXPECT_EQ(i, a.size());
    EXPECT_EQ(made, b);
    return changed;
}

size_t Lcs(const Lines& a, const Lines& b)
{
    std::vector<std::vector<size_t>> t(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = a.size(); i-- > 0;)
        for (size_t j = b.size(); j-- > 0;)
            t[i][j] = a[i] == b[j] ? t[i + 1][j + 1] + 1 : std::max(t[i + 1][j], t[i][j + 1]);
    return t[0][0];
}

// Applies the hunks to the old text as patch would, checking their numbers, their old lines, and
// that each has the context diff gives it: as much as there is up to `context` lines at its ends,
// and more than twice that between two hunks.
std::string Patch(const std::string& oldText, const std::string& hunks, size_t context)
{
    const Lines old = linediff::SplitLines(oldText), out = linediff::SplitLines(hunks);
    std::string made;
    size_t at = 0, madeLines = 0, previousEnd = 0, count = 0;
    for (size_t o = 0; o < out.size();) {
        const std::string head(out[o++]);
        size_t l0 = 0, s0 = 1, l1 = 0, s1 = 1;
        if (std::sscanf(head.c_str(), "@@ -%zu,%zu", &l0, &s0) < 2)
            s0 = 1;
        if (std::sscanf(head.substr(head.find('+')).c_str(), "+%zu,%zu", &l1, &s1) < 2)
            s1 = 1;
        const size_t from = s0 == 0 ? l0 : l0 - 1;
        EXPECT_GE(from, at) << head;
        EXPECT_EQ(s1 == 0 ? l1 : l1 - 1, madeLines + from - at) << head;
        for (; at < from; ++at, ++madeLines)
            made += old.at(at);
        size_t kept = 0, lead = 0, first = SIZE_MAX, end = 0;
        for (; o < out.size() && out[o][0] != '@'; ++o) {
            const char mark = out[o][0];
            std::string_view line = out[o].substr(1);
            if (o + 1 < out.size() && out[o + 1] == "\\ No newline at end of file\n")
                line.remove_suffix(1), ++o;
            if (mark != '+') {
                EXPECT_EQ(line, old.at(at++)) << head;
            }
            if (mark != '-')
                made += line, ++madeLines;
            if (mark == ' ') {
                ++kept;
                continue;
            }
            if (first == SIZE_MAX)
                first = at - (mark == '-'), lead = kept;
            else
                EXPECT_LE(kept, 2 * context) << head;
            kept = 0, end = at;
        }
        EXPECT_NE(first, SIZE_MAX) << head;
        EXPECT_EQ(lead, std::min(context, first)) << head;
        EXPECT_EQ(kept, std::min(context, old.size() - end)) << head;
        if (count++ > 0) {
            EXPECT_GT(first - previousEnd, 2 * context) << head;
        }
        EXPECT_EQ(at - from, s0) << head;
        previousEnd = end;
    }
    for (; at < old.size(); ++at)
        made += old[at];
    return made;
}

TEST(LineDiff, ShortestScriptAndHunksThatPatchOldIntoNew)
{
    std::mt19937 random(7);
    const auto text = [&] {
        std::string t;
        for (size_t n = random() % 13; n > 0; --n)
            t += std::string(1, static_cast<char>('a' + random() % 4)) + "\n";
        if (!t.empty() && random() % 4 == 0)
            t.pop_back();
        return t;
    };
    for (int c = 0; c < 4000; ++c) {
        const std::string a = text(), b = text();
        const Lines x = linediff::SplitLines(a), y = linediff::SplitLines(b);
        std::string joined;
        for (const auto line : x)
            joined += line;
        ASSERT_EQ(joined, a);
        ASSERT_EQ(Apply(x, y), x.size() + y.size() - 2 * Lcs(x, y)) << a << "|" << b;
        const size_t context = static_cast<size_t>(c % 4);
        std::ostringstream out;
        linediff::WriteHunks(out, a, b, static_cast<int>(context));
        EXPECT_EQ(out.str().empty(), a == b);
        ASSERT_EQ(Patch(a, out.str(), context), b) << a << "|" << b << "|" << out.str();
    }
}

TEST(LineDiff, HunksAreNumberedAsDiffDoes)
{
    const std::string twelve = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n";
    const struct {
        std::string a, b;
        int context;
        std::string hunks;
    } cases[] = {
        {"", "a\nb\n", 3, "@@ -0,0 +1,2 @@\n+a\n+b\n"},
        {"a\nb\n", "", 3, "@@ -1,2 +0,0 @@\n-a\n-b\n"},
        {"a\n", "b\n", 3, "@@ -1 +1 @@\n-a\n+b\n"},
        {"1\n2\n3\n4\n5\n6\n", "1\n2\n3\nX\n4\n5\n6\n", 0, "@@ -3,0 +4 @@\n+X\n"},
        {"1\n2\n3\n4\n5\n6\n", "1\n2\n4\n5\n6\n", 0, "@@ -3 +2,0 @@\n-3\n"},
        {"1\n2\n3\n4\n5\n6\n", "1\n2\n3\n4\n5\n6\n7\n", 1, "@@ -6 +6,2 @@\n 6\n+7\n"},
        {"a\nb", "a\nb\n", 3, "@@ -1,2 +1,2 @@\n a\n-b\n\\ No newline at end of file\n+b\n"},
        {"a\nb\n", "a\nb", 3, "@@ -1,2 +1,2 @@\n a\n-b\n+b\n\\ No newline at end of file\n"},
        {"x\na\nb", "y\na\nb", 3,
         "@@ -1,3 +1,3 @@\n-x\n+y\n a\n b\n\\ No newline at end of file\n"},
        {twelve, "1\nX\n3\n4\n5\n6\n7\n8\nY\n10\n11\n12\n", 3,
         "@@ -1,12 +1,12 @@\n 1\n-2\n+X\n 3\n 4\n 5\n 6\n 7\n 8\n-9\n+Y\n 10\n 11\n 12\n"},
        {twelve, "1\nX\n3\n4\n5\n6\n7\n8\n9\nY\n11\n12\n", 3,
         "@@ -1,5 +1,5 @@\n 1\n-2\n+X\n 3\n 4\n 5\n@@ -7,6 +7,6 @@\n 7\n 8\n 9\n-10\n+Y\n 11\n "
         "12\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        linediff::WriteHunks(out, c.a, c.b, c.context);
        EXPECT_EQ(out.str(), c.hunks) << c.a << "|" << c.b;
    }
}

TEST(LineDiff, CappedSearchStillTurnsOldIntoNew)
{
    std::mt19937 random(11);
    const std::string alphabet[] = {"a\n", "b\n", "c\n", "d\n", "e\n"};
    Lines a, b;
    for (int i = 0; i < 20000; ++i) {
        a.push_back(alphabet[random() % 5]);
        b.push_back(alphabet[random() % 5]);
    }
    const size_t changed = Apply(a, b);
    EXPECT_GE(changed, a.size() + b.size() - 2 * std::min(a.size(), b.size()));
}

} // namespace
