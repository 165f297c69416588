#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "script/setup_script.h"
#include "support/setup_fixture.h"
#include "support/test_files.h"

namespace {

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_setup_state();
        copy_text(state.windows_dir, "C:\\WINNT");
    }
    void TearDown() override { release_file_table(); }

    // Loads the script from a folder of its own; the module stays loaded for
    // the test so that load_text keeps working.
    int load(const std::string& script)
    {
        folder_ = std::make_unique<ScriptFolder>(script);
        return load_setup_script();
    }

    const FileEntry& entry(int disk, int index) const { return state.disk_files[disk][index]; }

    std::unique_ptr<ScriptFolder> folder_;
};

bool all_zero(const void* memory, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(memory);
    for (size_t i = 0; i < size; ++i)
        if (bytes[i] != 0) return false;
    return true;
}

TEST_F(LoaderTest, MissingScriptGivesTheDefaults)
{
    folder_ = std::make_unique<ScriptFolder>("");
    DeleteFileA((folder_->dir() + "\\SETUP.INF").c_str());
    ASSERT_EQ(load_setup_script(), 1);

    EXPECT_STREQ(state.source_dir, folder_->dir().c_str());
    EXPECT_STREQ(state.dest_dir, "C:\\TALVO");
    EXPECT_STREQ(state.product_name, "Talvo");
    EXPECT_STREQ(state.caption, "Talvo Setup Program");
    EXPECT_STREQ(state.group_name, "TALVO.GRP");
    EXPECT_STREQ(state.group_title, "TALVO");
    EXPECT_EQ(state.min_space_kb, 1024);
    EXPECT_EQ(state.disk_count, 0);
    EXPECT_EQ(state.total_files, 0);
    EXPECT_EQ(state.program_item_count, 0);
    EXPECT_EQ(state.oem, 0);
    EXPECT_STREQ(state.display_title, "");
    ASSERT_NE(state.table_memory, nullptr);
    EXPECT_GE(GlobalSize(state.table_memory), 600u);
    EXPECT_EQ(state.disk_files[0], state.table_base);
    EXPECT_EQ(static_cast<void*>(state.program_items[0]), state.table_base);
    EXPECT_TRUE(all_zero(state.table_base, 600));
}

TEST_F(LoaderTest, DefaultPathMovesToTheWindowsDrive)
{
    ASSERT_EQ(load("[Main]\r\nDefaultPath=D:\\APPS\\MOUSE\r\nProductName=Roller Kit\r\nMinimumSpace=2048\r\nOEM=1\r\n"
                   "[Startup]\r\nFileName=QVMAIN.EXE\r\nTitle=Roller Kit Mouse\r\n"),
              1);
    EXPECT_STREQ(state.dest_dir, "C:\\APPS\\MOUSE");
    EXPECT_STREQ(state.caption, "Roller Kit Setup Program");
    EXPECT_EQ(state.min_space_kb, 2048);
    EXPECT_EQ(state.oem, 1);
    EXPECT_STREQ(state.startup_file, "QVMAIN.EXE");
    EXPECT_STREQ(state.display_title, "Roller Kit Mouse");
}

TEST_F(LoaderTest, EmptyDefaultPathLeavesTheDriveLetterAlone)
{
    copy_text(state.windows_dir, "E:\\WINDOWS");
    ASSERT_EQ(load("[Main]\r\nDefaultPath=\r\n"), 1);
    EXPECT_STREQ(state.dest_dir, "E");
}

TEST_F(LoaderTest, DisksInUseAreTheFirstOnesWhicheverLabelsAreSet)
{
    ASSERT_EQ(load("[DiskLabel]\r\nDisk2=Second\r\n"
                   "[FileCounts]\r\nDisk1=1\r\nDisk2=5\r\n"
                   "[DirectoryName]\r\nRootDir=ROOT\r\n"
                   "[Disk1]\r\n1=A.DL_,A.DLL,First,RootDir\r\n"
                   "[Disk2]\r\n1=B.DL_,B.DLL,Second,RootDir\r\n"),
              1);
    EXPECT_EQ(state.disk_count, 1);
    EXPECT_EQ(state.files_per_disk[0], 1);
    EXPECT_EQ(state.files_per_disk[1], 0);
    EXPECT_EQ(state.total_files, 1);
    EXPECT_STREQ(entry(0, 0).source_name, "A.DL_");
    EXPECT_EQ(state.disk_files[1], state.disk_files[0] + 1);
}

TEST_F(LoaderTest, MissingFileLineKeepsItsEmptySlot)
{
    ASSERT_EQ(load("[DiskLabel]\r\nDisk1=One\r\nDisk3=Three\r\n"
                   "[FileCounts]\r\nDisk1=3\r\nDisk2=2\r\n"
                   "[DirectoryName]\r\nSubDir1=BIN\r\n"
                   "[Disk1]\r\n1=ONE.EX_,ONE.EXE,One,SubDir1\r\n3=THREE.EX_,THREE.EXE,Three,SubDir1\r\n"
                   "[Disk2]\r\n1=FOUR.EX_,FOUR.EXE,Four,SubDir1\r\n2=FIVE.EX_,FIVE.EXE,Five,SubDir1\r\n"),
              1);
    ASSERT_EQ(state.disk_count, 2);
    EXPECT_EQ(state.total_files, 5);
    EXPECT_STREQ(entry(0, 0).target_name, "ONE.EXE");
    EXPECT_TRUE(all_zero(&entry(0, 1), sizeof(FileEntry)));
    EXPECT_STREQ(entry(0, 2).target_name, "THREE.EXE");
    EXPECT_STREQ(entry(1, 1).target_name, "FIVE.EXE");

    // Layout: disk after disk with no gap, then the program-item slots.
    auto* base = static_cast<FileEntry*>(state.table_base);
    EXPECT_EQ(state.disk_files[0], base);
    EXPECT_EQ(state.disk_files[1], base + 3);
    EXPECT_EQ(state.disk_files[2], base + 5);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(reinterpret_cast<char*>(state.program_items[k]), reinterpret_cast<char*>(base + 5) + 60 * k);
    EXPECT_GE(GlobalSize(state.table_memory), 5u * 176 + 600);
}

