#include "mkmedium/medium_files.h"

#include <fstream>
#include <iterator>

#include "mkmedium/names.h"

namespace fs = std::filesystem;

bool read_bytes(const fs::path& path, std::vector<uint8_t>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool write_bytes(const fs::path& path, const std::vector<uint8_t>& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    return !out.fail();
}

std::string folder_path(std::string_view folder)
{
    std::vector<std::string_view> parts;
    while (!folder.empty()) {
        const size_t slash = folder.find_first_of("/\\");
        const std::string_view part = folder.substr(0, slash);
        folder = slash == std::string_view::npos ? std::string_view() : folder.substr(slash + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string path;
    for (std::string_view part : parts) {
        if (!path.empty()) path += '/';
        path += part;
    }
    return path;
}

std::string medium_key(std::string_view folder, std::string_view name)
{
    return lower_case(folder_path(std::string(folder) + "/" + std::string(name)));
}

std::map<std::string, fs::path> index_medium(const fs::path& top)
{
    std::map<std::string, fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(top, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        const std::string relative = it->path().lexically_relative(top).generic_string();
        files.emplace(medium_key("", relative), it->path());
    }
    return files;
}
