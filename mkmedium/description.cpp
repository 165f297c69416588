#include "mkmedium/description.h"

#include <array>
#include <cctype>
#include <map>

#include "mkmedium/medium_files.h"
#include "mkmedium/names.h"
#include "mkmedium/script_rules.h"

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 7> SECTIONS = {"Main",  "Startup", "DirectoryName", "PM Info",
                                                 "Disks", "Files",   "Extra files"};
constexpr std::array<const char*, 4> COPIED_SECTIONS = {"Main", "Startup", "DirectoryName", "PM Info"};
constexpr const char* DISK_BREAK_KEY = "Disk";
constexpr const char* PLAIN = "plain";
constexpr const char* SCRIPT_NAME = "SETUP.INF";

std::string trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return std::string(s);
}

std::vector<std::string> split_commas(std::string_view line)
{
    std::vector<std::string> fields;
    for (;;) {
        const size_t comma = line.find(',');
        fields.push_back(trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos) return fields;
        line.remove_prefix(comma + 1);
    }
}

void check_sections(const IniText& ini, Report& report)
{
    for (const IniSection& section : ini.sections) {
        bool known = false;
        for (const char* name : SECTIONS) known = known || same_name(section.name, name);
        if (!known) {
            add_problem(report, Finding::UnknownName, section.number, section.name, "",
                        "is no section of a description (mkmedium writes [DiskLabel], [FileCounts] and the "
                        "disks' sections itself)");
            continue;
        }
        if (&section != find_section(ini, section.name))
            add_problem(report, Finding::BadDescription, section.number, section.name, "", "the section comes twice");
        check_not_empty(report, &section);
    }
    for (const char* name : COPIED_SECTIONS) {
        const IniSection* section = find_section(ini, name);
        if (section == nullptr || same_name(name, "PM Info")) continue;
        for (const IniLine& line : section->lines)
            if (&line != find_key(section, line.key))
                add_problem(report, Finding::BadDescription, line.number, section->name, line.key,
                            "is given twice: the loader would read only the first");
    }
}

