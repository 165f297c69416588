// A fresh folder for one test, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }

private:
    std::filesystem::path path_;
};

void write_text(const std::filesystem::path& path, const std::string& text);
std::string read_text(const std::filesystem::path& path);
