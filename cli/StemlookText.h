#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of stemlook-text.
enum TExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2, kExitInternalError = 3 };

// Runs stemlook-text with its arguments (without the program name); returns the exit status.
int RunStemlookText(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
