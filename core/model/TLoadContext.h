#pragma once

class TControlGed;
class TDefinedArray;
class TGedInput;
class TMessageLog;
class TNamedElements;

// What every element reader works with during one load: the current line, the file, the log, and
// the collections that new elements are added to.
struct TLoadContext {
    TControlGed& ged;
    TGedInput& in;
    TMessageLog& log;
    TDefinedArray& defs;
    TNamedElements& names;
    long long backgroundCells = 0; // of all report backgrounds so far

    bool Next();
    void SkipToLevel0(); // skips every line up to the next level-0 line (or the end)
    // Logs that a reader has no use for the current line's tag.
    void NotHandled();
};