TEST_F(LoaderTest, FieldsLoseOuterBlanksAndKeepInnerOnes)
{
    ASSERT_EQ(load("[DiskLabel]\r\nDisk1=One\r\n[FileCounts]\r\nDisk1=1\r\n"
                   "[DirectoryName]\r\nSubDir1=PANEL\r\n"
                   "[Disk1]\r\n1=  QVPAGE.DL_ ,   QVPAGE.DLL  ,  Control  panel page  ,  subdir1  \r\n"),
              1);
    const FileEntry& e = entry(0, 0);
    EXPECT_STREQ(e.source_name, "QVPAGE.DL_");
    EXPECT_STREQ(e.target_name, "QVPAGE.DLL");
    EXPECT_STREQ(e.description, "Control  panel page");
    EXPECT_STREQ(e.source_subdir, "PANEL");
    EXPECT_STREQ(e.target_dir, "PANEL");
    EXPECT_EQ(e.absolute, 0);
}

struct DirectoryCase {
    const char* key;
    const char* source_subdir;
    const char* target_dir;
    int absolute;
};

TEST_F(LoaderTest, DirectoryKeysResolveAsTheTableSays)
{
    const DirectoryCase cases[] = {
        {"RootDir", "ROOT", "ROOT", 0},
        {"SUBDIR6", "SIX", "SIX", 0},
        {"WinDir", "WIN", "C:\\WINNT", 1},
        {"winsystemdir", "SYS", "C:\\WINNT\\SYSTEM", 1},
        {"WinInfDir", "INF", "C:\\WINNT\\INF", 1},
        {"Elsewhere", "", "", 0},
        {"", "", "", 0},
    };
    std::string script = "[DiskLabel]\r\nDisk1=One\r\n[FileCounts]\r\nDisk1=" + std::to_string(std::size(cases)) +
                         "\r\n[DirectoryName]\r\nRootDir=ROOT\r\nSubDir6=SIX\r\nWinDir=WIN\r\nWinSystemDir=SYS\r\n"
                         "WinInfDir=INF\r\n[Disk1]\r\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        script += std::to_string(i + 1) + "=F.IN_,F.INF,File," + cases[i].key + "\r\n";
    ASSERT_EQ(load(script), 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].key);
        EXPECT_STREQ(entry(0, i).source_subdir, cases[i].source_subdir);
        EXPECT_STREQ(entry(0, i).target_dir, cases[i].target_dir);
        EXPECT_EQ(entry(0, i).absolute, cases[i].absolute);
        EXPECT_STREQ(entry(0, i).source_name, "F.IN_");
    }
}

TEST_F(LoaderTest, ProgramItemsStopAtTheFirstGap)
{
    ASSERT_EQ(load("[PM Info]\r\n1=QVMAIN.EXE, RollPoint , 1\r\n2=UNINSTAL.EXE,Uninstall,2\r\n4=LOST.EXE,Lost,4\r\n"), 1);
    EXPECT_EQ(state.program_item_count, 2);
    EXPECT_STREQ(state.program_items[0]->file, "QVMAIN.EXE");
    EXPECT_STREQ(state.program_items[0]->title, "RollPoint");
    EXPECT_STREQ(state.program_items[0]->extra, "1");
    EXPECT_STREQ(state.program_items[1]->file, "UNINSTAL.EXE");
    EXPECT_TRUE(all_zero(state.program_items[2], 8 * sizeof(ProgramItem)));
}

TEST_F(LoaderTest, ProgramInADriveRootReadsTheScriptThere)
{
    folder_ = std::make_unique<ScriptFolder>("[Main]\r\nProductName=Root Drive\r\n", "C:");
    ASSERT_EQ(load_setup_script(), 1);
    EXPECT_STREQ(state.source_dir, "C:");
    EXPECT_STREQ(state.product_name, "Root Drive");
}

struct FieldCase {
    const char* text;
    const char* field;
    size_t next;  // offset of the returned position
};

TEST(ParseFieldTest, SplitsAtCommasAndTrimsBlanks)
{
    const FieldCase cases[] = {
        {"abc,def", "abc", 4},
        {"  a b  ,x", "a b", 8},
        {"   ,x", "", 4},
        {"     ", "", 5},
        {"last", "last", 4},
        {"", "", 0},
        {"\ttab\t,", "\ttab\t", 6},
        {",", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        char out[64];
        const char* next = parse_field(c.text, out);
        EXPECT_STREQ(out, c.field);
        EXPECT_EQ(static_cast<size_t>(next - c.text), c.next);
    }
}

TEST(ParseFieldTest, CutsAFieldToItsDestination)
{
    char small[5];
    std::memset(small, 'x', sizeof small);
    const char* next = parse_field(" 123456789 ,rest", small);
    EXPECT_STREQ(small, "1234");
    EXPECT_STREQ(next, "rest");
}

TEST(ParseFieldTest, LineWithFewerFieldsGivesEmptyOnes)
{
    char a[16], b[16], c[16];
    const char* next = parse_field("only", a);
    next = parse_field(next, b);
    parse_field(next, c);
    EXPECT_STREQ(a, "only");
    EXPECT_STREQ(b, "");
    EXPECT_STREQ(c, "");
}

}  // namespace
