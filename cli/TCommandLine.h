#pragma once

#include <optional>
#include <string>
#include <vector>

// The parsed arguments of stemlook-text. Every job is one mode with its own argument; the
// output file applies to every mode.
struct TCommandLine {
    enum class Mode { Document, Messages, Help, Version };

    Mode mode = Mode::Document;
    std::string folder;
    std::string outputFile; // empty: standard output

    // Nothing when the arguments are wrong; error then says why.
    static std::optional<TCommandLine> Parse(const std::vector<std::string>& args,
                                             std::string& error);
    static const char* Usage();
};
