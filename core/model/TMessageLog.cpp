#include "model/TMessageLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TMessageLog::~TMessageLog()
{
    CloseFile();
}

void TMessageLog::CloseFile()
{
    if (file)
        std::fclose(file);
    file = nullptr;
}

bool TMessageLog::Restart(const std::string& path)
{
    CloseFile();
    text.clear();
    ends.clear();
    if (path.empty())
        return true;
    // O_NOFOLLOW: a symbolic link planted at the log's place must not redirect our writes.
    // O_NONBLOCK and the check after: a named pipe there must not hang the load.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::ftruncate(fd, 0) != 0 ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return false;
    }
    file = ::fdopen(fd, "w");
    if (!file) {
        ::close(fd);
        return false;
    }
    return true;
}

void TMessageLog::Line(std::string_view line)
{
    const size_t start = text.size();
    text.append(line);
    text.push_back('\n');
    for (size_t i = start; i < text.size(); ++i)
        if (text[i] == '\n')
            ends.push_back(i);
    if (file) {
        std::fwrite(text.data() + start, 1, text.size() - start, file);
        if (ends.size() <= kFlushedLines)
            std::fflush(file);
    }
}

void TMessageLog::Flush()
{
    if (file)
        std::fflush(file);
}

std::vector<std::string> TMessageLog::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(Count());
    for (size_t i = 0; i < Count(); ++i)
        lines.emplace_back(At(i));
    return lines;
}
