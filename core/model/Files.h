#pragma once

#include <string>

// Questions about files on disk that both programs ask before they write one.
namespace files {

// True when both paths name one existing file (the same device and inode), however they are
// spelt: through symbolic links, hard links, "." or "..". False when either does not exist.
bool SameFile(const std::string& a, const std::string& b);

} // namespace files
