#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Reading a definition file that an editor may be writing while we look: what tells a change,
// when a change has settled, and a read that notices the file changing under it.
namespace settled {

// What a file looks like from outside. Two equal stamps: the file was not written between them
// (as far as the file system tells). A file renamed over the old one has another inode.
struct TFileStamp {
    bool exists = false;
    uint64_t size = 0;
    int64_t modified = 0; // nanoseconds
    uint64_t inode = 0;
    bool operator==(const TFileStamp&) const = default;
};

TFileStamp StampOf(const std::string& path);

// The whole file, read once its stamp was the same before and after the read; otherwise
// nothing, with the reason (the system's words, or that it changed during the read).
struct TSettledRead {
    std::optional<std::string> text;
    std::string reason;
    TFileStamp stamp;
};
TSettledRead ReadSettled(const std::string& path);

// When a file that changes has settled: its stamp unchanged for the quiet time. The caller says
// when a change was seen and asks again when told; times are in milliseconds of any clock that
// does not go back.
class TSettleClock {
public:
    explicit TSettleClock(int64_t quiet) : quiet(quiet) {}

    // A change was seen (the watcher said so): the quiet time starts again.
    void Changed(int64_t now, const TFileStamp& stamp);
    // Nothing pending, or the wait in milliseconds before asking again, or 0: settled now (the
    // pending change is then taken).
    std::optional<int64_t> Poll(int64_t now, const TFileStamp& stamp);
    bool Pending() const { return pending; }

private:
    int64_t quiet;
    bool pending = false;
    int64_t since = 0;
    TFileStamp last;
};

} // namespace settled
