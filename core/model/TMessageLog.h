#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The messages log of one load. Every line is kept in memory (the messages window and the
// "more than two lines" rule read these) and, when a log file could be opened, also written to it.
class TMessageLog {
public:
    // Lines up to this count are flushed to the file one by one, so the file is complete even if
    // the program stops; past it (a file of nothing but bad lines) they are written in blocks,
    // since a system call per line would make such a load take minutes.
    static constexpr size_t kFlushedLines = 1000;

    TMessageLog() = default;
    ~TMessageLog();
    TMessageLog(const TMessageLog&) = delete;
    TMessageLog& operator=(const TMessageLog&) = delete;

    // Empties the log and truncates the file at path (empty path: memory only). Returns false when
    // the file could not be opened; the log then works in memory alone.
    bool Restart(const std::string& path);

    // Writes one log text. A text holding line feeds counts as several lines.
    void Line(std::string_view text);
    // Writes out what is still buffered.
    void Flush();

    size_t Count() const { return ends.size(); }
    std::string_view At(size_t i) const
    {
        const size_t begin = i == 0 ? 0 : ends[i - 1] + 1;
        return std::string_view(text).substr(begin, ends[i] - begin);
    }
    // A copy of every line; for small logs and tests.
    std::vector<std::string> Lines() const;

private:
    void CloseFile();

    std::string text;         // every line, each followed by a line feed
    std::vector<size_t> ends; // where each line's line feed is in text
    std::FILE* file = nullptr;
};
