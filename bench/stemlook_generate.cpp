// Writes a synthetic design: stemlook-generate FOLDER [--records N] [--fields N] [--pictures N]
// [--lines N] [--lists N] [--tables N] [--reports N]
#include "DesignGenerator.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <system_error>

namespace {

constexpr const char* kUsage =
    "usage: stemlook-generate FOLDER [--records N] [--fields N] [--pictures N] [--lines N]\n"
    "                         [--lists N] [--tables N] [--reports N]\n";

int* Option(TDesignSize& size, std::string_view flag)
{
    if (flag == "--records") {
        return &size.records;
    }
    if (flag == "--fields") {
        return &size.fieldsPerRecord;
    }
    if (flag == "--pictures") {
        return &size.picturesPerRecord;
    }
    if (flag == "--lines") {
        return &size.scriptLinesPerPicture;
    }
    if (flag == "--lists") {
        return &size.lists;
    }
    if (flag == "--tables") {
        return &size.tables;
    }
    if (flag == "--reports") {
        return &size.reports;
    }
    return nullptr;
}

bool ParseCount(std::string_view text, int& value)
{
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && value >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    TDesignSize size;
    std::filesystem::path folder;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (int* target = Option(size, arg)) {
            if (i + 1 >= argc || !ParseCount(argv[i + 1], *target)) {
                std::cerr << "stemlook-generate: " << arg << " needs a count\n" << kUsage;
                return 2;
            }
            ++i;
        } else if (arg.starts_with("-") || !folder.empty()) {
            std::cerr << "stemlook-generate: unexpected argument " << arg << "\n" << kUsage;
            return 2;
        } else {
            folder = arg;
        }
    }
    if (folder.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::cerr << "stemlook-generate: cannot create " << folder.string() << ": "
                  << error.message() << "\n";
        return 1;
    }
    const std::filesystem::path file = folder / "control.ged";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const std::string text = GenerateDesign(size);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        std::cerr << "stemlook-generate: cannot write " << file.string() << "\n";
        return 1;
    }
    return 0;
}
