#pragma once

#include <cstddef>
#include <string>

class TDatabase;

// The loaded design as a static web site that any browser opens from the file system: an index,
// one page per unit, the names, the messages and the relationships diagram.
namespace publish {

// Told how far the writing has got; false from Continue cancels it (the previous site stays).
class TSiteProgress {
public:
    virtual ~TSiteProgress() = default;
    virtual bool Continue(size_t done, size_t total) = 0;
};

enum class TSiteResult { Written, NotOurs, Cancelled, Failed };

struct TSiteOutcome {
    TSiteResult result;
    std::string path;   // the file or folder concerned (Failed, NotOurs)
    std::string reason; // the system's words (Failed)
};

// The file in a folder that says this export wrote it, so writing there again may replace it.
inline constexpr char kSiteMarker[] = ".stemlook-site";

// Whether WriteSite may write into outDir (Written): missing, empty or written by this export;
// NotOurs, or Failed when that can't be told.
TSiteOutcome CheckFolder(const std::string& outDir);

// Writes the loaded design's site into outDir: created when missing; refused (NotOurs) when it
// exists, is not empty and was not written by this export. Written to a temporary folder beside
// outDir and moved into place at the end, so a failure or a cancel leaves the previous site
// whole. progress may be null. Calls Continue at least every 100 ms of work.
TSiteOutcome WriteSite(const TDatabase& db, const std::string& outDir, TSiteProgress* progress);

} // namespace publish
