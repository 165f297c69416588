// The description of a medium, an INI file: [Main], [Startup],
// [DirectoryName] and [PM Info] copied into SETUP.INF as they are, [Disks]
// (Size, Label), [Files] (one line a file, in install order; the source
// SETUP.INF, plain, into a directory at the top of the medium, installs the
// script that mkmedium writes) and [Extra files] (put on the medium but named
// by no file line).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "mkmedium/ini_text.h"
#include "mkmedium/report.h"

constexpr uint64_t FLOPPY_BYTES = 1457664;  // a 1.44 MB floppy
constexpr const char* DEFAULT_DISK_LABEL = "Disk %d";

struct DescribedFile {
    std::string source;  // as written
    std::filesystem::path path;
    std::string name;         // the installed name
    std::string stored_name;  // its name on the medium
    char replaced = 0;        // the character that stored_name gave up for "_"
    int directory = 0;        // into DIRECTORY_KEYS
    std::string folder;       // that key's [DirectoryName] value
    std::string description;
    bool plain = false;
    // The line names SETUP.INF itself, which mkmedium writes: the installed
    // program can then read the script it was installed by.
    bool is_script = false;
    int line = 0;
    // A "Disk=label" line before it: the file starts a disk.
    bool starts_disk = false;
    std::string disk_label;
    int disk_line = 0;
};

struct ExtraFile {
    std::string source;
    std::filesystem::path path;
    std::string name;
    std::string folder;  // "" for the top of the medium
    int line = 0;
};

struct Description {
    IniText ini;
    uint64_t disk_size = FLOPPY_BYTES;
    std::string label_pattern = DEFAULT_DISK_LABEL;
    int label_line = 0;
    std::vector<DescribedFile> files;
    std::vector<ExtraFile> extras;
};

// Reads and checks the description at path; every problem goes to report,
// whose file names the description.
Description read_description(const std::filesystem::path& path, Report& report);

// A disk label: the pattern with "%d" replaced by the disk's number.
std::string disk_label(const std::string& pattern, int disk);
