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
// whole. The pages are made on `workers` threads (0: one a core). progress may be null; when
// given, Continue is called on the calling thread at least every 100 ms, first with a total of 0
// (not yet known) and last with done == total. The design must not change until it returns.
TSiteOutcome WriteSite(const TDatabase& db, const std::string& outDir, TSiteProgress* progress,
                       size_t workers = 0);

} // namespace publish
