#include "StemlookText.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return RunStemlookText(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "stemlook-text: out of memory\n";
    } catch (...) {
        std::cerr << "stemlook-text: unexpected exception\n";
    }
    return kExitFailed;
}
