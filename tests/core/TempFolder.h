#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A folder under the system's temporary folder, removed with everything in it at the end.
class TTempFolder {
public:
    TTempFolder()
    {
        std::random_device random;
        path = std::filesystem::temp_directory_path() /
               ("stemlook-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path);
    }
    ~TTempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string Path() const { return path.string(); }
    std::string Write(const std::string& relative, const std::string& text) const
    {
        const auto file = path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    static std::string Read(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path;
};
