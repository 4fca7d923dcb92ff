#pragma once

#include <cstddef>
#include <memory>
#include <string>

// The bytes of a definition file, read in large blocks. Carriage returns never reach the reader:
// a file with CR LF line ends reads exactly like one with LF alone.
class TGedInput {
public:
    static constexpr int kEnd = -1;

    // Reads the text in memory (tests, fuzzing).
    explicit TGedInput(std::string text);
    // Reads an open file descriptor, which this object then owns and closes.
    explicit TGedInput(int fd);
    ~TGedInput();
    TGedInput(const TGedInput&) = delete;
    TGedInput& operator=(const TGedInput&) = delete;

    // The next byte other than a carriage return, or kEnd.
    int Get()
    {
        while (true) {
            if (pos == end && !Fill())
                return kEnd;
            const unsigned char c = static_cast<unsigned char>(*pos++);
            if (c != '\r')
                return c;
        }
    }

    // The next byte Get() would return, without consuming it.
    int Peek()
    {
        while (true) {
            if (pos == end && !Fill())
                return kEnd;
            if (*pos != '\r')
                return static_cast<unsigned char>(*pos);
            ++pos;
        }
    }

    // Appends the rest of the physical line to buffer (without carriage returns) and consumes its
    // line feed. Stops early, before the line feed, once buffer holds limit bytes: then false.
    bool AppendLine(std::string& buffer, size_t limit);

private:
    bool Fill();

    std::string memory;
    std::unique_ptr<char[]> block;
    int fd = -1;
    const char* pos = nullptr;
    const char* end = nullptr;
};
