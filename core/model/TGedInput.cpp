#include "model/TGedInput.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr size_t kBlockSize = 1 << 20;
}

TGedInput::TGedInput(std::string text) : memory(std::move(text))
{
    pos = memory.data();
    end = pos + memory.size();
}

TGedInput::TGedInput(int descriptor) : block(new char[kBlockSize]), fd(descriptor) {}

TGedInput::~TGedInput()
{
    if (fd >= 0)
        ::close(fd);
}

bool TGedInput::Fill()
{
    if (fd < 0)
        return false;
    while (true) {
        const ssize_t n = ::read(fd, block.get(), kBlockSize);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A read error ends the file like its end does: what was read stays loaded.
            ::close(fd);
            fd = -1;
            return false;
        }
        pos = block.get();
        end = pos + n;
        return true;
    }
}

bool TGedInput::AppendLine(std::string& buffer, size_t limit)
{
    while (buffer.size() < limit) {
        if (pos == end && !Fill())
            return true;
        const size_t room = limit - buffer.size();
        const char* stop = static_cast<size_t>(end - pos) > room ? pos + room : end;
        const char* lf = static_cast<const char*>(std::memchr(pos, '\n', stop - pos));
        const char* segmentEnd = lf ? lf : stop;
        if (std::memchr(pos, '\r', segmentEnd - pos)) {
            for (const char* p = pos; p != segmentEnd; ++p)
                if (*p != '\r')
                    buffer.push_back(*p);
        } else {
            buffer.append(pos, segmentEnd);
        }
        pos = segmentEnd;
        if (lf) {
            ++pos;
            return true;
        }
    }
    return false;
}
