#pragma once

#include <optional>
#include <string>
#include <vector>

// The parsed arguments of stemlook-text. Every job is one mode, some with an argument of their
// own; the output file applies to every mode.
struct TCommandLine {
    enum class Mode { Document, Messages, Index, UsedBy, Pieces, Copy, Dot, Help, Version };

    // The quick selections of the Save As Text dialog.
    enum Selection : unsigned {
        kGroups = 1,
        kPictures = 2,
        kLists = 4,
        kTables = 8,
        kSettings = 16,
        kAll = 31,
    };

    Mode mode = Mode::Document;
    std::string argument;        // the name or title of --used-by, --pieces and --copy
    unsigned selection = kGroups | kPictures; // what the dialog saves when it opens
    std::string folder;
    std::string outputFile;      // empty: standard output

    // Nothing when the arguments are wrong; error then says why.
    static std::optional<TCommandLine> Parse(const std::vector<std::string>& args,
                                             std::string& error);
    static const char* Usage();
};
