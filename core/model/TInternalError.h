#pragma once

#include <stdexcept>

// A fault of the program itself, carrying its message. Loading catches it, keeps what was read,
// and shows the text captioned "Internal Error".
class TInternalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
