// mkmedium build: the layout and script it writes, the disk split at the edge
// of a disk's size, and descriptions it must refuse without writing anything.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mkmedium/lz_expand.h"
#include "mkmedium/medium_build.h"
#include "mkmedium/medium_check.h"
#include "mkmedium/medium_files.h"
#include "mkmedium/medium_layout.h"
#include "test_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string DESCRIPTION =
    "; a small medium\n"
    "[Main]\n"
    "ProductName=Test Kit\n"
    "DefaultPath=C:\\Test Kit\n"
    "\n"
    "[DirectoryName]\n"
    "RootDir=.\n"
    "SubDir1=HELP\n"
    "WinSystemDir=DRIVER\n"
    "\n"
    "[PM Info]\n"
    "1=PROG.EXE, Program, 0\n"
    "\n"
    "[Startup]\n"
    "Title=Test Kit\n"
    "\n"
    "[Files]         ; in install order\n"
    "PROG.EXE, RootDir, The program\n"
    "READ.ME, RootDir, Read me, plain\n"
    "src/HELP.C, SubDir1, Notes\n"
    "NOEXT, SubDir1, No extension\n"
    "DRIVER.SYS, WinSystemDir, Driver\n"
    "\n"
    "[Extra files]\n"
    "SETUP.EXE\n";

const std::string EXPECTED_SCRIPT =
    "; Written by mkmedium from medium.ini.\r\n"
    "[Main]\r\n"
    "ProductName=Test Kit\r\n"
    "DefaultPath=C:\\Test Kit\r\n"
    "MinimumSpace=3\r\n"
    "\r\n"
    "[DiskLabel]\r\n"
    "Disk1=Disk 1\r\n"
    "\r\n"
    "[DirectoryName]\r\n"
    "RootDir=.\r\n"
    "SubDir1=HELP\r\n"
    "WinSystemDir=DRIVER\r\n"
    "\r\n"
    "[FileCounts]\r\n"
    "Disk1=5\r\n"
    "\r\n"
    "[Disk1]\r\n"
    "1=PROG.EX_, PROG.EXE, The program, RootDir\r\n"
    "2=READ.ME, READ.ME, Read me, RootDir\r\n"
    "3=HELP.C_, HELP.C, Notes, SubDir1\r\n"
    "4=NOEXT._, NOEXT, No extension, SubDir1\r\n"
    "5=DRIVER.SY_, DRIVER.SYS, Driver, WinSystemDir\r\n"
    "\r\n"
    "[PM Info]\r\n"
    "1=PROG.EXE, Program, 0\r\n"
    "\r\n"
    "[Startup]\r\n"
    "Title=Test Kit\r\n";

struct Change {
    std::string from, to;
};

// The sources of DESCRIPTION, 2,049 bytes in all, and the description,
// changed as asked.
fs::path write_sources(const TestFolder& folder, const std::vector<Change>& changes = {})
{
    write_text(folder / "PROG.EXE", std::string(2000, 'p'));
    write_text(folder / "READ.ME", "read it...");
    write_text(folder / "src/HELP.C", "/* notes, notes. */ ");
    write_text(folder / "NOEXT", "plain");
    write_text(folder / "DRIVER.SYS", "driver, driver");
    write_text(folder / "SETUP.EXE", "MZ setup");
    std::string text = DESCRIPTION;
    for (const Change& c : changes) {
        const size_t at = text.find(c.from);
        EXPECT_NE(at, std::string::npos) << c.from;
        if (at != std::string::npos) text.replace(at, c.from.size(), c.to);
    }
    write_text(folder / "medium.ini", text);
    return folder / "medium.ini";
}

int line_of(const fs::path& file, const std::string& text)
{
    const std::string content = read_text(file);
    const size_t at = content.find(text);
    if (at == std::string::npos) return -1;
    int line = 1;
    for (size_t i = 0; i < at; ++i) line += content[i] == '\n';
    return line;
}

std::string all(const Report& report)
{
    std::string out;
    for (const Problem& p : report.problems) out += describe(p) + "\n";
    return out;
}

std::string expanded(const fs::path& file)
{
    std::vector<uint8_t> data, out;
    EXPECT_TRUE(read_bytes(file, data)) << file;
    EXPECT_EQ(lz_expand(data.data(), data.size(), out), LzResult::Expanded) << file;
    return std::string(out.begin(), out.end());
}

