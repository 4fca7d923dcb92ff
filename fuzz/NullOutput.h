#pragma once

#include "model/TDisplayHost.h"

#include <ostream>
#include <streambuf>

// Sinks for the harnesses: every writer runs in full (a stream with no buffer would skip the
// formatting), and nothing is kept, so memory stays flat over millions of runs.
class TNullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char_type*, std::streamsize n) override { return n; }
};

class TNullStream : public std::ostream {
public:
    TNullStream() : std::ostream(&buffer) {}

private:
    TNullBuffer buffer;
};

// A screen with no windows that swallows error boxes.
class TNullHost : public TDisplayHost {
public:
    bool ActivateDefinition(const TDefBase&) override { return false; }
    void OpenDefinition(const TDefBase&, TPaneKind) override {}
    void ShowError(std::string_view, std::string_view) override {}
};
