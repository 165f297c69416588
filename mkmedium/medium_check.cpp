#include "mkmedium/medium_check.h"

#include <cctype>
#include <climits>
#include <map>
#include <set>
#include <string>

#include "mkmedium/ini_text.h"
#include "mkmedium/lz_expand.h"
#include "mkmedium/medium_files.h"
#include "mkmedium/names.h"
#include "mkmedium/script_rules.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* SCRIPT_NAME = "SETUP.INF";
constexpr const char* PROGRAM_NAME = "SETUP.EXE";
constexpr int KB = 1024;

// Where the checks of one medium keep what they have learnt.
struct Medium {
    fs::path top;
    IniText script;
    Report report;
    std::map<std::string, fs::path> files;  // by medium_key
    std::set<std::string> named;            // medium keys of the files that lines name
    std::map<std::string, std::string> targets;  // where each file goes, to the line that sends it there
    int disk_count = 0;
    std::array<int, MAX_DISKS> counts = {};
    std::array<bool, DIRECTORY_COUNT> used = {};
    uint64_t expanded_bytes = 0;
};

std::string disk_name(int k) { return "Disk" + std::to_string(k); }

// n for a name "Disk<n>", in any case; 0 for any other name.
int disk_number(std::string_view name)
{
    int n = 0;
    if (name.size() < 5 || !same_name(name.substr(0, 4), "Disk") || !is_line_number(name.substr(4), n)) return 0;
    return n;
}

// [DiskLabel]: the loader counts the non-empty labels among Disk1 .. Disk6
// and then reads disks 1 to that count, whichever labels were set.
void check_disk_labels(Medium& m)
{
    const IniSection* labels = find_section(m.script, "DiskLabel");
    int first_unlabelled = 0;
    for (int k = 1; k <= MAX_DISKS; ++k) {
        const IniLine* line = find_key(labels, disk_name(k));
        const std::string value = line ? profile_string(*line) : "";
        if (value.empty()) {
            if (first_unlabelled == 0) first_unlabelled = k;
            continue;
        }
        ++m.disk_count;
        check_width(m.report, line->number, labels->name, line->key, "the label", value,
                    chars_kept(DISK_LABEL_CHARS));
        if (first_unlabelled != 0)
            add_problem(m.report, Finding::DiskGap, line->number, labels->name, line->key,
                        "is labelled but " + disk_name(first_unlabelled) +
                            " is not: the loader counts disks 1 to " + std::to_string(m.disk_count) +
                            ", so [" + disk_name(k) + "] is read only as far as that count reaches");
    }
    if (labels != nullptr)
        for (const IniLine& line : labels->lines) {
            const int k = disk_number(line.key);
            if (k == 0 || k > MAX_DISKS)
                add_problem(m.report, Finding::LineIgnored, line.number, labels->name, line.key,
                            "is not read: the loader reads Disk1 to Disk" + std::to_string(MAX_DISKS));
        }
    if (m.disk_count == 0 && (labels == nullptr || !labels->lines.empty()))
        add_problem(m.report, Finding::EmptySection, labels ? labels->number : 0, "DiskLabel", "",
                    "no disk is labelled: the loader installs no file");
}

// [FileCounts]: each count is read into 16 bits; one that is negative, or
// that carries the total past what 16 bits hold, is taken as 0.
void check_file_counts(Medium& m)
{
    const IniSection* counts = find_section(m.script, "FileCounts");
    int total = 0;
    for (int k = 1; k <= m.disk_count; ++k) {
        const IniLine* line = find_key(counts, disk_name(k));
        const std::string value = line ? profile_string(*line) : "";
        if (value.empty()) continue;
        const int number = profile_int(value);
        short count = static_cast<short>(number);
        if (number != count || !std::isdigit(static_cast<unsigned char>(value[0])))
            add_problem(m.report, Finding::ReadsOtherwise, line->number, counts->name, line->key,
                        line->key + " " + value + " reads as " + std::to_string(count) +
                            (count < 0 ? ", which the loader takes as 0" : ""));
        if (count > SHRT_MAX - total) {
            add_problem(m.report, Finding::ReadsOtherwise, line->number, counts->name, line->key,
                        "carries the number of files past " + std::to_string(MAX_FILES) +
                            ": the loader takes it as 0");
            count = 0;
        }
        if (count < 0) count = 0;
        m.counts[k - 1] = count;
        total += count;
    }
    if (counts == nullptr) return;
    for (const IniLine& line : counts->lines) {
        const int k = disk_number(line.key);
        if (k == 0 || k > MAX_DISKS)
            add_problem(m.report, Finding::LineIgnored, line.number, counts->name, line.key,
                        "is not read: the loader reads Disk1 to Disk" + std::to_string(MAX_DISKS));
        else if (k > m.disk_count)
            add_problem(m.report, Finding::LineIgnored, line.number, counts->name, line.key,
                        "is not read: only " + std::to_string(m.disk_count) + " disks are labelled");
    }
}