TEST(MediumBuild, LaysOutTheFilesAndWritesTheScript)
{
    TestFolder folder;
    const fs::path description = write_sources(folder);
    const Report report = build_medium({folder / "out", description});
    ASSERT_FALSE(has_errors(report)) << all(report);

    const fs::path out = folder / "out";
    EXPECT_EQ(read_text(out / "SETUP.INF"), EXPECTED_SCRIPT);
    EXPECT_EQ(expanded(out / "PROG.EX_"), std::string(2000, 'p'));
    EXPECT_EQ(read_text(out / "READ.ME"), "read it...");
    EXPECT_EQ(expanded(out / "HELP/HELP.C_"), "/* notes, notes. */ ");
    EXPECT_EQ(expanded(out / "HELP/NOEXT._"), "plain");
    EXPECT_EQ(expanded(out / "DRIVER/DRIVER.SY_"), "driver, driver");
    EXPECT_EQ(read_text(out / "SETUP.EXE"), "MZ setup");
    // The character each name gave up for its "_", as LZ32 reads it back.
    std::vector<uint8_t> header;
    read_bytes(out / "PROG.EX_", header);
    EXPECT_EQ(header[9], 'E');
    read_bytes(out / "HELP/NOEXT._", header);
    EXPECT_EQ(header[9], 0);

    EXPECT_TRUE(check_medium(out).problems.empty()) << all(check_medium(out));
    EXPECT_FALSE(fs::exists(folder / "out.mkmedium-new"));
}

TEST(MediumBuild, ALineNamingTheScriptInstallsTheScriptItWrites)
{
    TestFolder folder;
    const fs::path description =
        write_sources(folder, {{"Driver\n", "Driver\nSETUP.INF, RootDir, The script, plain\n"}});
    const Report report = build_medium({folder / "out", description});
    ASSERT_FALSE(has_errors(report)) << all(report);
    const std::string script = read_text(folder / "out" / "SETUP.INF");
    EXPECT_NE(script.find("Disk1=6\r\n"), std::string::npos) << script;
    EXPECT_NE(script.find("6=SETUP.INF, SETUP.INF, The script, RootDir\r\n"), std::string::npos) << script;
    EXPECT_TRUE(check_medium(folder / "out").problems.empty()) << all(check_medium(folder / "out"));
}

TEST(MediumBuild, TwoRunsGiveTheSameBytes)
{
    TestFolder folder;
    const fs::path description = write_sources(folder);
    ASSERT_FALSE(has_errors(build_medium({folder / "one", description})));
    ASSERT_FALSE(has_errors(build_medium({folder / "two", description})));
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder / "one")) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const fs::path relative = entry.path().lexically_relative(folder / "one");
        EXPECT_EQ(read_text(entry.path()), read_text(folder / "two" / relative)) << relative;
    }
    EXPECT_EQ(files, 7);
}

