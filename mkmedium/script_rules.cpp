#include "mkmedium/script_rules.h"

#include <cctype>

#include "mkmedium/medium_files.h"
#include "mkmedium/names.h"

namespace {

constexpr std::array<const char*, 6> MAIN_KEYS = {"ProductName", "DefaultPath", "MinimumSpace",
                                                  "OEM",         "GroupName",   "GroupTitle"};
constexpr std::array<const char*, 2> STARTUP_KEYS = {"FileName", "Title"};

struct Width {
    const char* key;
    int kept;
};
constexpr std::array<Width, 4> MAIN_WIDTHS = {{
    {"ProductName", chars_kept(PRODUCT_NAME_CHARS)},
    {"DefaultPath", chars_kept(SCRIPT_PATH_CHARS)},
    {"GroupName", chars_kept(GROUP_CHARS)},
    {"GroupTitle", chars_kept(GROUP_CHARS)},
}};

template <size_t N>
bool is_one_of(std::string_view key, const std::array<const char*, N>& names)
{
    for (const char* name : names)
        if (same_name(key, name)) return true;
    return false;
}

template <size_t N>
void warn_unknown_keys(Report& report, const IniSection& section, const std::array<const char*, N>& known)
{
    for (const IniLine& line : section.lines)
        if (!is_one_of(line.key, known))
            add_warning(report, Finding::UnknownName, line.number, section.name, line.key,
                        "the loader reads no such key");
}

void check_minimum_space(Report& report, const IniSection& main, const IniLine& line, int& read)
{
    const std::string value = profile_string(line);
    if (value.empty()) {
        read = -1;
        return;
    }
    const int number = profile_int(value);
    read = static_cast<short>(number);
    const bool plain = !value.empty() && std::isdigit(static_cast<unsigned char>(value[0]));
    if (plain && number == read) return;
    std::string text = "MinimumSpace " + value + " reads as " + std::to_string(read);
    if (read < 0) text += ": every drive is refused";
    if (read == 0) text += ": any drive passes, even a full one";
    add_problem(report, Finding::ReadsOtherwise, line.number, main.name, line.key, text);
}

}  // namespace

int find_directory_key(std::string_view key)
{
    for (size_t i = 0; i < DIRECTORY_KEYS.size(); ++i)
        if (same_name(key, DIRECTORY_KEYS[i].name)) return static_cast<int>(i);
    return -1;
}

std::string install_place(int directory, std::string_view folder, std::string_view name)
{
    if (DIRECTORY_KEYS[directory].windows) return std::string(DIRECTORY_KEYS[directory].name) + ":" + lower_case(name);
    return "destination:" + medium_key(folder, name);
}

bool is_line_number(std::string_view key, int& n)
{
    if (key.empty() || key.size() > 9 || key[0] == '0') return false;
    n = 0;
    for (char c : key) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        n = n * 10 + (c - '0');
    }
    return true;
}

bool check_width(Report& report, int line, std::string_view section, std::string_view key, std::string_view what,
                 std::string_view value, int kept)
{
    if (static_cast<int>(value.size()) <= kept) return true;
    add_problem(report, Finding::Cut, line, section, key,
                std::string(what) + " \"" + std::string(value) + "\" has " + std::to_string(value.size()) +
                    " characters; the loader keeps " + std::to_string(kept) + ": \"" +
                    std::string(value.substr(0, kept)) + "\"");
    return false;
}

Fields split_fields(std::string_view line, int wanted)
{
    const std::string text(line);
    Fields fields;
    if (!text.empty()) fields.count = 1;
    for (char c : text)
        if (c == ',') ++fields.count;
    if (fields.count > wanted) fields.count = wanted;
    const char* next = text.c_str();
    for (int i = 0; i < wanted; ++i) {
        char out[PARSE_FIELD_WORK_CHARS];
        next = parse_field(next, out);
        fields.field[i] = out;
    }
    return fields;
}

