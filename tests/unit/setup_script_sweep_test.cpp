// A generated sweep of hostile scripts, each loaded into a state filled with
// a guard pattern: a value may change only the bytes of its field up to its
// terminator, and nothing the loader does not own may change at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "script/setup_script.h"
#include "support/setup_fixture.h"
#include "support/test_files.h"

namespace {

constexpr unsigned char GUARD = 0xA5;
constexpr uint32_t SWEEP_SEED = 0x5E7A9u;
constexpr int SWEEP_SCRIPTS = 300;
constexpr int WINDOWS_DIR_LENGTHS[] = {10, 32, 39, 79};

// Small, fixed and the same on every platform.
class Generator {
public:
    explicit Generator(uint32_t seed) : x_(seed) {}
    uint32_t next()
    {
        x_ ^= x_ << 13;
        x_ ^= x_ >> 17;
        x_ ^= x_ << 5;
        return x_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    bool one_in(int n) { return below(n) == 0; }

private:
    uint32_t x_;
};

// A value for a field of the given size: missing, empty, about the size
// (one less, equal, one more), far too long, or bytes no script should hold,
// NUL among them. The result never breaks the line: no CR or LF.
bool make_value(Generator& g, int field_size, std::string& value)
{
    const int kind = g.below(8);
    if (kind == 0) return false;
    const int lengths[] = {0, field_size - 2, field_size - 1, field_size, field_size + 1, 127, 128, 400};
    int length = lengths[g.below(static_cast<int>(std::size(lengths)))];
    if (length < 0) length = 0;
    value.clear();
    for (int i = 0; i < length; ++i) {
        char c;
        if (kind == 1) {
            do c = static_cast<char>(g.below(256));
            while (c == '\r' || c == '\n');
        } else if (kind == 2 && g.one_in(6)) {
            c = ',';
        } else if (kind == 3 && g.one_in(4)) {
            c = ' ';
        } else {
            c = static_cast<char>('A' + g.below(26));
        }
        value += c;
    }
    return true;
}

// Counts that are negative, zero, small, or wrap to one of those in 16 bits.
// Tables of thousands of records take seconds each to read: the hand-written
// cases cover those.
const char* const COUNTS[] = {"0",     "-1",     "-32768", "1",      "3",   "40",   "127",  "32768",
                              "65535", "65539",  "-65533", "-70000", "abc", "  12", "0x10", ""};
const char* const DIRECTORY_KEYS[] = {"RootDir", "SubDir1", "SubDir2", "SubDir3", "SubDir4",
                                      "SubDir5", "SubDir6", "WinDir", "WinSystemDir", "WinInfDir"};

std::string count_value(Generator& g) { return COUNTS[g.below(static_cast<int>(std::size(COUNTS)))]; }

// A file line: four fields of any length, now and then a directory key that
// names one of the ten directories, in any case.
std::string file_line(Generator& g)
{
    std::string line, field;
    for (int f = 0; f < 4; ++f) {
        if (f > 0) line += ',';
        if (f == 3 && g.below(3) != 0) {
            std::string key = DIRECTORY_KEYS[g.below(10)];
            if (g.one_in(2))
                for (char& c : key) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
            line += " " + key;
        } else if (make_value(g, f < 2 ? 15 : 62, field)) {
            line += field;
        }
    }
    if (g.one_in(5)) line = line.substr(0, g.below(static_cast<int>(line.size()) + 1));
    return line;
}

struct Script {
    std::string text;
};

// Most scripts have every section; a few have six disks of full 127-character
// lines.
Script make_script(Generator& g)
{
    Script script;
    std::string& s = script.text;
    std::string value;
    auto key = [&](const char* name, int size) {
        if (make_value(g, size, value)) s += std::string(name) + "=" + value + "\r\n";
    };

    s += "[Main]\r\n";
    key("DefaultPath", 80);
    key("GroupName", 128);
    key("GroupTitle", 128);
    key("ProductName", 32);
    if (!g.one_in(4)) s += "MinimumSpace=" + count_value(g) + "\r\n";
    if (!g.one_in(4)) s += "OEM=" + count_value(g) + "\r\n";

    const bool six_long_disks = g.one_in(10);
    s += "[DiskLabel]\r\n";
    for (int d = 1; d <= 6; ++d) {
        if (six_long_disks) {
            s += "Disk" + std::to_string(d) + "=" + std::string(127, 'L') + "\r\n";
            continue;
        }
        key(("Disk" + std::to_string(d)).c_str(), 40);
    }
    s += "[DirectoryName]\r\n";
    for (const char* name : DIRECTORY_KEYS) key(name, 80);

    s += "[FileCounts]\r\n";
    std::vector<int> lines(6);
    for (int d = 1; d <= 6; ++d) {
        const std::string count = six_long_disks ? "40" : count_value(g);
        if (!six_long_disks && g.one_in(6)) continue;
        s += "Disk" + std::to_string(d) + "=" + count + "\r\n";
        lines[d - 1] = std::clamp(static_cast<int>(static_cast<short>(atoi(count.c_str()))), 0, 45);
    }
    for (int d = 1; d <= 6; ++d) {
        if (lines[d - 1] == 0 && !g.one_in(3)) continue;
        s += "[Disk" + std::to_string(d) + "]\r\n";
        const int written = lines[d - 1] + 3;  // and a few keys past the count
        for (int j = 1; j <= written; ++j) {
            if (!six_long_disks && g.one_in(7)) continue;  // a gap in the list
            std::string line = six_long_disks ? std::string(127, 'x') : file_line(g);
            if (six_long_disks) {
                for (int comma : {14, 29, 91}) line[comma] = ',';
                line.replace(92, 7, "WinDir ");
            }
            s += std::to_string(j) + "=" + line + "\r\n";
        }
    }
    s += "[PM Info]\r\n";
    for (int k = 1; k <= 12; ++k) {
        if (g.one_in(6)) continue;
        s += std::to_string(k) + "=" + file_line(g) + "\r\n";
    }
    s += "[Startup]\r\n";
    key("FileName", 80);
    key("Title", 80);
    if (g.one_in(10)) s = s.substr(0, g.below(static_cast<int>(s.size()) + 1));  // cut anywhere
    return script;
}

// Bytes of the state that the loader may change. A string field may change
// up to its first zero; which bytes that is, is known only after the load.
struct Region {
    const char* name;
    size_t offset, size;
    bool is_string;
};

#define FIELD(f, is_string) Region{#f, offsetof(SetupState, f), sizeof(SetupState::f), is_string}
#define ELEMENT(f, i, is_string) Region{#f, offsetof(SetupState, f) + (i) * sizeof(SetupState::f[0]), sizeof(SetupState::f[0]), is_string}

std::vector<Region> loader_regions()
{
    std::vector<Region> regions = {
        FIELD(source_dir, true),    FIELD(product_name, true),  FIELD(caption, true),
        FIELD(dest_dir, true),      FIELD(display_title, true), FIELD(group_name, true),
        FIELD(group_title, true),   FIELD(startup_file, true),  FIELD(min_space_kb, false),
        FIELD(disk_count, false),   FIELD(total_files, false),  FIELD(table_memory, false),
        FIELD(table_base, false),   FIELD(program_items, false), FIELD(program_item_count, false),
        FIELD(oem, false),
        // The text loader's ring, which every string-table read goes through.
        FIELD(text_ring, false),    FIELD(text_ring_index, false),
    };
    for (int i = 0; i < DIRECTORY_COUNT; ++i) regions.push_back(ELEMENT(dir_names, i, true));
    for (int k = 0; k < MAX_DISKS; ++k) regions.push_back(ELEMENT(disk_labels, k, true));
    // Only the disks in use have a count, and one pointer more than they.
    const int disks = state.disk_count >= 0 && state.disk_count <= MAX_DISKS ? state.disk_count : MAX_DISKS;
    for (int k = 0; k < disks; ++k) regions.push_back(ELEMENT(files_per_disk, k, false));
    for (int k = 0; k <= disks; ++k) regions.push_back(ELEMENT(disk_files, k, false));
    return regions;
}

#undef FIELD
#undef ELEMENT

const char* owner_of(size_t offset, const std::vector<Region>& regions)
{
    for (const Region& r : regions)
        if (offset >= r.offset && offset < r.offset + r.size) return r.name;
    return "a field the loader does not own or padding";
}

void fill_state_with_guard(const std::string& windows_dir)
{
    std::memset(static_cast<void*>(&state), GUARD, sizeof state);
    state.instance = nullptr;
    copy_text(state.windows_dir, windows_dir.c_str());
    state.text_ring_index = TEXT_RING_SIZE;
}

// Every byte outside the loader's fields, and every byte of a string field
// past its terminator, still holds the guard.
void expect_state_guarded(const std::string& windows_dir_before)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&state);
    std::vector<bool> may_change(sizeof state, false);
    const std::vector<Region> regions = loader_regions();
    for (const Region& r : regions) {
        size_t end = r.size;
        if (r.is_string) {
            const void* zero = std::memchr(bytes + r.offset, 0, r.size);
            EXPECT_NE(zero, nullptr) << r.name << " is not terminated";
            if (zero != nullptr) end = static_cast<size_t>(static_cast<const unsigned char*>(zero) - (bytes + r.offset)) + 1;
        }
        for (size_t i = 0; i < end; ++i) may_change[r.offset + i] = true;
    }
    // What the loader reads stays as it was.
    for (size_t i = offsetof(SetupState, windows_dir); i < offsetof(SetupState, windows_dir) + sizeof state.windows_dir; ++i)
        may_change[i] = true;
    EXPECT_EQ(std::string(state.windows_dir), windows_dir_before);
    for (size_t i = offsetof(SetupState, instance); i < offsetof(SetupState, instance) + sizeof state.instance; ++i)
        may_change[i] = true;