bool is_plain_number(std::string_view value)
{
    if (value.empty() || value.size() > 15) return false;
    for (char c : value)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

void read_disks(const IniSection* disks, Description& d, Report& report)
{
    if (disks == nullptr) return;
    for (const IniLine& line : disks->lines) {
        if (same_name(line.key, "Size")) {
            if (!is_plain_number(line.value) || std::stoull(line.value) == 0)
                add_problem(report, Finding::BadDescription, line.number, disks->name, line.key,
                            "\"" + line.value + "\" is no number of bytes");
            else
                d.disk_size = std::stoull(line.value);
        } else if (same_name(line.key, "Label")) {
            const size_t at = line.value.find('%');
            if (at != std::string::npos &&
                (line.value.compare(at, 2, "%d") != 0 || line.value.find('%', at + 1) != std::string::npos))
                add_problem(report, Finding::BadDescription, line.number, disks->name, line.key,
                            "a label may hold one %d, for the disk's number, and no other %");
            d.label_pattern = line.value;
            d.label_line = line.number;
        } else {
            add_problem(report, Finding::UnknownName, line.number, disks->name, line.key,
                        "is no key of [Disks] (Size, Label)");
        }
    }
}

// A relative folder that never climbs above where it starts.
bool is_below_top(std::string_view folder)
{
    if (folder.front() == '/' || folder.front() == '\\' || folder.find(':') != std::string_view::npos) return false;
    while (!folder.empty()) {
        const size_t slash = folder.find_first_of("/\\");
        if (folder.substr(0, slash) == "..") return false;
        folder = slash == std::string_view::npos ? std::string_view() : folder.substr(slash + 1);
    }
    return true;
}

// The [DirectoryName] value of a key, checked as a folder on the medium.
bool directory_folder(const Description& d, const IniSection& section, const IniLine& line, int directory,
                      Report& report, std::string& folder)
{
    const IniLine* value = find_key(find_section(d.ini, "DirectoryName"), DIRECTORY_KEYS[directory].name);
    if (value == nullptr || profile_string(*value).empty()) {
        add_problem(report, Finding::BadDescription, line.number, section.name, "",
                    std::string(DIRECTORY_KEYS[directory].name) + " has no [DirectoryName] value (\".\" is the "
                                                                  "top of the medium)");
        return false;
    }
    folder = profile_string(*value);
    const bool outside = !is_below_top(folder);
    if (outside) {
        add_problem(report, Finding::BadName, value->number, "DirectoryName", value->key,
                    "\"" + folder + "\" is not a folder below the top of the medium");
        return false;
    }
    return true;
}

bool find_source(const fs::path& base, const std::string& source, int line, std::string_view section,
                 Report& report, fs::path& path)
{
    std::string portable = source;
    for (char& c : portable)
        if (c == '\\') c = '/';
    path = base / fs::path(portable);
    std::error_code error;
    if (fs::is_regular_file(path, error)) return true;
    add_problem(report, Finding::MissingFile, line, section, "",
                "the source " + source + " is missing (looked for at " + path.string() + ")");
    return false;
}

bool check_short_name(const std::string& name, int line, std::string_view section, Report& report)
{
    if (is_short_name(name)) return true;
    add_problem(report, Finding::BadName, line, section, "", "\"" + name + "\" is no 8.3 name");
    return false;
}

// The script installs itself as it stands on the medium: uncompressed, and
// from the top, where mkmedium writes it.
bool check_script_line(const DescribedFile& file, int line, std::string_view section, Report& report)
{
    if (file.plain && folder_path(file.folder).empty()) return true;
    add_problem(report, Finding::BadDescription, line, section, "",
                std::string(SCRIPT_NAME) + " installs the script mkmedium writes: mark it plain and give it a "
                                           "directory whose [DirectoryName] value is \".\"");
    return false;
}

void read_file_line(const fs::path& base, const IniSection& section, const IniLine& line, Description& d,
                    Report& report, DescribedFile& pending)
{
    // A description may hold "=", which the INI reading took for a key's end.
    const std::string text = line.has_value ? line.key + "=" + line.value : line.key;
    const std::vector<std::string> fields = split_commas(text);
    if (fields.size() < 3 || fields.size() > 4) {
        add_problem(report, Finding::BadDescription, line.number, section.name, "",
                    "a file line is: source, directory key, description[, plain]");
        return;
    }
    DescribedFile file = pending;
    pending = DescribedFile();
    file.source = fields[0];
    file.line = line.number;
    file.name = std::string(file_part(file.source));
    file.description = fields[2];
    bool ok = check_short_name(file.name, line.number, section.name, report);
    ok = check_width(report, line.number, section.name, "", "the description", file.description, DESCRIPTION_KEPT) &&
         ok;
    if (fields.size() == 4) {
        file.plain = same_name(fields[3], PLAIN);
        if (!file.plain) {
            add_problem(report, Finding::BadDescription, line.number, section.name, "",
                        "the fourth field may only be \"plain\"");
            ok = false;
        }
    }
    file.directory = find_directory_key(fields[1]);
    if (file.directory < 0) {
        add_problem(report, Finding::UnknownName, line.number, section.name, "",
                    "\"" + fields[1] + "\" is no directory key");
        ok = false;
    } else {
        ok = directory_folder(d, section, line, file.directory, report, file.folder) && ok;
    }
    file.is_script = same_name(file.source, SCRIPT_NAME);
    if (file.is_script) {
        ok = check_script_line(file, line.number, section.name, report) && ok;
    } else {
        ok = find_source(base, file.source, line.number, section.name, report, file.path) && ok;
    }
    if (!ok) return;
    file.stored_name = file.plain ? file.name : compressed_name(file.name, file.replaced);
    d.files.push_back(std::move(file));
}

void read_files(const fs::path& base, const IniSection* files, Description& d, Report& report)
{
    if (files == nullptr) {
        add_problem(report, Finding::EmptySection, 0, "Files", "", "the description has no [Files]");
        return;
    }
    DescribedFile pending;
    int lines = 0;
    for (const IniLine& line : files->lines) {
        if (line.has_value && same_name(line.key, DISK_BREAK_KEY)) {
            if (pending.starts_disk)
                add_problem(report, Finding::EmptySection, pending.disk_line, files->name, line.key,
                            "the disk this line starts holds no file");
            pending.starts_disk = true;
            pending.disk_label = line.value;
            pending.disk_line = line.number;
            continue;
        }
        if (++lines == MAX_FILES + 1)
            add_problem(report, Finding::BadDescription, line.number, files->name, "",
                        "more than " + std::to_string(MAX_FILES) + " files: the loader counts in 16 bits");
        read_file_line(base, *files, line, d, report, pending);
    }
    if (pending.starts_disk)
        add_problem(report, Finding::EmptySection, pending.disk_line, files->name, DISK_BREAK_KEY,
                    "the disk this line starts holds no file");
}

void read_extras(const fs::path& base, const IniSection* extras, Description& d, Report& report)
{
    if (extras == nullptr) return;
    for (const IniLine& line : extras->lines) {
        const std::vector<std::string> fields = split_commas(line.key);
        if (line.has_value || fields.size() > 2) {
            add_problem(report, Finding::BadDescription, line.number, extras->name, "",
                        "an extra file's line is: source[, directory key]");
            continue;
        }
        ExtraFile extra;
        extra.source = fields[0];
        extra.name = std::string(file_part(extra.source));
        extra.line = line.number;
        bool ok = check_short_name(extra.name, line.number, extras->name, report);
        if (fields.size() == 2) {
            const int directory = find_directory_key(fields[1]);
            if (directory < 0) {
                add_problem(report, Finding::UnknownName, line.number, extras->name, "",
                            "\"" + fields[1] + "\" is no directory key");
                ok = false;
            } else {
                ok = directory_folder(d, *extras, line, directory, report, extra.folder) && ok;
            }
        }
        ok = find_source(base, extra.source, line.number, extras->name, report, extra.path) && ok;
        if (ok) d.extras.push_back(std::move(extra));
    }
}

// No two files on one place of the medium, nor installed to one place.
void check_places(const Description& d, Report& report)
{
    std::map<std::string, int> on_medium = {{medium_key("", SCRIPT_NAME), 0}};
    std::map<std::string, int> installed;
    const auto claim = [&](std::map<std::string, int>& places, const std::string& place, int line,
                           const std::string& section, const std::string& what) {
        const auto [earlier, first] = places.emplace(place, line);
        if (first) return;
        add_problem(report, Finding::SameTarget, line, section, "",
                    what + (earlier->second == 0 ? " is the script mkmedium writes"
                                                 : " is also where line " + std::to_string(earlier->second) +
                                                       " puts its file"));
    };
    for (const DescribedFile& f : d.files) {
        if (!f.is_script)
            claim(on_medium, medium_key(f.folder, f.stored_name), f.line, "Files",
                  f.stored_name + " on the medium, in \"" + f.folder + "\",");
        claim(installed, install_place(f.directory, f.folder, f.name), f.line, "Files",
              "the installed " + f.name + " (" + DIRECTORY_KEYS[f.directory].name + ")");
    }
    for (const ExtraFile& e : d.extras)
        claim(on_medium, medium_key(e.folder, e.name), e.line, "Extra files", e.name + " on the medium");
}

void check_copied_sections(Description& d, Report& report)
{
    check_main_section(report, find_section(d.ini, "Main"));
    check_startup_section(report, find_section(d.ini, "Startup"));
    check_program_items(report, find_section(d.ini, "PM Info"));
    std::array<bool, DIRECTORY_COUNT> used = {};
    for (const DescribedFile& f : d.files) used[f.directory] = true;
    check_directory_names(report, find_section(d.ini, "DirectoryName"), used);
}

}  // namespace

std::string disk_label(const std::string& pattern, int disk)
{
    const size_t at = pattern.find("%d");
    if (at == std::string::npos) return pattern;
    return pattern.substr(0, at) + std::to_string(disk) + pattern.substr(at + 2);
}

Description read_description(const fs::path& path, Report& report)
{
    Description d;
    std::vector<uint8_t> text;
    if (!read_bytes(path, text)) {
        add_problem(report, Finding::MissingFile, 0, "", "", "cannot read the description");
        return d;
    }
    d.ini = parse_ini(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), true);
    const fs::path base = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    check_sections(d.ini, report);
    read_disks(find_section(d.ini, "Disks"), d, report);
    read_files(base, find_section(d.ini, "Files"), d, report);
    read_extras(base, find_section(d.ini, "Extra files"), d, report);
    check_places(d, report);
    check_copied_sections(d, report);
    return d;
}
