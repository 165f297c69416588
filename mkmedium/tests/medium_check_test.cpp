// mkmedium check on a small good medium and on a table of broken ones, each
// broken in one way that the loader would not report.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "mkmedium/lz_compress.h"
#include "mkmedium/medium_check.h"
#include "mkmedium/medium_files.h"
#include "test_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string GOOD_SCRIPT =
    "[Main]\r\n"
    "ProductName=Roller Kit\r\n"
    "DefaultPath=C:\\Roller\r\n"
    "MinimumSpace=100\r\n"
    "\r\n"
    "[DiskLabel]\r\n"
    "Disk1=Disk one\r\n"
    "Disk2=Disk two\r\n"
    "\r\n"
    "[DirectoryName]\r\n"
    "RootDir=.\r\n"
    "SubDir1=HELP\r\n"
    "\r\n"
    "[FileCounts]\r\n"
    "Disk1=2\r\n"
    "Disk2=1\r\n"
    "\r\n"
    "[Disk1]\r\n"
    "1=A.EX_, A.EXE, Program, RootDir\r\n"
    "2=B.TXT, B.TXT, Read me, RootDir\r\n"
    "\r\n"
    "[Disk2]\r\n"
    "1=C.HL_, C.HLP, Help, SubDir1\r\n"
    "\r\n"
    "[PM Info]\r\n"
    "1=A.EXE, Program, 0\r\n"
    "\r\n"
    "[Startup]\r\n"
    "FileName=A.EXE\r\n"
    "Title=Roller\r\n";

std::vector<uint8_t> compressed(const std::string& text)
{
    return lz_compress(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 0);
}

void lay_out_good_medium(const fs::path& top, const std::string& script)
{
    write_text(top / "SETUP.INF", script);
    write_text(top / "SETUP.EXE", "MZ");
    write_bytes(top / "A.EX_", compressed(std::string(3000, 'a')));
    write_text(top / "B.TXT", "read me");
    fs::create_directories(top / "HELP");
    write_bytes(top / "HELP" / "C.HL_", compressed("help, help, help"));
}

struct Change {
    std::string from, to;
};

std::string changed(std::string text, const std::vector<Change>& changes)
{
    for (const Change& c : changes) {
        const size_t at = text.find(c.from);
        EXPECT_NE(at, std::string::npos) << c.from;
        if (at != std::string::npos) text.replace(at, c.from.size(), c.to);
    }
    return text;
}

const Problem* find_problem(const Report& report, Finding finding, const std::string& section, const std::string& key)
{
    for (const Problem& p : report.problems)
        if (p.finding == finding && p.section == section && p.key == key) return &p;
    return nullptr;
}

std::string all(const Report& report)
{
    std::string out;
    for (const Problem& p : report.problems) out += describe(p) + "\n";
    return out;
}

TEST(MediumCheck, AGoodMediumHasNoProblems)
{
    TestFolder medium;
    lay_out_good_medium(medium.path(), GOOD_SCRIPT);
    const Report report = check_medium(medium.path());
    EXPECT_TRUE(report.problems.empty()) << all(report);
}

