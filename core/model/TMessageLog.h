#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The messages log of one load. Every line is kept in memory (the messages window and the
// "more than two lines" rule read these) and, when a log file could be opened, also written to it
// and flushed, so the file is complete even if the program stops.
class TMessageLog {
public:
    TMessageLog() = default;
    ~TMessageLog();
    TMessageLog(const TMessageLog&) = delete;
    TMessageLog& operator=(const TMessageLog&) = delete;

    // Empties the log and truncates the file at path (empty path: memory only). Returns false when
    // the file could not be opened; the log then works in memory alone.
    bool Restart(const std::string& path);

    // Writes one log text. A text holding line feeds counts as several lines.
    void Line(std::string_view text);

    const std::vector<std::string>& Lines() const { return lines; }

private:
    void CloseFile();

    std::vector<std::string> lines;
    std::FILE* file = nullptr;
};
