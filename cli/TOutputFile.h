#pragma once

#include <fstream>
#include <string>

// The file of -o. A regular file is written under a temporary name beside it and renamed into
// place by Commit, so a job that fails, or a write that fails, leaves what was there. Anything
// else that exists (a device such as /dev/null, a FIFO) is written directly.
class TOutputFile {
public:
    TOutputFile() = default;
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;
    // Removes the temporary file unless Commit moved it into place.
    ~TOutputFile();

    // False, with the system's reason in error, when the file can't be written.
    bool Open(const std::string& path, std::string& error);
    std::ostream& Stream() { return stream; }
    // Finishes the file and moves it into place; false, with the reason in error, when that
    // fails (the old file then stays).
    bool Commit(std::string& error);

private:
    std::string target;    // the file replaced; a symbolic link's target, not the link
    std::string temporary; // empty when writing the target directly
    int descriptor = -1;   // the temporary file's, kept for fsync and the mode
    unsigned mode = 0;     // the permissions the file gets in place
    std::ofstream stream;
};
