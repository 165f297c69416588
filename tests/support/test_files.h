// Files and folders for tests, each test process in folders of its own.
#pragma once

#include <string>

// The folder that holds the running test program, without a trailing backslash.
std::string test_program_dir();

// A new empty folder below the temporary folder, unique to this process.
std::string make_temp_dir(const std::string& tag);

void write_file(const std::string& path, const std::string& content);
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
bool directory_exists_at(const std::string& path);
void remove_tree(const std::string& path);
