#include "compare/SideBySide.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using compare::TSideBySide;
using compare::TSideRow;
using linediff::TEdit;

namespace {

constexpr size_t kNone = TSideRow::kNone;
using K = TSideRow::Kind;

// An edit script as Diff makes one: runs of random lengths, no two neighbours of one kind, a
// Remove before its Add, line numbers counted through.
std::vector<TEdit> RandomScript(std::mt19937& random)
{
    std::vector<TEdit> edits;
    size_t oldLine = 0, newLine = 0;
    const int runs = static_cast<int>(random() % 8);
    for (int r = 0; r < runs; ++r) {
        TEdit::Kind kind = static_cast<TEdit::Kind>(random() % 3);
        if (!edits.empty() &&
            (edits.back().kind == kind ||
             (edits.back().kind == TEdit::Kind::Add && kind == TEdit::Kind::Remove)))
            kind = TEdit::Kind::Keep;
        if (!edits.empty() && edits.back().kind == kind)
            continue;
        const size_t count = 1 + random() % 4;
        edits.push_back({kind, oldLine, newLine, count});
        if (kind != TEdit::Kind::Add)
            oldLine += count;
        if (kind != TEdit::Kind::Remove)
            newLine += count;
    }
    return edits;
}

} // namespace

TEST(SideBySide, SmallScriptsLayOutAsPairedColumns)
{
    const struct {
        std::vector<TEdit> edits;
        std::vector<TSideRow> rows;
        std::vector<size_t> changes;
    } cases[] = {
        {{}, {}, {}},
        {{{TEdit::Kind::Keep, 0, 0, 2}}, {{K::Kept, 0, 0}, {K::Kept, 1, 1}}, {}},
        {{{TEdit::Kind::Keep, 0, 0, 1},
          {TEdit::Kind::Remove, 1, 1, 2},
          {TEdit::Kind::Add, 3, 1, 1}},
         {{K::Kept, 0, 0}, {K::Changed, 1, 1}, {K::Removed, 2, kNone}},
         {1}},
        {{{TEdit::Kind::Remove, 0, 0, 1},
          {TEdit::Kind::Add, 1, 0, 3},
          {TEdit::Kind::Keep, 1, 3, 1}},
         {{K::Changed, 0, 0}, {K::Added, kNone, 1}, {K::Added, kNone, 2}, {K::Kept, 1, 3}},
         {0}},
        {{{TEdit::Kind::Add, 0, 0, 1},
          {TEdit::Kind::Keep, 0, 1, 1},
          {TEdit::Kind::Remove, 1, 2, 1},
          {TEdit::Kind::Keep, 2, 2, 1}},
         {{K::Added, kNone, 0}, {K::Kept, 0, 1}, {K::Removed, 1, kNone}, {K::Kept, 2, 2}},
         {0, 2}},
    };
    for (const auto& c : cases) {
        const TSideBySide view(c.edits);
        EXPECT_EQ(view.Rows(), c.rows);
        EXPECT_EQ(view.Changes(), c.changes);
    }
}

// Reading each column down gives back its text's lines in order; a row holds a line on the
// sides its kind says; each change starts right after a kept row and pairs as many lines as its
// shorter run holds.
TEST(SideBySide, ColumnsRebuildBothTexts)
{
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        const std::vector<TEdit> edits = RandomScript(random);
        size_t oldCount = 0, newCount = 0, expectedRows = 0;
        for (const TEdit& edit : edits) {
            oldCount += edit.kind == TEdit::Kind::Add ? 0 : edit.count;
            newCount += edit.kind == TEdit::Kind::Remove ? 0 : edit.count;
        }
        for (size_t e = 0; e < edits.size(); ++e) {
            const bool replaced = edits[e].kind == TEdit::Kind::Remove && e + 1 < edits.size() &&
                                  edits[e + 1].kind == TEdit::Kind::Add;
            expectedRows += replaced ? std::max(edits[e].count, edits[e + 1].count) : 0;
            expectedRows += replaced ? 0 : edits[e].count;
            e += replaced ? 1 : 0;
        }
        const TSideBySide view(edits);
        const std::vector<TSideRow>& rows = view.Rows();
        ASSERT_EQ(rows.size(), expectedRows);
        std::vector<size_t> oldLines, newLines, changes;
        for (size_t r = 0; r < rows.size(); ++r) {
            const TSideRow& row = rows[r];
            EXPECT_EQ(row.oldLine != kNone, row.kind != K::Added);
            EXPECT_EQ(row.newLine != kNone, row.kind != K::Removed);
            if (row.oldLine != kNone)
                oldLines.push_back(row.oldLine);
            if (row.newLine != kNone)
                newLines.push_back(row.newLine);
            if (row.kind != K::Kept && (r == 0 || rows[r - 1].kind == K::Kept))
                changes.push_back(r);
            // Paired rows come first in a change.
            if (row.kind == K::Changed && r > 0) {
                EXPECT_TRUE(rows[r - 1].kind == K::Kept || rows[r - 1].kind == K::Changed);
            }
        }
        for (size_t i = 0; i < oldLines.size(); ++i)
            ASSERT_EQ(oldLines[i], i);
        for (size_t i = 0; i < newLines.size(); ++i)
            ASSERT_EQ(newLines[i], i);
        EXPECT_EQ(oldLines.size(), oldCount);
        EXPECT_EQ(newLines.size(), newCount);
        EXPECT_EQ(view.Changes(), changes);
    }
}

// F7 and Shift+F7 from every row, against a walk down and up the rows.
TEST(SideBySide, NextAndPreviousChangeStepThroughTheChanges)
{
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        const TSideBySide view(RandomScript(random));
        const std::vector<size_t>& changes = view.Changes();
        const auto isChange = [&](size_t r) {
            return std::find(changes.begin(), changes.end(), r) != changes.end();
        };
        const size_t count = view.Rows().size();
        for (size_t from = 0; from < count; ++from) {
            size_t next = kNone, previous = kNone;
            for (size_t r = from + 1; r < count && next == kNone; ++r)
                next = isChange(r) ? r : kNone;
            for (size_t r = from; r-- > 0 && previous == kNone;)
                previous = isChange(r) ? r : kNone;
            EXPECT_EQ(view.NextChange(from), next);
            EXPECT_EQ(view.PreviousChange(from), previous);
        }
        EXPECT_EQ(view.NextChange(kNone), changes.empty() ? kNone : changes.front());
        EXPECT_EQ(view.PreviousChange(kNone), changes.empty() ? kNone : changes.back());
    }
}
