#pragma once

#include "StemlookText.h"
#include "core/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// One run of stemlook-text in this process: its exit status and what it wrote.
struct TextRun {
    int status;
    std::string out, err;
};

inline TextRun StemlookText(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunStemlookText(args, out, err);
    return {status, out.str(), err.str()};
}

// A temporary folder that also holds the log, out of the user's cache folder.
class StemlookTextTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_CACHE_HOME", dir.Path().c_str(), 1); }
    TTempFolder dir;
};
