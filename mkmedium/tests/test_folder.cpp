#include "test_folder.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TestFolder::TestFolder()
{
    static int made = 0;
    path_ = fs::temp_directory_path() / ("mkmedium-test-" + std::to_string(getpid()) + "-" + std::to_string(++made));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TestFolder::~TestFolder()
{
    std::error_code error;
    fs::remove_all(path_, error);
}

void write_text(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string read_text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
