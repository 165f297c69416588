// Scripts that no medium should carry: every one loads without a crash and
// without a write outside its field or outside the table block.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "script/setup_script.h"
#include "support/setup_fixture.h"

namespace {

std::string repeat(char c, size_t n) { return std::string(n, c); }

template <size_t N>
bool terminated(const char (&field)[N])
{
    return std::memchr(field, '\0', N) != nullptr;
}

// Every string field of the state ends inside its array.
void expect_fields_terminated()
{
    EXPECT_TRUE(terminated(state.source_dir));
    EXPECT_TRUE(terminated(state.product_name));
    EXPECT_TRUE(terminated(state.caption));
    EXPECT_TRUE(terminated(state.dest_dir));
    EXPECT_TRUE(terminated(state.display_title));
    EXPECT_TRUE(terminated(state.group_name));
    EXPECT_TRUE(terminated(state.group_title));
    EXPECT_TRUE(terminated(state.startup_file));
    for (const auto& label : state.disk_labels) EXPECT_TRUE(terminated(label));
    for (const auto& name : state.dir_names) EXPECT_TRUE(terminated(name));
}

// Every record lies inside the block, and each of its strings ends inside
// its field.
void expect_table_inside_block()
{
    ASSERT_NE(state.table_memory, nullptr);
    const auto* begin = static_cast<const char*>(state.table_base);
    const auto* end = begin + GlobalSize(state.table_memory);
    ASSERT_GE(state.disk_count, 0);
    ASSERT_LE(state.disk_count, MAX_DISKS);
    short total = 0;
    for (int d = 0; d < state.disk_count; ++d) {
        ASSERT_GE(state.files_per_disk[d], 0);
        total = static_cast<short>(total + state.files_per_disk[d]);
        for (int j = 0; j < state.files_per_disk[d]; ++j) {
            const FileEntry& e = state.disk_files[d][j];
            ASSERT_GE(reinterpret_cast<const char*>(&e), begin);
            ASSERT_LE(reinterpret_cast<const char*>(&e + 1), end);
            EXPECT_TRUE(terminated(e.source_subdir) && terminated(e.target_dir) && terminated(e.source_name) &&
                        terminated(e.target_name) && terminated(e.description));
        }
    }
    EXPECT_EQ(total, state.total_files);
    ASSERT_LE(reinterpret_cast<const char*>(state.program_items[9] + 1), end);
    for (int k = 0; k < state.program_item_count; ++k) {
        const ProgramItem& item = *state.program_items[k];
        EXPECT_TRUE(terminated(item.file) && terminated(item.title) && terminated(item.extra));
    }
}

struct HostileCase {
    const char* name;
    std::string script;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

std::string six_disks_of_long_lines()
{
    std::string script = "[DiskLabel]\r\n";
    for (int d = 1; d <= 6; ++d) script += "Disk" + std::to_string(d) + "=" + repeat('L', 200) + "\r\n";
    script += "[FileCounts]\r\n";
    for (int d = 1; d <= 6; ++d) script += "Disk" + std::to_string(d) + "=40\r\n";
    for (int d = 1; d <= 6; ++d) {
        script += "[Disk" + std::to_string(d) + "]\r\n";
        for (int j = 1; j <= 40; ++j)
            script += std::to_string(j) + "=" + repeat('s', 30) + "," + repeat('t', 30) + "," + repeat('d', 40) + "," +
                      repeat('k', 40) + "\r\n";
    }
    return script;
}

std::string all_fields_overlong()
{
    const std::string big = repeat('X', 400);
    std::string script = "[Main]\r\nDefaultPath=" + big + "\r\nGroupName=" + big + "\r\nGroupTitle=" + big +
                         "\r\nProductName=" + big + "\r\nMinimumSpace=" + repeat('9', 40) + "\r\nOEM=" + big + "\r\n";
    script += "[DirectoryName]\r\n";
    for (const char* key : {"RootDir", "SubDir1", "SubDir2", "SubDir3", "SubDir4", "SubDir5", "SubDir6", "WinDir",
                            "WinSystemDir", "WinInfDir"})
        script += std::string(key) + "=" + big + "\r\n";
    script += "[DiskLabel]\r\nDisk1=" + big + "\r\n[FileCounts]\r\nDisk1=2\r\n[Disk1]\r\n1=" + big + "\r\n2=" +
              repeat('a', 20) + "," + repeat('b', 20) + "," + repeat('c', 70) + ",WinSystemDir\r\n";
    script += "[PM Info]\r\n1=" + big + "\r\n2=" + repeat('p', 50) + "," + repeat('q', 50) + "," + repeat('r', 50) + "\r\n";
    script += "[Startup]\r\nFileName=" + big + "\r\nTitle=" + big + "\r\n";
    return script;
}

class HostileScriptTest : public ::testing::TestWithParam<HostileCase> {
protected:
    void SetUp() override
    {
        reset_setup_state();
        copy_text(state.windows_dir, "C:\\WINDOWS");
    }
    void TearDown() override { release_file_table(); }
};

TEST_P(HostileScriptTest, LoadsWithinEveryBound)
{
    ScriptFolder folder(GetParam().script);
    ASSERT_EQ(load_setup_script(), 1);
    expect_fields_terminated();
    expect_table_inside_block();
}

const HostileCase hostile_cases[] = {
    {"overlong_values", all_fields_overlong()},
    {"missing_commas", "[DiskLabel]\r\nDisk1=A\r\n[FileCounts]\r\nDisk1=3\r\n[Disk1]\r\n1=ONLYNAME\r\n2=A B C D\r\n3=,,,\r\n"
                       "[PM Info]\r\n1=solo\r\n"},
    {"binary_bytes", std::string("[Main]\r\nProductName=\x01\x02\xff\xfe\x7f\r\n[DiskLabel]\r\nDisk1=\x80\x81\r\n"
                                 "[FileCounts]\r\nDisk1=1\r\n[Disk1]\r\n1=\x90\x91,\xa0\xa1,\t\t\x1b,\xc0\r\n")},
    {"negative_counts", "[DiskLabel]\r\nDisk1=A\r\nDisk2=B\r\n[FileCounts]\r\nDisk1=-5\r\nDisk2=2\r\n"},
    {"counts_past_32767", "[DiskLabel]\r\nDisk1=A\r\nDisk2=B\r\nDisk3=C\r\n[FileCounts]\r\nDisk1=32767\r\nDisk2=32767\r\n"
                          "Disk3=70000\r\n"},
    {"zero_counts", "[DiskLabel]\r\nDisk1=A\r\nDisk2=B\r\n[FileCounts]\r\nDisk1=0\r\nDisk2=0\r\n"},
    {"six_disks_of_long_lines", six_disks_of_long_lines()},
};

INSTANTIATE_TEST_SUITE_P(Scripts, HostileScriptTest, ::testing::ValuesIn(hostile_cases),
                         [](const auto& info) { return std::string(info.param.name); });

class LoaderLimitsTest : public HostileScriptTest {};

TEST_F(LoaderLimitsTest, OverlongValuesAreCutToTheirFields)
{
    ScriptFolder folder(all_fields_overlong());
    ASSERT_EQ(load_setup_script(), 1);
    EXPECT_EQ(std::string(state.product_name), repeat('X', 31));
    EXPECT_EQ(std::string(state.caption), repeat('X', 31) + " Setup Program");
    EXPECT_EQ(std::string(state.dest_dir), "C" + repeat('X', 78));
    EXPECT_EQ(std::string(state.display_title), repeat('X', 79));
    EXPECT_EQ(std::string(state.disk_labels[0]), repeat('X', 39));
    const FileEntry& line_without_commas = state.disk_files[0][0];
    EXPECT_EQ(std::string(line_without_commas.source_name), repeat('X', 14));
    EXPECT_STREQ(line_without_commas.target_name, "");
    // A line holds 127 characters; this one fits, with every field too long.
    const FileEntry& long_fields = state.disk_files[0][1];
    EXPECT_EQ(std::string(long_fields.source_name), repeat('a', 14));
    EXPECT_EQ(std::string(long_fields.target_name), repeat('b', 14));
    EXPECT_EQ(std::string(long_fields.description), repeat('c', 61));
    EXPECT_EQ(std::string(long_fields.source_subdir), repeat('X', 39));
    EXPECT_STREQ(long_fields.target_dir, "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(std::string(state.program_items[1]->extra), repeat('r', 4));
}

TEST_F(LoaderLimitsTest, CountsThatCannotBeHeldAreTakenAsZero)
{
    ScriptFolder folder("[DiskLabel]\r\nDisk1=A\r\nDisk2=B\r\nDisk3=C\r\nDisk4=D\r\n[FileCounts]\r\nDisk1=-5\r\n"
                        "Disk2=30000\r\nDisk3=5000\r\nDisk4=7\r\n");
    ASSERT_EQ(load_setup_script(), 1);
    EXPECT_EQ(state.files_per_disk[0], 0);
    EXPECT_EQ(state.files_per_disk[1], 30000);
    EXPECT_EQ(state.files_per_disk[2], 0);  // would carry the total past 32767
    EXPECT_EQ(state.files_per_disk[3], 7);
    EXPECT_EQ(state.total_files, 30007);
    EXPECT_GE(GlobalSize(state.table_memory), 30007u * 176 + 600);
}

}  // namespace
