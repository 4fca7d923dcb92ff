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

// The layout spelt out run by run: kept lines on both sides, a Remove run and the Add run after it
// paired row by row with the longer one's rest alone, other runs alone on their side; a change
// starts at a row that is not kept after one that is.
std::vector<TSideRow> ReferenceRows(const std::vector<TEdit>& edits, std::vector<size_t>& changes)
{
    std::vector<TSideRow> rows;
    for (size_t e = 0; e < edits.size(); ++e) {
        const TEdit& edit = edits[e];
        const bool replaced = edit.kind == TEdit::Kind::Remove && e + 1 < edits.size() &&
                              edits[e + 1].kind == TEdit::Kind::Add;
        const size_t removed = edit.kind == TEdit::Kind::Remove ? edit.count : 0;
        const size_t added = replaced                        ? edits[e + 1].count
                             : edit.kind == TEdit::Kind::Add ? edit.count
                                                             : 0;
        const size_t newFirst = replaced ? edits[e + 1].newLine : edit.newLine;
        if (edit.kind == TEdit::Kind::Keep)
            for (size_t k = 0; k < edit.count; ++k)
                rows.push_back({K::Kept, edit.oldLine + k, edit.newLine + k});
        for (size_t k = 0; k < std::max(removed, added); ++k) {
            const K kind = k < std::min(removed, added) ? K::Changed
                           : k < removed                ? K::Removed
                                                        : K::Added;
            rows.push_back(
                {kind, k < removed ? edit.oldLine + k : kNone, k < added ? newFirst + k : kNone});
        }
        e += replaced ? 1 : 0;
    }
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r].kind != K::Kept && (r == 0 || rows[r - 1].kind == K::Kept))
            changes.push_back(r);
    return rows;
}

} // namespace

// Random scripts, the empty one among them, against the layout spelt out; each column read down
// gives back its text's lines in order.
TEST(SideBySide, RowsAndChangesAreTheLayoutSpeltOut)
{
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        const std::vector<TEdit> edits = RandomScript(random);
        std::vector<size_t> changes;
        const std::vector<TSideRow> expected = ReferenceRows(edits, changes);
        const TSideBySide view(edits);
        ASSERT_EQ(view.Rows(), expected);
        EXPECT_EQ(view.Changes(), changes);
        size_t oldNext = 0, newNext = 0;
        for (const TSideRow& row : view.Rows()) {
            if (row.oldLine != kNone) {
                ASSERT_EQ(row.oldLine, oldNext++);
            }
            if (row.newLine != kNone) {
                ASSERT_EQ(row.newLine, newNext++);
            }
        }
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