TEST(DiskSplit, ANewDiskStartsWhenTheNextFileWouldOverflowTheSize)
{
    const struct {
        const char* name;
        std::vector<uint64_t> sizes;
        std::vector<bool> starts;
        uint64_t disk;
        std::vector<int> disks;
        int too_large;
    } cases[] = {
        {"two files fill a disk exactly", {100, 200, 300}, {false, false, false}, 300, {1, 1, 2}, -1},
        {"a byte less, and the third is too large", {100, 200, 300}, {false, false, false}, 299, {1, 2, 0}, 2},
        {"all on one disk", {100, 200, 300}, {false, false, false}, 600, {1, 1, 1}, -1},
        {"one byte short of that", {100, 200, 300}, {false, false, false}, 599, {1, 1, 2}, -1},
        {"a disk started by the description", {100, 200, 300}, {false, true, false}, 600, {1, 2, 2}, -1},
        {"a start at the first file adds no disk", {100, 200}, {true, false}, 600, {1, 1}, -1},
        {"empty files fit anywhere", {0, 300, 0}, {false, false, false}, 300, {1, 1, 1}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> disks;
        EXPECT_EQ(split_into_disks(c.sizes, c.starts, c.disk, disks), c.too_large);
        if (c.too_large < 0) {
            EXPECT_EQ(disks, c.disks);
        }
    }
}

TEST(MediumBuild, TheScriptCountsTheFilesOfEachDiskAtTheEdgeOfItsSize)
{
    TestFolder folder;
    write_text(folder / "A.DAT", std::string(100, 'a'));
    write_text(folder / "B.DAT", std::string(200, 'b'));
    write_text(folder / "C.DAT", std::string(300, 'c'));
    const std::string files = "[Main]\nProductName=Edge\nDefaultPath=C:\\EDGE\n[DirectoryName]\nRootDir=.\n"
                              "[Files]\nA.DAT, RootDir, a, plain\nB.DAT, RootDir, b, plain\nC.DAT, RootDir, c, plain\n";
    write_text(folder / "fits.ini", "[Disks]\nSize=300\nLabel=Edge disk %d of 2\n" + files);
    write_text(folder / "overflows.ini", "[Disks]\nSize=299\n" + files);

    const Report fits = build_medium({folder / "fits", folder / "fits.ini"});
    ASSERT_FALSE(has_errors(fits)) << all(fits);
    const std::string script = read_text(folder / "fits/SETUP.INF");
    for (const char* line : {"Disk1=Edge disk 1 of 2\r\n", "Disk2=Edge disk 2 of 2\r\n", "Disk1=2\r\n", "Disk2=1\r\n",
                             "[Disk2]\r\n1=C.DAT, C.DAT, c, RootDir\r\n"})
        EXPECT_NE(script.find(line), std::string::npos) << line << " in\n" << script;

    const Report overflows = build_medium({folder / "overflows", folder / "overflows.ini"});
    ASSERT_EQ(overflows.problems.size(), 1u) << all(overflows);
    EXPECT_EQ(describe(overflows.problems[0]),
              (folder / "overflows.ini").string() + ":11: [Files]: C.DAT takes 300 bytes, more than a disk holds (299)");
    EXPECT_FALSE(fs::exists(folder / "overflows"));
}

TEST(MediumBuild, RefusesABadDescriptionNamingTheLineAndWritesNothing)
{
    const std::string pm_items = "1=PROG.EXE, Program, 0\n2=A, B, 0\n3=A, B, 0\n4=A, B, 0\n5=A, B, 0\n6=A, B, 0\n"
                                 "7=A, B, 0\n8=A, B, 0\n9=A, B, 0\n10=A, B, 0\n11=A, B, 0\n";
    // The last two files, each on a disk of its own: with a disk started
    // before each of the others too, seven disks.
    const std::string seven_disks = "DRIVER.SYS, WinSystemDir, Driver\nDisk=\nSETUP.EXE, SubDir1, Again, plain\n"
                                    "Disk=\nREAD.ME, WinSystemDir, Again, plain\n";
    const struct Case {
        const char* name;
        std::vector<Change> changes;
        Finding finding;
        std::string at;  // the text of the line named
    } cases[] = {
        {"a name that is not 8.3", {{"NOEXT, SubDir1", "LONGNAME1.EXE, SubDir1"}}, Finding::BadName, "LONGNAME1.EXE"},
        {"an unknown directory key", {{"NOEXT, SubDir1", "NOEXT, SubDir8"}}, Finding::UnknownName, "SubDir8"},
        {"a directory key without a folder", {{"NOEXT, SubDir1", "NOEXT, SubDir2"}}, Finding::BadDescription,
         "NOEXT, SubDir2"},
        {"a folder outside the medium", {{"SubDir1=HELP", "SubDir1=../HELP"}}, Finding::BadName, "SubDir1=../HELP"},
        {"a missing source", {{"NOEXT, SubDir1", "GONE.TXT, SubDir1"}}, Finding::MissingFile, "GONE.TXT"},
        {"two files installed to one place", {{"NOEXT, SubDir1, No extension", "READ.ME, RootDir, Again"}},
         Finding::SameTarget, "READ.ME, RootDir, Again"},
        {"two files stored under one name",
         {{"NOEXT, SubDir1", "src/HELP.C, SubDir1"}}, Finding::SameTarget, "SubDir1, No extension"},
        {"a file over the setup program", {{"READ.ME, RootDir, Read me, plain", "SETUP.EXE, RootDir, Again, plain"}},
         Finding::SameTarget, "SETUP.EXE\n"},
        {"a default path of 80 characters", {{"DefaultPath=C:\\Test Kit", "DefaultPath=C:\\" + std::string(77, 'p')}},
         Finding::Cut, "DefaultPath"},
        {"a minimum space past 32767", {{"ProductName=Test Kit", "ProductName=Test Kit\nMinimumSpace=40000"}},
         Finding::ReadsOtherwise, "MinimumSpace"},
        {"an eleventh program item", {{"1=PROG.EXE, Program, 0\n", pm_items}}, Finding::LineIgnored, "11=A"},
        {"a description of 62 characters", {{"Notes", std::string(62, 'n')}}, Finding::Cut, "nnnnn"},
        {"a label of 40 characters", {{"[Files]", "[Disks]\nLabel=" + std::string(40, 'l') + "\n[Files]"}},
         Finding::Cut, "Label="},
        {"a file larger than a disk", {{"[Files]", "[Disks]\nSize=100\n[Files]"}}, Finding::BadDescription,
         "PROG.EXE, RootDir"},
        {"more than six disks",
         {{"READ.ME, RootDir", "Disk=\nREAD.ME, RootDir"},
          {"src/HELP.C", "Disk=\nsrc/HELP.C"},
          {"NOEXT, SubDir1", "Disk=\nNOEXT, SubDir1"},
          {"DRIVER.SYS, WinSystemDir, Driver\n", "Disk=\n" + seven_disks}},
         Finding::BadDescription, "READ.ME, WinSystemDir"},
        {"a disk started with no file after it", {{"Driver\n", "Driver\nDisk=Last\n"}},
         Finding::EmptySection, "Disk=Last"},
        {"a section mkmedium writes", {{"[Startup]", "[FileCounts]\nDisk1=5\n[Startup]"}}, Finding::UnknownName,
         "[FileCounts]"},
        {"a fourth field that is not plain", {{"Read me, plain", "Read me, packed"}}, Finding::BadDescription,
         "packed"},
        {"the script compressed", {{"Driver\n", "Driver\nSETUP.INF, RootDir, Script\n"}}, Finding::BadDescription,
         "SETUP.INF, RootDir"},
        {"the script from below the top", {{"Driver\n", "Driver\nSETUP.INF, SubDir1, Script, plain\n"}},
         Finding::BadDescription, "SETUP.INF, SubDir1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        const fs::path description = write_sources(folder, c.changes);
        const Report report = build_medium({folder / "out", description});
        const Problem* problem = nullptr;
        for (const Problem& p : report.problems)
            if (!p.warning && p.finding == c.finding && problem == nullptr) problem = &p;
        ASSERT_NE(problem, nullptr) << all(report);
        EXPECT_EQ(problem->file, description.string());
        EXPECT_EQ(problem->line, line_of(description, c.at)) << describe(*problem);
        EXPECT_FALSE(fs::exists(folder / "out"));
        EXPECT_FALSE(fs::exists(folder / "out.mkmedium-new"));
    }
}

TEST(MediumBuild, ReplacesAMediumOnlyWhenForced)
{
    TestFolder folder;
    const fs::path description = write_sources(folder);
    const fs::path out = folder / "out";
    ASSERT_FALSE(has_errors(build_medium({out, description})));
    write_text(folder / "READ.ME", "read this instead");

    const Report refused = build_medium({out, description});
    ASSERT_EQ(refused.problems.size(), 1u) << all(refused);
    EXPECT_EQ(refused.problems[0].finding, Finding::Output);
    EXPECT_EQ(read_text(out / "READ.ME"), "read it...");

    const Report forced = build_medium({out, description, true});
    EXPECT_FALSE(has_errors(forced)) << all(forced);
    EXPECT_EQ(read_text(out / "READ.ME"), "read this instead");
    EXPECT_FALSE(fs::exists(folder / "out.mkmedium-old"));
}

TEST(MediumBuild, NeverReplacesAFolderThatHoldsNoMedium)
{
    TestFolder folder;
    const fs::path description = write_sources(folder);
    write_text(folder / "out/thesis.txt", "years of work");
    const Report report = build_medium({folder / "out", description, true});
    ASSERT_TRUE(has_errors(report));
    EXPECT_EQ(report.problems[0].finding, Finding::Output);
    EXPECT_EQ(read_text(folder / "out/thesis.txt"), "years of work");
}

}  // namespace
