#include "script/setup_script.h"

#include <cstdio>
#include <climits>
#include <cstring>

#include "resources/resource_ids.h"
#include "script/file_table.h"
#include "script/script_limits.h"
#include "setup/bounded_text.h"
#include "setup/setup_state.h"
#include "setup/text.h"

TableMemoryCalls table_memory_calls = {GlobalAlloc, GlobalFree};

namespace {

constexpr SIZE_T TABLE_EXTRA_BYTES = PROGRAM_ITEM_SLOTS * sizeof(ProgramItem);  // 600

constexpr const char* DEFAULT_PATH = "C:\\TALVO";
constexpr const char* DEFAULT_GROUP_NAME = "TALVO.GRP";
constexpr const char* DEFAULT_GROUP_TITLE = "TALVO";
constexpr const char* DEFAULT_PRODUCT_NAME = "Talvo";
constexpr int DEFAULT_MINIMUM_SPACE = 1024;

char script_path[MAX_PATH];

void read_string(unsigned section, unsigned key, const char* fallback, char* out, DWORD size)
{
    GetPrivateProfileStringA(load_text(section), load_text(key), fallback, out, size, script_path);
}

template <size_t N>
void read_string(unsigned section, unsigned key, const char* fallback, char (&out)[N])
{
    read_string(section, key, fallback, out, N);
}

int read_int(unsigned section, unsigned key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(load_text(section), load_text(key), fallback, script_path));
}

void read_numbered_line(const char* section, int number, char (&line)[SCRIPT_LINE_CHARS])
{
    char key[16];
    wsprintfA(key, "%d", number);
    GetPrivateProfileStringA(section, key, "", line, SCRIPT_LINE_CHARS, script_path);
}

void locate_program()
{
    char module_path[MAX_PATH] = {};
    GetModuleFileNameA(state.instance, module_path, MAX_PATH - 1);
    for (int i = lstrlenA(module_path) - 1; i >= 1; --i) {
        if (module_path[i] == '\\') {
            module_path[i] = '\0';
            break;
        }
    }
    copy_text(state.source_dir, module_path);
    copy_text(script_path, state.source_dir);
    append_text(script_path, "\\SETUP.INF");
}

void read_main_section()
{
    read_string(IDS_MAIN, IDS_DEFAULT_PATH, DEFAULT_PATH, state.dest_dir);
    // The default path keeps its folders but moves to the Windows drive.
    const bool was_empty = state.dest_dir[0] == '\0';
    state.dest_dir[0] = state.windows_dir[0];
    if (was_empty) state.dest_dir[1] = '\0';

    read_string(IDS_MAIN, IDS_GROUP_NAME, DEFAULT_GROUP_NAME, state.group_name);
    read_string(IDS_MAIN, IDS_GROUP_TITLE, DEFAULT_GROUP_TITLE, state.group_title);
    read_string(IDS_MAIN, IDS_PRODUCT_NAME, DEFAULT_PRODUCT_NAME, state.product_name);

    copy_text(state.caption, state.product_name);
    append_text(state.caption, " ");
    append_text(state.caption, load_text(IDS_SETUP_PROGRAM));

    state.min_space_kb = static_cast<short>(read_int(IDS_MAIN, IDS_MINIMUM_SPACE, DEFAULT_MINIMUM_SPACE));
}

void count_disks()
{
    state.disk_count = 0;
    for (int k = 0; k < MAX_DISKS; ++k) {
        read_string(IDS_DISK_LABEL, IDS_DISK1 + k, "", state.disk_labels[k]);
        if (state.disk_labels[k][0] != '\0') ++state.disk_count;
    }
}

void read_directory_names()
{
    for (int i = 0; i < DIRECTORY_COUNT; ++i) read_string(IDS_DIRECTORY_NAME, IDS_ROOT_DIR + i, "", state.dir_names[i]);
}

// A count that is negative, or that would carry the total past what a 16-bit
// count holds, is taken as 0, so that every record stays inside the block.
void read_file_counts()
{
    state.total_files = 0;
    for (int k = 0; k < state.disk_count; ++k) {
        short count = static_cast<short>(read_int(IDS_FILE_COUNTS, IDS_DISK1 + k, 0));
        if (count < 0 || count > SHRT_MAX - state.total_files) count = 0;
        state.files_per_disk[k] = count;
        state.total_files = static_cast<short>(state.total_files + count);
    }
}