    int reported = 0;
    for (size_t i = 0; i < sizeof state && reported < 5; ++i) {
        if (may_change[i] || bytes[i] == GUARD) continue;
        ADD_FAILURE() << "byte " << i << " of the state, in " << owner_of(i, regions) << ", changed to "
                      << static_cast<int>(bytes[i]);
        ++reported;
    }
}

// In the zero-filled table every record lies inside the block and every
// string ends inside its field with nothing written after its terminator.
template <size_t N>
void expect_field_clean(const char (&field)[N], const char* what)
{
    const void* zero = std::memchr(field, 0, N);
    ASSERT_NE(zero, nullptr) << what << " is not terminated";
    for (size_t i = static_cast<size_t>(static_cast<const char*>(zero) - field); i < N; ++i)
        ASSERT_EQ(field[i], 0) << what << " has bytes after its terminator";
}

void expect_table_guarded()
{
    ASSERT_NE(state.table_memory, nullptr);
    ASSERT_GE(state.disk_count, 0);
    ASSERT_LE(state.disk_count, MAX_DISKS);
    const auto* begin = static_cast<const char*>(state.table_base);
    const size_t block_size = GlobalSize(state.table_memory);
    const char* end = begin + block_size;
    ASSERT_EQ(reinterpret_cast<const char*>(state.disk_files[0]), begin);

    int total = 0;
    for (int d = 0; d < state.disk_count; ++d) {
        ASSERT_GE(state.files_per_disk[d], 0);
        ASSERT_EQ(state.disk_files[d + 1], state.disk_files[d] + state.files_per_disk[d]);
        total += state.files_per_disk[d];
        for (int j = 0; j < state.files_per_disk[d]; ++j) {
            const FileEntry& e = state.disk_files[d][j];
            ASSERT_LE(reinterpret_cast<const char*>(&e + 1), end);
            expect_field_clean(e.source_subdir, "source_subdir");
            expect_field_clean(e.target_dir, "target_dir");
            expect_field_clean(e.source_name, "source_name");
            expect_field_clean(e.target_name, "target_name");
            expect_field_clean(e.description, "description");
            ASSERT_TRUE(e.absolute == 0 || e.absolute == 1);
        }
    }
    ASSERT_EQ(total, state.total_files);
    ASSERT_GE(block_size, static_cast<size_t>(total) * sizeof(FileEntry) + PROGRAM_ITEM_SLOTS * sizeof(ProgramItem));

    ASSERT_GE(state.program_item_count, 0);
    ASSERT_LE(state.program_item_count, PROGRAM_ITEM_SLOTS);
    for (int k = 0; k < PROGRAM_ITEM_SLOTS; ++k) {
        const ProgramItem& item = *state.program_items[k];
        ASSERT_EQ(&item, reinterpret_cast<const ProgramItem*>(state.disk_files[state.disk_count]) + k);
        expect_field_clean(item.file, "file");
        expect_field_clean(item.title, "title");
        expect_field_clean(item.extra, "extra");
    }
    // Whatever the allocation rounded up is still zero.
    for (const char* p = reinterpret_cast<const char*>(state.program_items[PROGRAM_ITEM_SLOTS - 1] + 1); p < end; ++p)
        ASSERT_EQ(*p, 0) << "the block's slack was written";
}

