#include "compare/SideBySide.h"

#include <algorithm>

namespace compare {

using linediff::TEdit;

TSideBySide::TSideBySide(std::span<const TEdit> edits)
{
    constexpr size_t kNone = TSideRow::kNone;
    for (size_t e = 0; e < edits.size(); ++e) {
        const TEdit& edit = edits[e];
        if (edit.kind == TEdit::Kind::Keep) {
            for (size_t i = 0; i < edit.count; ++i)
                rows.push_back({TSideRow::Kind::Kept, edit.oldLine + i, edit.newLine + i});
            continue;
        }
        changes.push_back(rows.size());
        if (edit.kind == TEdit::Kind::Add) {
            for (size_t i = 0; i < edit.count; ++i)
                rows.push_back({TSideRow::Kind::Added, kNone, edit.newLine + i});
            continue;
        }
        // The script puts a replacement's Remove run right before its Add run.
        const TEdit* added =
            e + 1 < edits.size() && edits[e + 1].kind == TEdit::Kind::Add ? &edits[e + 1] : nullptr;
        const size_t paired = added ? std::min(edit.count, added->count) : 0;
        for (size_t i = 0; i < paired; ++i)
            rows.push_back({TSideRow::Kind::Changed, edit.oldLine + i, added->newLine + i});
        for (size_t i = paired; i < edit.count; ++i)
            rows.push_back({TSideRow::Kind::Removed, edit.oldLine + i, kNone});
        if (added) {
            for (size_t i = paired; i < added->count; ++i)
                rows.push_back({TSideRow::Kind::Added, kNone, added->newLine + i});
            ++e;
        }
    }
}

size_t TSideBySide::NextChange(size_t row) const
{
    if (changes.empty())
        return TSideRow::kNone;
    if (row == TSideRow::kNone)
        return changes.front();
    const auto next = std::upper_bound(changes.begin(), changes.end(), row);
    return next == changes.end() ? TSideRow::kNone : *next;
}

size_t TSideBySide::PreviousChange(size_t row) const
{
    if (changes.empty())
        return TSideRow::kNone;
    if (row == TSideRow::kNone)
        return changes.back();
    const auto after = std::lower_bound(changes.begin(), changes.end(), row);
    return after == changes.begin() ? TSideRow::kNone : *(after - 1);
}

} // namespace compare