void point_at_records()
{
    auto* records = static_cast<FileEntry*>(state.table_base);
    state.disk_files[0] = records;
    for (int d = 1; d <= state.disk_count; ++d) state.disk_files[d] = state.disk_files[d - 1] + state.files_per_disk[d - 1];

    auto* items = reinterpret_cast<ProgramItem*>(state.disk_files[state.disk_count]);
    for (int k = 0; k < PROGRAM_ITEM_SLOTS; ++k) state.program_items[k] = items + k;
}

// The ten directory names of the string table, in the order of dir_names,
// loaded once for all file lines; a name without a text stays empty and
// matches no key.
using DirectoryKeys = char[DIRECTORY_COUNT][TEXT_CHARS];

void load_directory_keys(DirectoryKeys& keys)
{
    for (int i = 0; i < DIRECTORY_COUNT; ++i) copy_text(keys[i], load_text(IDS_ROOT_DIR + i));
}

// Sets where an entry comes from and goes to, from its directory key.
void resolve_directory(FileEntry& entry, const char* key, const DirectoryKeys& names)
{
    for (int i = 0; i < DIRECTORY_COUNT; ++i) {
        if (names[i][0] == '\0' || _stricmp(key, names[i]) != 0) continue;

        copy_text(entry.source_subdir, state.dir_names[i]);
        switch (i) {
        case DIR_WINDOWS:
            copy_text(entry.target_dir, state.windows_dir);
            entry.absolute = 1;
            break;
        case DIR_SYSTEM:
            copy_text(entry.target_dir, state.windows_dir);
            append_text(entry.target_dir, "\\SYSTEM");
            entry.absolute = 1;
            break;
        case DIR_INF:
            copy_text(entry.target_dir, state.windows_dir);
            append_text(entry.target_dir, "\\INF");
            entry.absolute = 1;
            break;
        default:
            copy_text(entry.target_dir, state.dir_names[i]);
            break;
        }
        return;
    }
}

void read_file_lines()
{
    char section[16];
    char line[SCRIPT_LINE_CHARS];
    char directory_key[PARSE_FIELD_WORK_CHARS];
    DirectoryKeys directory_names;
    load_directory_keys(directory_names);
    for (int d = 0; d < state.disk_count; ++d) {
        copy_text(section, load_text(IDS_DISK1 + d));
        for (int j = 0; j < state.files_per_disk[d]; ++j) {
            read_numbered_line(section, j + 1, line);
            if (line[0] == '\0') continue;

            FileEntry& entry = state.disk_files[d][j];
            const char* next = parse_field(line, entry.source_name);
            next = parse_field(next, entry.target_name);
            next = parse_field(next, entry.description);
            parse_field(next, directory_key);
            resolve_directory(entry, directory_key, directory_names);
        }
    }
}

void read_program_items()
{
    char section[16];
    char line[SCRIPT_LINE_CHARS];
    copy_text(section, load_text(IDS_PM_INFO));
    state.program_item_count = 0;
    for (int k = 0; k < PROGRAM_ITEM_SLOTS; ++k) {
        read_numbered_line(section, k + 1, line);
        if (line[0] == '\0') break;

        ProgramItem& item = *state.program_items[k];
        ++state.program_item_count;
        const char* next = parse_field(line, item.file);
        next = parse_field(next, item.title);
        parse_field(next, item.extra);
    }
}

}  // namespace

int allocate_file_table(short count)
{
    const SIZE_T records = count > 0 ? static_cast<SIZE_T>(count) : 0;
    state.table_memory = table_memory_calls.alloc(GMEM_ZEROINIT, records * sizeof(FileEntry) + TABLE_EXTRA_BYTES);
    if (state.table_memory == nullptr) return 0;
    state.table_base = GlobalLock(state.table_memory);
    return 1;
}

void release_file_table()
{
    if (state.table_memory == nullptr) return;
    GlobalUnlock(state.table_memory);
    table_memory_calls.free(state.table_memory);
    state.table_memory = nullptr;
    state.table_base = nullptr;
}

int load_setup_script()
{
    locate_program();
    read_main_section();
    count_disks();
    read_directory_names();
    read_file_counts();
    if (!allocate_file_table(state.total_files)) return 0;

    point_at_records();
    read_file_lines();
    read_program_items();

    state.oem = GetPrivateProfileIntA(load_text(IDS_MAIN), "OEM", 0, script_path);
    read_string(IDS_STARTUP, IDS_FILE_NAME, "", state.startup_file);
    read_string(IDS_STARTUP, IDS_TITLE, "", state.display_title);
    return 1;
}
