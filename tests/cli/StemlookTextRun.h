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

inline const char* const kTextDesign = "0 @person@ RECORD\n"
                                       "1 @name@ FIELD text\n2 TAG NAME\n"
                                       "1 @short@ PICTURE name\n"
                                       "0 LIST\n1 TYPE person\n1 SIZE 2\n"
                                       "0 TRLR\n";

// A temporary folder that also holds the log, out of the user's cache folder, and the design
// in db.kvd under it.
class StemlookTextTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_CACHE_HOME", dir.Path().c_str(), 1); }
    std::string WriteDesign() { return dir.Write("db.kvd/control.ged", kTextDesign); }
    TTempFolder dir;
    const std::string db = dir.Path() + "/db.kvd";
};
