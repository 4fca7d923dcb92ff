#pragma once

#include <cstddef>
#include <iosfwd>
#include <span>
#include <string_view>
#include <vector>

// Line by line comparison of two texts as diff makes it: a shortest edit script, found in linear
// space, and the unified hunks of `diff -u`.
namespace linediff {

// The lines of a text, each with its line feed. A last line without one is a line of its own,
// which differs from the same text with a line feed; an empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

// One run of an edit script: count lines kept, removed from the old text or added from the new.
struct TEdit {
    enum class Kind { Keep, Remove, Add };
    Kind kind;
    size_t oldLine; // the run's first line in the old text, from 0; for Add, where it goes
    size_t newLine; // the same in the new text; for Remove, where the lines were
    size_t count;

    bool operator==(const TEdit&) const = default;
};

// The edit script that turns the old lines into the new ones: runs in text order, none empty, no
// two neighbours of one kind, and where lines are replaced the Remove run before its Add run.
// Shortest, unless the texts differ so much that the search would take too long; still correct
// then, and found in time that grows about linearly with the texts' length.
std::vector<TEdit> Diff(std::span<const std::string_view> oldLines,
                        std::span<const std::string_view> newLines);

// The hunks of the unified diff with this many lines of context, as `diff -u` writes and
// numbers them: "@@ -l,s +l,s @@", then lines starting with ' ', '-' or '+', and
// "\ No newline at end of file" after a last line that has no line feed. Nothing for equal
// texts.
void WriteHunks(std::ostream& out, std::string_view oldText, std::string_view newText,
                int context = 3);

} // namespace linediff
