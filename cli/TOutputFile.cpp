#include "TOutputFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string SystemReason(int error)
{
    return error != 0 ? std::strerror(error) : "write failed";
}

// What a new file gets from open(2): everything but the umask.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

TOutputFile::~TOutputFile()
{
    if (temporary.empty())
        return;
    stream.close();
    ::close(descriptor);
    ::unlink(temporary.c_str());
}

bool TOutputFile::Open(const std::string& path, std::string& error)
{
    target = path;
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        error = std::strerror(EISDIR);
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        errno = 0;
        stream.open(path, std::ios::binary | std::ios::trunc);
        if (!stream)
            error = SystemReason(errno);
        return static_cast<bool>(stream);
    }
    if (exists && ::access(path.c_str(), W_OK) != 0) {
        // A file the person may not write stays, as it would if written in place.
        error = std::strerror(errno);
        return false;
    }
    if (exists) {
        // Replace what a symbolic link points at, as writing through it would, not the link.
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    // Beside the target, so that the rename stays on one file system.
    const std::filesystem::path place(target);
    std::string pattern =
        (place.parent_path() / ("." + place.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    temporary = name.data();
    descriptor = fd;
    mode = exists ? st.st_mode & 07777 : NewFileMode();
    errno = 0;
    stream.open(temporary, std::ios::binary | std::ios::trunc);
    if (!stream) {
        error = SystemReason(errno);
        return false;
    }
    return true;
}

bool TOutputFile::Commit(std::string& error)
{
    errno = 0;
    stream.flush();
    stream.close();
    if (!stream) {
        error = SystemReason(errno);
        return false;
    }
    if (temporary.empty())
        return true;
    // mkstemp made the file private: it gets what the old file had, or what a new one gets. On the
    // disk before it takes the old file's place, so that a crash leaves one or the other.
    if (::fchmod(descriptor, mode) != 0 || ::fsync(descriptor) != 0 ||
        ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    ::close(descriptor);
    temporary.clear();
    return true;
}