// Loads the script over a guarded state and checks every bound.
void load_guarded(const ScriptFolder& folder, const std::string& text, const std::string& windows_dir = "C:\\WINDOWS")
{
    const std::string path = folder.dir() + "\\SETUP.INF";
    write_file(path, text);
    // The profile functions keep the last file read; this makes them read it again.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    fill_state_with_guard(windows_dir);
    state.instance = folder.module();
    const std::string windows_dir_before = state.windows_dir;

    ASSERT_EQ(load_setup_script(), 1);
    expect_state_guarded(windows_dir_before);
    expect_table_guarded();
}

TEST(LoaderSweepTest, GeneratedHostileScriptsWriteOnlyInsideTheirFields)
{
    Generator g(SWEEP_SEED);
    ScriptFolder folder("");
    for (int n = 0; n < SWEEP_SCRIPTS; ++n) {
        const Script script = make_script(g);
        // A Windows directory too long for a record's target folder, with or without SYSTEM after it.
        const std::string windows_dir = "C:\\" + std::string(WINDOWS_DIR_LENGTHS[g.below(4)] - 3, 'W');
        SCOPED_TRACE("script " + std::to_string(n) + ", Windows directory " + windows_dir + ":\n" +
                     script.text.substr(0, 2000));
        load_guarded(folder, script.text, windows_dir);
        release_file_table();
        if (::testing::Test::HasFailure()) break;
    }
    reset_setup_state();
}

