// Files of a medium: reading and writing them whole, and finding them the
// way Windows does, without regard to case.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

bool read_bytes(const std::filesystem::path& path, std::vector<uint8_t>& out);
bool write_bytes(const std::filesystem::path& path, const std::vector<uint8_t>& data);

// The folders of a [DirectoryName] value, "." and empty parts dropped and
// ".." taken back, joined with "/".
std::string folder_path(std::string_view folder);

// A file's place below a medium's top as one key: the folder_path of the
// folder and the name, in lower case.
std::string medium_key(std::string_view folder, std::string_view name);

// Every file below a medium's top, by its key.
std::map<std::string, std::filesystem::path> index_medium(const std::filesystem::path& top);
