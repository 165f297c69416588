// What the loader reads from SETUP.INF and how much of it it keeps, and the
// checks of the sections that a description copies into the script as they
// are ([Main], [DirectoryName], [PM Info], [Startup]).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "mkmedium/ini_text.h"
#include "mkmedium/report.h"
#include "script/file_table.h"
#include "script/parse_field.h"
#include "script/script_limits.h"

// The keys of [DirectoryName], in the loader's order; the last three name
// only a source folder, their files going to the Windows directories.
struct DirectoryKey {
    const char* name;
    bool windows;
};
constexpr std::array<DirectoryKey, DIRECTORY_COUNT> DIRECTORY_KEYS = {{
    {"RootDir", false}, {"SubDir1", false}, {"SubDir2", false}, {"SubDir3", false}, {"SubDir4", false},
    {"SubDir5", false}, {"SubDir6", false}, {"WinDir", true}, {"WinSystemDir", true}, {"WinInfDir", true},
}};
int find_directory_key(std::string_view key);  // index, or -1

// Where a file of that directory key, folder value and name is installed, as
// a key that is equal for equal places (case does not count).
std::string install_place(int directory, std::string_view folder, std::string_view name);

// Characters kept of each field, the terminating zero left out.
constexpr int chars_kept(size_t buffer) { return static_cast<int>(buffer) - 1; }
constexpr int LINE_KEPT = chars_kept(SCRIPT_LINE_CHARS);
constexpr int SOURCE_NAME_KEPT = chars_kept(sizeof(FileEntry::source_name));
constexpr int TARGET_NAME_KEPT = chars_kept(sizeof(FileEntry::target_name));
constexpr int DESCRIPTION_KEPT = chars_kept(sizeof(FileEntry::description));
constexpr int RECORD_FOLDER_KEPT = chars_kept(sizeof(FileEntry::source_subdir));
constexpr int MAX_FILES = 32767;   // the file counts are 16-bit
constexpr int MAX_MINIMUM_SPACE = 32767;

// True when key is n written as the loader writes its keys ("%d").
bool is_line_number(std::string_view key, int& n);

// Adds a Cut finding when value is longer than kept characters.
bool check_width(Report& report, int line, std::string_view section, std::string_view key, std::string_view what,
                 std::string_view value, int kept);

// The fields of a line as parse_field splits them, uncut, and how many
// there were.
struct Fields {
    std::array<std::string, 4> field;
    int count = 0;
};
Fields split_fields(std::string_view line, int wanted);

// [Main]: widths, MinimumSpace as the loader reads it (returned; -1 when
// the key is absent), the keys left to their defaults.
int check_main_section(Report& report, const IniSection* main);
void check_startup_section(Report& report, const IniSection* startup);
// [PM Info]: the items read, the ones never read, the widths.
void check_program_items(Report& report, const IniSection* items);
// [DirectoryName]: unknown keys and widths; used[i] when file lines use key i,
// whose value then also goes into the records' 40-character folders.
void check_directory_names(Report& report, const IniSection* names, const std::array<bool, DIRECTORY_COUNT>& used);
void check_not_empty(Report& report, const IniSection* section);
