#include "model/TMessageLog.h"

#include <fcntl.h>
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
    lines.clear();
    if (path.empty())
        return true;
    // O_NOFOLLOW: a symbolic link planted at the log's place must not redirect our writes.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    file = ::fdopen(fd, "w");
    if (!file) {
        ::close(fd);
        return false;
    }
    return true;
}

void TMessageLog::Line(std::string_view text)
{
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        lines.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (file) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fputc('\n', file);
        std::fflush(file);
    }
}
