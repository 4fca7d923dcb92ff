#include "model/TGedInput.h"

#include <cerrno>
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
