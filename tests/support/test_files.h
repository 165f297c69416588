// Files and folders for tests, each test process in folders of its own.
#pragma once

#include <string>
#include <vector>

// The folder that holds the running test program, without a trailing backslash.
std::string test_program_dir();

// A new empty folder below the temporary folder, unique to this process.
std::string make_temp_dir(const std::string& tag);

void write_file(const std::string& path, const std::string& content);
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
bool directory_exists_at(const std::string& path);
void remove_tree(const std::string& path);
// Copies the folder with everything below it; the target may exist.
void copy_tree(const std::string& from, const std::string& to);

// What a folder holds, without "." and "..", in the order the system lists it.
struct FolderEntry {
    std::string name;
    bool is_folder;
    unsigned long size;  // bytes, below 4 GB
};
std::vector<FolderEntry> folder_entries(const std::string& dir);
// Everything below the folder, relative to it, folders with a trailing
// backslash, sorted.
std::vector<std::string> folder_tree(const std::string& dir);
