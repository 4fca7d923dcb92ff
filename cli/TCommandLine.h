#pragma once

#include "export/TSelectionTree.h"

#include <optional>
#include <string>
#include <vector>

// The parsed arguments of stemlook-text. Every job is one mode, some with an argument of their
// own; the output file applies to every mode.
struct TCommandLine {
    enum class Mode {
        Document,
        Messages,
        Index,
        UsedBy,
        Pieces,
        Copy,
        Dot,
        Svg,
        Unused,
        Find,
        Diff,
        Html,
        Help,
        Version
    };

    Mode mode = Mode::Document;
    // The name or title of --used-by, --pieces and --copy; the text of --find; the folder of
    // --html.
    std::string argument;
    // Quick-selection bits; what the Save As Text dialog saves when it opens.
    unsigned selection = TSelectionTree::kGroupsAndRecords | TSelectionTree::kPictures;
    std::string folder;     // a database folder or a definition file; --diff: the old design
    std::string newFolder;  // --diff: the new design
    bool brief = false;     // --diff: a line per differing element instead of its lines
    std::string name;       // the database name instead of the folder's; empty: the folder's
    std::string outputFile; // empty: standard output

    // Nothing when the arguments are wrong; error then says why.
    static std::optional<TCommandLine> Parse(const std::vector<std::string>& args,
                                             std::string& error);
    static const char* Usage();
};