TEST(MediumCheck, EveryBrokenMediumIsFoundWithItsSectionKeyAndLine)
{
    const std::string long_path = "C:\\" + std::string(77, 'p');  // 80 characters
    const std::string long_folder(40, 'f');
    const struct Case {
        const char* name;
        std::vector<Change> changes;
        std::function<void(const fs::path&)> files;
        Finding finding;
        const char* section;
        const char* key;
        int line;  // 0: not compared
    } cases[] = {
        {"a count above the lines", {{"Disk1=2", "Disk1=3"}}, nullptr, Finding::CountDisagrees, "FileCounts", "Disk1", 15},
        {"a line inside the count missing", {{"Disk1=2", "Disk1=3"}}, nullptr, Finding::LineMissing, "Disk1", "3", 18},
        {"a line past the count", {{"Disk1=2", "Disk1=1"}}, nullptr, Finding::LineIgnored, "Disk1", "2", 20},
        {"a gap in the lines",
         {{"Disk1=2", "Disk1=3"}, {"2=B.TXT", "3=B.TXT"}}, nullptr, Finding::LineMissing, "Disk1", "2", 18},
        {"an empty line inside the count", {{"2=B.TXT, B.TXT, Read me, RootDir", "2="}}, nullptr,
         Finding::LineMissing, "Disk1", "2", 20},
        {"a minimum space that wraps", {{"MinimumSpace=100", "MinimumSpace=40000"}}, nullptr,
         Finding::ReadsOtherwise, "Main", "MinimumSpace", 4},
        {"a count that wraps", {{"Disk2=1", "Disk2=65537"}}, nullptr, Finding::ReadsOtherwise, "FileCounts", "Disk2", 16},
        {"a default path of 80 characters", {{"DefaultPath=C:\\Roller", "DefaultPath=" + long_path}}, nullptr,
         Finding::Cut, "Main", "DefaultPath", 3},
        {"a product name of 32 characters", {{"ProductName=Roller Kit", "ProductName=" + std::string(32, 'n')}},
         nullptr, Finding::Cut, "Main", "ProductName", 2},
        {"a description of 62 characters", {{"Read me", std::string(62, 'd')}}, nullptr, Finding::Cut, "Disk1", "2", 20},
        {"a source name of 15 characters", {{"2=B.TXT", "2=BBBBBBBBBBB.TXT"}}, nullptr, Finding::Cut, "Disk1", "2", 20},
        {"a label of 40 characters", {{"Disk2=Disk two", "Disk2=" + std::string(40, 'l')}}, nullptr, Finding::Cut,
         "DiskLabel", "Disk2", 8},
        {"a folder of 40 characters that files use", {{"SubDir1=HELP", "SubDir1=" + long_folder}},
         [&](const fs::path& top) { fs::rename(top / "HELP", top / long_folder); }, Finding::Cut, "DirectoryName",
         "SubDir1", 12},
        {"an unknown directory key in a line", {{"Help, SubDir1", "Help, SubDir9"}}, nullptr, Finding::UnknownName,
         "Disk2", "1", 23},
        {"an unknown directory key", {{"SubDir1=HELP", "SubDir1=HELP\r\nSubDir7=MORE"}}, nullptr,
         Finding::UnknownName, "DirectoryName", "SubDir7", 13},
        {"a missing source", {}, [](const fs::path& top) { fs::remove(top / "HELP" / "C.HL_"); },
         Finding::MissingFile, "Disk2", "1", 23},
        {"a compressed file of another mode",
         {},
         [](const fs::path& top) {
             std::vector<uint8_t> data;
             read_bytes(top / "A.EX_", data);
             data[8] = 'B';
             write_bytes(top / "A.EX_", data);
         },
         Finding::BadLzFile, "Disk1", "1", 19},
        {"a compressed file cut short",
         {},
         [](const fs::path& top) {
             std::vector<uint8_t> data;
             read_bytes(top / "A.EX_", data);
             data.resize(data.size() - 3);
             write_bytes(top / "A.EX_", data);
         },
         Finding::BadLzFile, "Disk1", "1", 19},
        {"a file named as compressed that is not", {}, [](const fs::path& top) { write_text(top / "A.EX_", "MZ"); },
         Finding::BadLzFile, "Disk1", "1", 19},
        {"an empty section", {{"1=A.EXE, Program, 0\r\n", ""}}, nullptr, Finding::EmptySection, "PM Info", "", 25},
        {"a labelled disk after an unlabelled one", {{"Disk2=Disk two", "Disk3=Disk two"}}, nullptr,
         Finding::DiskGap, "DiskLabel", "Disk3", 8},
        {"a seventh disk", {{"Disk2=Disk two", "Disk2=Disk two\r\nDisk7=Disk seven"}}, nullptr,
         Finding::LineIgnored, "DiskLabel", "Disk7", 9},
        {"an eleventh program item",
         {{"1=A.EXE, Program, 0",
           "1=A.EXE, P, 0\r\n2=A.EXE, P, 0\r\n3=A.EXE, P, 0\r\n4=A.EXE, P, 0\r\n5=A.EXE, P, 0\r\n6=A.EXE, P, 0\r\n"
           "7=A.EXE, P, 0\r\n8=A.EXE, P, 0\r\n9=A.EXE, P, 0\r\n10=A.EXE, P, 0\r\n11=A.EXE, P, 0"}},
         nullptr, Finding::LineIgnored, "PM Info", "11", 36},
        {"a program item after a gap", {{"1=A.EXE, Program, 0", "1=A.EXE, Program, 0\r\n3=A.EXE, Again, 0"}},
         nullptr, Finding::LineIgnored, "PM Info", "3", 27},
        {"two files to one place", {{"2=B.TXT, B.TXT", "2=B.TXT, A.EXE"}}, nullptr, Finding::SameTarget, "Disk1", "2", 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder medium;
        lay_out_good_medium(medium.path(), changed(GOOD_SCRIPT, c.changes));
        if (c.files) c.files(medium.path());
        const Report report = check_medium(medium.path());
        const Problem* problem = find_problem(report, c.finding, c.section, c.key);
        ASSERT_NE(problem, nullptr) << all(report);
        EXPECT_FALSE(problem->warning);
        EXPECT_EQ(problem->file, "SETUP.INF");
        if (c.line != 0) {
            EXPECT_EQ(problem->line, c.line) << describe(*problem);
        }
        EXPECT_TRUE(has_errors(report));
    }
}

TEST(MediumCheck, SaysWhatTheLoaderMakesOfAWrappedMinimumSpace)
{
    TestFolder medium;
    lay_out_good_medium(medium.path(), changed(GOOD_SCRIPT, {{"MinimumSpace=100", "MinimumSpace=40000"}}));
    const Report report = check_medium(medium.path());
    const Problem* problem = find_problem(report, Finding::ReadsOtherwise, "Main", "MinimumSpace");
    ASSERT_NE(problem, nullptr) << all(report);
    EXPECT_EQ(describe(*problem),
              "SETUP.INF:4: [Main] MinimumSpace: MinimumSpace 40000 reads as -25536: every drive is refused");
}

TEST(MediumCheck, FilesThatNoLineNamesAreOnlyWarnedAbout)
{
    TestFolder medium;
    lay_out_good_medium(medium.path(), GOOD_SCRIPT);
    write_text(medium / "HELP/EXTRA.TXT", "stray");
    write_text(medium / "DRIVER.INF", "beside SETUP.EXE, for the driver installation");
    const Report report = check_medium(medium.path());
    ASSERT_EQ(report.problems.size(), 1u) << all(report);
    EXPECT_TRUE(report.problems[0].warning);
    EXPECT_EQ(report.problems[0].finding, Finding::Unlisted);
    EXPECT_NE(report.problems[0].text.find("HELP/EXTRA.TXT"), std::string::npos);
    EXPECT_FALSE(has_errors(report));
}

TEST(MediumCheck, AFolderWithoutAScriptIsAProblem)
{
    TestFolder medium;
    const Report report = check_medium(medium.path());
    ASSERT_TRUE(has_errors(report));
    EXPECT_EQ(report.problems[0].finding, Finding::MissingFile);
}

}  // namespace