void check_source_file(Medium& m, const IniSection& section, const IniLine& line, const std::string& folder,
                       const std::string& source, const std::string& target)
{
    const std::string key = medium_key(folder, source);
    const auto found = m.files.find(key);
    if (found == m.files.end()) {
        add_problem(m.report, Finding::MissingFile, line.number, section.name, line.key,
                    source + " is not on the medium" + (folder.empty() ? "" : " (looked for in " + folder + ")"));
        return;
    }
    m.named.insert(key);
    std::vector<uint8_t> data;
    if (!read_bytes(found->second, data)) {
        add_problem(m.report, Finding::MissingFile, line.number, section.name, line.key, source + " cannot be read");
        return;
    }
    std::vector<uint8_t> expanded;
    switch (lz_expand(data.data(), data.size(), expanded)) {
    case LzResult::NotLz:
        m.expanded_bytes += data.size();
        if (!source.empty() && source.back() == '_' && (target.empty() || target.back() != '_'))
            add_problem(m.report, Finding::BadLzFile, line.number, section.name, line.key,
                        source + " has no LZ header: it is installed as it lies, not expanded");
        break;
    case LzResult::BadHeader:
        add_problem(m.report, Finding::BadLzFile, line.number, section.name, line.key,
                    source + " has an LZ header of another mode than 'A'");
        break;
    case LzResult::Corrupt:
        add_problem(m.report, Finding::BadLzFile, line.number, section.name, line.key,
                    source + " does not expand to the " + std::to_string(lz_expanded_length(data.data())) +
                        " bytes its header gives");
        break;
    case LzResult::Expanded:
        m.expanded_bytes += expanded.size();
        break;
    }
}

void check_file_line(Medium& m, const IniSection& section, const IniLine& line)
{
    const std::string value = profile_string(line);
    check_width(m.report, line.number, section.name, line.key, "the line", value, LINE_KEPT);
    const Fields fields = split_fields(std::string_view(value).substr(0, LINE_KEPT), 4);
    if (fields.count < 4)
        add_problem(m.report, Finding::BadDescription, line.number, section.name, line.key,
                    "has " + std::to_string(fields.count) +
                        " fields, not 4 (source, target, description, directory key)");
    check_width(m.report, line.number, section.name, line.key, "the source name", fields.field[0], SOURCE_NAME_KEPT);
    check_width(m.report, line.number, section.name, line.key, "the target name", fields.field[1], TARGET_NAME_KEPT);
    check_width(m.report, line.number, section.name, line.key, "the description", fields.field[2],
                DESCRIPTION_KEPT);
    const std::string source = fields.field[0].substr(0, SOURCE_NAME_KEPT);
    const std::string target = fields.field[1].substr(0, TARGET_NAME_KEPT);

    const int directory = find_directory_key(fields.field[3]);
    if (directory < 0) {
        add_problem(m.report, Finding::UnknownName, line.number, section.name, line.key,
                    "\"" + fields.field[3] + "\" is no directory key: the loader gives the file no folders");
        return;
    }
    m.used[directory] = true;
    const IniLine* folder_line = find_key(find_section(m.script, "DirectoryName"), DIRECTORY_KEYS[directory].name);
    const std::string folder = folder_line ? profile_string(*folder_line).substr(0, RECORD_FOLDER_KEPT) : "";
    if (!source.empty()) check_source_file(m, section, line, folder, source, target);

    const std::string place = install_place(directory, folder, target);
    const std::string here = "[" + section.name + "] " + line.key + " (line " + std::to_string(line.number) + ")";
    const auto [earlier, first] = m.targets.emplace(place, here);
    if (!first)
        add_problem(m.report, Finding::SameTarget, line.number, section.name, line.key,
                    target + " goes where " + earlier->second + " puts its file: the later copy overwrites it");
}