int check_main_section(Report& report, const IniSection* main)
{
    int minimum_space = -1;
    if (main == nullptr) {
        add_warning(report, Finding::Default, 0, "Main", "", "no [Main]: the loader takes the product name "
                                                             "\"Talvo\" and the path C:\\TALVO");
        return minimum_space;
    }
    warn_unknown_keys(report, *main, MAIN_KEYS);
    for (const Width& width : MAIN_WIDTHS)
        if (const IniLine* line = find_key(main, width.key))
            check_width(report, line->number, main->name, line->key, width.key, profile_string(*line), width.kept);
    if (const IniLine* line = find_key(main, "MinimumSpace")) check_minimum_space(report, *main, *line, minimum_space);
    if (find_key(main, "ProductName") == nullptr)
        add_warning(report, Finding::Default, main->number, main->name, "ProductName",
                    "missing: the loader names the product \"Talvo\"");
    if (find_key(main, "DefaultPath") == nullptr)
        add_warning(report, Finding::Default, main->number, main->name, "DefaultPath",
                    "missing: the loader proposes C:\\TALVO");
    return minimum_space;
}

void check_startup_section(Report& report, const IniSection* startup)
{
    if (startup == nullptr) return;
    warn_unknown_keys(report, *startup, STARTUP_KEYS);
    for (const char* key : STARTUP_KEYS)
        if (const IniLine* line = find_key(startup, key))
            check_width(report, line->number, startup->name, line->key, key, profile_string(*line),
                        chars_kept(SCRIPT_PATH_CHARS));
}

void check_program_items(Report& report, const IniSection* items)
{
    if (items == nullptr) return;
    // The loader reads items 1, 2, ... and stops at the first one missing or
    // empty, or after the last slot.
    int first_gap = PROGRAM_ITEM_SLOTS + 1;
    for (int k = 1; k <= PROGRAM_ITEM_SLOTS && first_gap > PROGRAM_ITEM_SLOTS; ++k) {
        const IniLine* line = find_key(items, std::to_string(k));
        if (line == nullptr || profile_string(*line).empty()) first_gap = k;
    }
    for (const IniLine& line : items->lines) {
        int n = 0;
        if (!is_line_number(line.key, n)) {
            add_problem(report, Finding::LineIgnored, line.number, items->name, line.key,
                        "\"" + line.key + "\" is no item number: the loader never reads it");
            continue;
        }
        if (n > PROGRAM_ITEM_SLOTS) {
            add_problem(report, Finding::LineIgnored, line.number, items->name, line.key,
                        "item " + line.key + " is past the " + std::to_string(PROGRAM_ITEM_SLOTS) +
                            " items the loader reads");
            continue;
        }
        if (n > first_gap) {
            add_problem(report, Finding::LineIgnored, line.number, items->name, line.key,
                        "item " + line.key + " comes after item " + std::to_string(first_gap) +
                            ", which is missing or empty: the loader stops there");
            continue;
        }
        if (n == first_gap || &line != find_key(items, line.key)) continue;
        const std::string value = profile_string(line);
        check_width(report, line.number, items->name, line.key, "the line", value, LINE_KEPT);
        const Fields fields = split_fields(std::string_view(value).substr(0, LINE_KEPT), 3);
        check_width(report, line.number, items->name, line.key, "the file", fields.field[0],
                    chars_kept(sizeof(ProgramItem::file)));
        check_width(report, line.number, items->name, line.key, "the title", fields.field[1],
                    chars_kept(sizeof(ProgramItem::title)));
        check_width(report, line.number, items->name, line.key, "the third field", fields.field[2],
                    chars_kept(sizeof(ProgramItem::extra)));
    }
}

void check_directory_names(Report& report, const IniSection* names, const std::array<bool, DIRECTORY_COUNT>& used)
{
    if (names == nullptr) return;
    for (const IniLine& line : names->lines) {
        const int index = find_directory_key(line.key);
        if (index < 0) {
            add_problem(report, Finding::UnknownName, line.number, names->name, line.key,
                        "is no directory key the loader knows");
            continue;
        }
        if (&line != find_key(names, line.key)) continue;
        const std::string value = profile_string(line);
        if (check_width(report, line.number, names->name, line.key, "the folder", value,
                        chars_kept(SCRIPT_PATH_CHARS)) &&
            used[index])
            check_width(report, line.number, names->name, line.key, "the folder of the files' records", value,
                        RECORD_FOLDER_KEPT);
    }
}

void check_not_empty(Report& report, const IniSection* section)
{
    if (section != nullptr && section->lines.empty())
        add_problem(report, Finding::EmptySection, section->number, section->name, "", "the section is empty");
}
