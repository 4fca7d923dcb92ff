#include "load/SettledFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settled {

namespace {
constexpr const char* kChanged = "it changed while it was read";

TFileStamp StampOf(const struct stat& st)
{
    return {true, static_cast<uint64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
            static_cast<uint64_t>(st.st_ino)};
}
} // namespace

TFileStamp StampOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return StampOf(st);
}

TSettledRead ReadSettled(const std::string& path)
{
    TSettledRead result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.reason = std::strerror(errno);
        return result;
    }
    struct stat before {};
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        result.reason = "Not a regular file";
        ::close(fd);
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::string text;
    text.reserve(static_cast<size_t>(before.st_size));
    char block[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.reason = std::strerror(errno);
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        text.append(block, static_cast<size_t>(n));
    }
    struct stat after {};
    const bool same = ::fstat(fd, &after) == 0 && StampOf(before) == StampOf(after) &&
                      text.size() == static_cast<size_t>(after.st_size);
    ::close(fd);
    // The path may name another file by now (renamed over); the one read is whole, and the
    // watcher sees the new one.
    if (!same) {
        result.reason = kChanged;
        return result;
    }
    result.stamp = StampOf(after);
    result.text = std::move(text);
    return result;
}

void TSettleClock::Changed(int64_t now, const TFileStamp& stamp)
{
    pending = true;
    since = now;
    last = stamp;
}

std::optional<int64_t> TSettleClock::Poll(int64_t now, const TFileStamp& stamp)
{
    if (!pending)
        return std::nullopt;
    if (stamp != last) {
        // Written again since the watcher spoke: wait the whole quiet time from now.
        last = stamp;
        since = now;
        return quiet;
    }
    if (now - since >= quiet) {
        pending = false;
        return 0;
    }
    return quiet - (now - since);
}

} // namespace settled