// [Disk1] .. [DiskN]: the loader reads exactly the keys 1 to the disk's
// count, whatever else the section holds.
void check_disk_section(Medium& m, int k)
{
    const std::string name = disk_name(k);
    const IniSection* section = find_section(m.script, name);
    const IniLine* count_line = find_key(find_section(m.script, "FileCounts"), name);
    const int count = m.counts[k - 1];
    const int where = section ? section->number : count_line ? count_line->number : 0;

    int numbered = 0;
    if (section != nullptr)
        for (const IniLine& line : section->lines) {
            int n = 0;
            if (!is_line_number(line.key, n)) {
                add_problem(m.report, Finding::LineIgnored, line.number, section->name, line.key,
                            "\"" + line.key + "\" is no line number: the loader never reads it");
                continue;
            }
            if (&line != find_key(section, line.key)) continue;
            ++numbered;
            if (n > count)
                add_problem(m.report, Finding::LineIgnored, line.number, section->name, line.key,
                            "line " + line.key + " is past the count of " + std::to_string(count) +
                                ": the loader ignores it");
        }
    if (numbered != count)
        add_problem(m.report, Finding::CountDisagrees, count_line ? count_line->number : where, "FileCounts", name,
                    "the count is " + std::to_string(count) + ", but [" + name + "] has " +
                        std::to_string(numbered) + " numbered lines");

    for (int j = 1; j <= count; ++j) {
        const IniLine* line = find_key(section, std::to_string(j));
        if (line == nullptr || profile_string(*line).empty()) {
            add_problem(m.report, Finding::LineMissing, line ? line->number : where, name, std::to_string(j),
                        "line " + std::to_string(j) + (line ? " is empty" : " is missing") + " within the count of " +
                            std::to_string(count) +
                            ": the loader keeps an empty record, and the copy takes a step for nothing");
            continue;
        }
        check_file_line(m, *section, *line);
    }
}

void check_disks_past_count(Medium& m)
{
    for (const IniSection& section : m.script.sections) {
        const int k = disk_number(section.name);
        if (k <= m.disk_count || section.lines.empty()) continue;
        add_problem(m.report, Finding::LineIgnored, section.number, section.name, "",
                    k > MAX_DISKS ? "the loader reads at most " + std::to_string(MAX_DISKS) + " disks"
                                  : "only " + std::to_string(m.disk_count) +
                                        " disks are labelled: the loader reads none of it");
    }
}

void check_known_sections(Medium& m)
{
    for (const IniSection& section : m.script.sections) {
        bool known = disk_number(section.name) != 0;
        for (const char* name : {"Main", "DiskLabel", "DirectoryName", "FileCounts", "PM Info", "Startup"})
            known = known || same_name(section.name, name);
        if (known)
            check_not_empty(m.report, &section);
        else
            add_warning(m.report, Finding::UnknownName, section.number, section.name, "",
                        "the loader reads no such section");
    }
}

void warn_unlisted_files(Medium& m)
{
    for (const auto& [key, path] : m.files) {
        if (m.named.count(key) != 0) continue;
        const bool at_top = key.find('/') == std::string::npos;
        // The program, its script and, beside them, the driver's INF files
        // that the driver installation reads.
        if (at_top && (key == lower_case(SCRIPT_NAME) || key == lower_case(PROGRAM_NAME) ||
                       (key.size() > 4 && key.substr(key.size() - 4) == ".inf")))
            continue;
        add_warning(m.report, Finding::Unlisted, 0, "", "",
                    path.lexically_relative(m.top).generic_string() + " is on the medium, but no line names it");
    }
}

void warn_small_minimum_space(Medium& m, int minimum_space)
{
    const uint64_t needed = (m.expanded_bytes + KB - 1) / KB;
    const IniSection* main = find_section(m.script, "Main");
    const IniLine* line = find_key(main, "MinimumSpace");
    if (minimum_space >= 0 && static_cast<uint64_t>(minimum_space) < needed && needed <= MAX_MINIMUM_SPACE)
        add_warning(m.report, Finding::Default, line ? line->number : 0, "Main", "MinimumSpace",
                    std::to_string(minimum_space) + " KB is less than the " + std::to_string(needed) +
                        " KB that the files take once installed");
}

}  // namespace

Report check_medium(const fs::path& top)
{
    Medium m;
    m.top = top;
    m.report.file = SCRIPT_NAME;
    m.files = index_medium(top);
    const auto script = m.files.find(lower_case(SCRIPT_NAME));
    std::vector<uint8_t> text;
    if (script == m.files.end() || !read_bytes(script->second, text)) {
        add_problem(m.report, Finding::MissingFile, 0, "", "",
                    "there is no SETUP.INF in " + top.string() + ": the loader takes every default and installs nothing");
        return m.report;
    }
    m.script = parse_ini(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), false);
    if (m.files.count(lower_case(PROGRAM_NAME)) == 0)
        add_warning(m.report, Finding::MissingFile, 0, "", "", "there is no SETUP.EXE beside the script");

    check_known_sections(m);
    const int minimum_space = check_main_section(m.report, find_section(m.script, "Main"));
    check_disk_labels(m);
    check_file_counts(m);
    for (int k = 1; k <= m.disk_count; ++k) check_disk_section(m, k);
    check_disks_past_count(m);
    check_directory_names(m.report, find_section(m.script, "DirectoryName"), m.used);
    check_program_items(m.report, find_section(m.script, "PM Info"));
    check_startup_section(m.report, find_section(m.script, "Startup"));
    warn_unlisted_files(m);
    warn_small_minimum_space(m, minimum_space);
    return m.report;
}
