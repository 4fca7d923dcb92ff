#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TGedInput;
class TMessageLog;

// One line of the definition file, reused for every line read.
struct TGedData {
    static constexpr size_t kValueLimit = 220;
    static constexpr size_t kXrefLimit = 20;
    static constexpr size_t kTagLimit = 31;

    int16_t level = -1; // -1 until the first valid line has been read
    std::string xref;
    std::string tag;
    std::string value;
    bool isPointer = false;
    // The last value was cut at kValueLimit; its remainder comes next as a "CONC" line.
    bool splitPending = false;
};

// The current line of the definition file with the code of its tag. Element readers call
// NextLine, look at the current line, and either consume it or return leaving it current.
class TControlGed : public TGedData {
public:
    int tagCode = 0; // 0: no current line (end of file)

    // Delivers the next line, valid or continuation. False at the end of the file.
    bool ReadLine(TGedInput& in, TMessageLog& log);
    // Makes the next line with a known tag current. False at the end of the file, where the
    // level is 0 and the tag code 0 so that every reader returns.
    bool NextLine(TGedInput& in, TMessageLog& log);

    // The code of a tag in the tag table, 0 when it is not there.
    static int TagCode(std::string_view tag);

private:
    bool ParseLine(TGedInput& in, int c, std::string& text);
    // Ends ParseLine on an invalid line; false.
    bool Invalid(TGedInput& in, int current, std::string& text);
    void ReadValue(TGedInput& in);
    bool Put(std::string& buffer, int c);
    void CollectRest(TGedInput& in, std::string& buffer);
    void Cut(std::string& buffer);
    void DeliverContinuation(const std::string& text);

    std::string pending;          // the text after a cut, to be continued with the rest of its line
    bool pendingComplete = false; // pending holds the whole rest of its line already
    // Buffers reused from line to line.
    std::string lineText;
    std::string scratchXref;
    std::string scratchTag;
};
