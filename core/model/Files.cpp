#include "model/Files.h"

#include <sys/stat.h>

namespace files {

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {
    }, second{};
    return !a.empty() && !b.empty() && ::stat(a.c_str(), &first) == 0 &&
           ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

} // namespace files
