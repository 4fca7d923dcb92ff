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
        Help,
        Version
    };

    Mode mode = Mode::Document;
    std::string argument; // the name or title of --used-by, --pieces and --copy; the text of --find
    // Quick-selection bits; what the Save As Text dialog saves when it opens.
    unsigned selection = TSelectionTree::kGroupsAndRecords | TSelectionTree::kPictures;
    std::string folder;
    std::string outputFile; // empty: standard output

    // Nothing when the arguments are wrong; error then says why.
    static std::optional<TCommandLine> Parse(const std::vector<std::string>& args,
                                             std::string& error);
    static const char* Usage();
};