// The largest table there is: the first disk takes every record a 16-bit
// total holds, and the counts of the other five cannot be added to it.
TEST(LoaderSweepTest, FullTableWritesOnlyInsideTheBlock)
{
    ScriptFolder folder("");
    std::string script = "[DiskLabel]\r\n";
    for (int d = 1; d <= 6; ++d) script += "Disk" + std::to_string(d) + "=" + std::string(39, 'L') + "\r\n";
    script += "[FileCounts]\r\nDisk1=32767\r\nDisk2=1\r\nDisk3=-1\r\nDisk4=32768\r\nDisk5=70000\r\nDisk6=5\r\n";
    script += "[Disk1]\r\n1=" + std::string(127, 'x') + "\r\n32767=" + std::string(14, 's') + "," + std::string(14, 't') +
              "," + std::string(61, 'd') + ",WinDir\r\n";
    script += "[PM Info]\r\n";
    for (int k = 1; k <= 10; ++k) script += std::to_string(k) + "=" + std::string(14, 'f') + "," + std::string(39, 't') + ",eeee\r\n";
    load_guarded(folder, script);

    EXPECT_EQ(state.total_files, 32767);
    EXPECT_EQ(state.files_per_disk[0], 32767);
    EXPECT_EQ(state.disk_count, 6);
    for (int d = 1; d < MAX_DISKS; ++d) EXPECT_EQ(state.files_per_disk[d], 0);
    EXPECT_EQ(std::string(state.disk_files[0][0].source_name), std::string(127, 'x').substr(0, 14));
    const FileEntry& last = state.disk_files[0][32766];
    EXPECT_EQ(std::string(last.description), std::string(61, 'd'));
    EXPECT_EQ(last.absolute, 1);
    EXPECT_EQ(state.program_item_count, 10);
    EXPECT_EQ(std::string(state.program_items[9]->extra), "eeee");
    release_file_table();
    reset_setup_state();
}

}  // namespace
