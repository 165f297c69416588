#include "test_files.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

std::string test_program_dir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\'));
}

std::string make_temp_dir(const std::string& tag)
{
    static int serial = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    for (;;) {
        std::string dir = std::string(temp) + "setup-test-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(++serial);
        if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

void write_file(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool file_exists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool directory_exists_at(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<FolderEntry> folder_entries(const std::string& dir)
{
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, found.nFileSizeLow});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

namespace {

void add_tree(const std::string& dir, const std::string& prefix, std::vector<std::string>& out)
{
    for (const FolderEntry& entry : folder_entries(dir)) {
        if (!entry.is_folder) {
            out.push_back(prefix + entry.name);
            continue;
        }
        out.push_back(prefix + entry.name + "\\");
        add_tree(dir + "\\" + entry.name, prefix + entry.name + "\\", out);
    }
}

}  // namespace

std::vector<std::string> folder_tree(const std::string& dir)
{
    std::vector<std::string> entries;
    add_tree(dir, "", entries);
    std::sort(entries.begin(), entries.end());
    return entries;
}

void remove_tree(const std::string& path)
{
    for (const FolderEntry& entry : folder_entries(path)) {
        const std::string child = path + "\\" + entry.name;
        if (entry.is_folder) {
            remove_tree(child);
        } else {
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(child.c_str());
        }
    }
    RemoveDirectoryA(path.c_str());
}

void copy_tree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    for (const FolderEntry& entry : folder_entries(from)) {
        const std::string source = from + "\\" + entry.name;
        const std::string target = to + "\\" + entry.name;
        if (entry.is_folder)
            copy_tree(source, target);
        else
            CopyFileA(source.c_str(), target.c_str(), FALSE);
    }
}
