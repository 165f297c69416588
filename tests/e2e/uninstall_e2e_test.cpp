// UNINSTAL.EXE under Wine: after a real installation, started as Add/Remove
// Programs starts it, and against damaged and hostile installed scripts in a
// folder tree whose files outside the destination must all survive.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <utility>
#include <string>
#include <vector>

#include "finish.h"
#include "harness.h"
#include "install/companion_registry.h"
#include "support/test_files.h"

using namespace e2e;

namespace {

constexpr DWORD ERASER_TIMEOUT_MS = 10000;
constexpr const char* SESSION_MANAGER_KEY = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* OTHER_HANDLER = "OtherVendorPage";
constexpr const char* OTHER_HANDLER_CLASS = "{0D1E2F30-4152-6374-8596-A7B8C9DAEBFC}";

void set_registry_text(HKEY root, const std::string& key, const char* name, const std::string& text)
{
    ASSERT_TRUE(set_registry_string(root, key, name, text)) << key;
}

std::string registered_uninstall_command()
{
    return read_registry_string(HKEY_LOCAL_MACHINE, companion::UNINSTALL_KEY, companion::UNINSTALL_STRING_VALUE)
        .value_or("");
}

// The uninstaller's copy in the temporary folder deletes the program once it
// has ended: that takes a moment after the exit code is in.
bool wait_until_gone(const std::string& path, DWORD timeout_ms = ERASER_TIMEOUT_MS)
{
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeout_ms) return false;
        pump_messages_for(50);
    }
    return true;
}

// The files that PendingFileRenameOperations deletes at the next restart,
// in its order, without the \??\ in front.
std::vector<std::string> pending_deletions()
{
    std::vector<std::string> deletions;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SESSION_MANAGER_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return deletions;
    DWORD type = 0;
    DWORD size = 0;
    std::string data;
    if (RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ) {
        data.resize(size + 2);
        RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size);
    }
    RegCloseKey(key);
    std::vector<std::string> strings;
    for (size_t at = 0; at < data.size() && data[at] != '\0';) {
        strings.emplace_back(data.c_str() + at);
        at += strings.back().size() + 1;
        // A deletion is a source followed by an empty string.
        if (at < data.size() && data[at] == '\0') {
            std::string source = strings.back();
            if (source.rfind("\\??\\", 0) == 0) source = source.substr(4);
            deletions.push_back(source);
            ++at;
        } else if (at < data.size()) {
            at += std::string(data.c_str() + at).size() + 1;  // the target of a rename
        }
    }
    return deletions;
}

size_t position_of(const std::vector<std::string>& list, const std::string& item)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (lstrcmpiA(list[i].c_str(), item.c_str()) == 0) return i;
    return list.size();
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Another vendor's page of the Mouse control panel, registered before Setup
// runs and removed at the end.
class OtherHandler {
public:
    OtherHandler() { set_registry_text(HKEY_LOCAL_MACHINE, key(), nullptr, OTHER_HANDLER_CLASS); }
    ~OtherHandler() { delete_registry_tree(HKEY_LOCAL_MACHINE, key()); }
    OtherHandler(const OtherHandler&) = delete;
    OtherHandler& operator=(const OtherHandler&) = delete;
    static std::string key() { return std::string(companion::HANDLERS_KEY) + "\\" + OTHER_HANDLER; }
};

void install_typical_from(const MediumCopy& medium)
{
    SetupProcess setup(medium.setup_exe());
    install_typical(setup);
}

struct CompanionKeys {
    bool page_class, handler, run, uninstall;
};

CompanionKeys companion_keys()
{
    return {registry_key_exists(HKEY_CLASSES_ROOT, companion::PAGE_CLASS_KEY),
            registry_key_exists(HKEY_LOCAL_MACHINE, companion::PAGE_HANDLER_KEY),
            read_registry_string(HKEY_LOCAL_MACHINE, companion::RUN_KEY, companion::RUN_VALUE).has_value(),
            registry_key_exists(HKEY_LOCAL_MACHINE, companion::UNINSTALL_KEY)};
}

void expect_keys(const CompanionKeys& keys, bool present)
{
    EXPECT_EQ(keys.page_class, present) << "the page's class";
    EXPECT_EQ(keys.handler, present) << "the Mouse property-sheet handler";
    EXPECT_EQ(keys.run, present) << "the Run value";
    EXPECT_EQ(keys.uninstall, present) << "the uninstall entry";
}

TEST(UninstallE2E, RegisteredCommandRemovesTheInstallationButTheUsersFileAndOtherHandlers)
{
    MediumCopy medium;
    OtherHandler other_handler;
    install_typical_from(medium);
    const std::string dest = medium.destination();
    ASSERT_EQ(folder_tree(dest), installed_tree());
    write_file(dest + "\\NOTES.TXT", "the user's own notes");

    SetupProcess rollpoint(dest + "\\QVMAIN.EXE");
    HWND rollpoint_window = rollpoint.wait_page("RollPointMain");
    ASSERT_NE(rollpoint_window, nullptr);
    EXPECT_EQ(window_title(rollpoint_window), "RollPoint");

    // The destination has a blank: the shell runs the command with its quotes.
    const std::string command = registered_uninstall_command();
    ASSERT_EQ(command, "\"" + dest + "\\UNINSTAL.EXE\"");
    StartOptions as_the_shell;
    as_the_shell.command_line = command.c_str();
    SetupProcess uninstall(dest + "\\UNINSTAL.EXE", as_the_shell);

    const Box question = uninstall.answer_box(IDYES);
    EXPECT_EQ(question.caption, "Roller Kit Uninstall");
    EXPECT_TRUE(contains(question.text, "Remove Roller Kit from this computer?")) << question.text;
    EXPECT_TRUE(contains(question.text, dest)) << question.text;
    EXPECT_EQ(question.icon, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));

    const Box done = uninstall.answer_box(IDOK);
    EXPECT_EQ(done.caption, "Roller Kit Uninstall");
    EXPECT_TRUE(contains(done.text, "Roller Kit has been removed from this computer.")) << done.text;
    EXPECT_TRUE(contains(done.text, "stay in " + dest + ":\n    NOTES.TXT")) << done.text;
    EXPECT_TRUE(contains(done.text, "The wheel-mouse driver stays installed")) << done.text;
    EXPECT_EQ(done.icon, static_cast<UINT>(MB_ICONASTERISK));
    EXPECT_EQ(uninstall.wait_exit(), 0u);
    EXPECT_EQ(rollpoint.wait_exit(), 0u) << "RollPoint did not get WM_CLOSE";

    EXPECT_TRUE(wait_until_gone(dest + "\\UNINSTAL.EXE"));
    EXPECT_EQ(folder_tree(dest), (std::vector<std::string>{"NOTES.TXT"}));
    EXPECT_EQ(read_file(dest + "\\NOTES.TXT"), "the user's own notes");
    expect_keys(companion_keys(), false);
    EXPECT_TRUE(registry_key_exists(HKEY_LOCAL_MACHINE, OtherHandler::key()));
    EXPECT_TRUE(file_exists(windows_dir() + "\\ROLLER.INI")) << "the driver's files stay";
    EXPECT_TRUE(file_exists(windows_dir() + "\\INF\\RKMOUSE.INF")) << "the driver's files stay";
}

TEST(UninstallE2E, NoChangesNothingASecondStartIsRefusedAndYesLeavesNoFolder)
{
    MediumCopy medium;
    install_typical_from(medium);
    const std::string dest = medium.destination();
    const std::string command = registered_uninstall_command();
    StartOptions as_the_shell;
    as_the_shell.command_line = command.c_str();
    {
        SetupProcess first(dest + "\\UNINSTAL.EXE", as_the_shell);
        const Box question = first.wait_box();
        ASSERT_NE(question.window, nullptr) << first.describe_windows();

        SetupProcess second(dest + "\\UNINSTAL.EXE", as_the_shell);
        const Box refusal = second.answer_box(IDOK);
        EXPECT_EQ(refusal.text, "Roller Kit Uninstall is already running.");
        EXPECT_EQ(second.wait_exit(), 2u);

        press_button(question, IDNO);
        EXPECT_EQ(first.wait_exit(), 1u);
        EXPECT_FALSE(first.try_box().window) << "no message after No";
    }
    EXPECT_EQ(folder_tree(dest), installed_tree());
    expect_keys(companion_keys(), true);
    EXPECT_EQ(registered_uninstall_command(), command);

    SetupProcess uninstall(dest + "\\UNINSTAL.EXE", as_the_shell);
    uninstall.answer_box(IDYES);
    const Box done = uninstall.answer_box(IDOK);
    EXPECT_FALSE(contains(done.text, "stay in ")) << done.text;
    EXPECT_EQ(uninstall.wait_exit(), 0u);
    EXPECT_TRUE(wait_until_gone(dest)) << "left: " << testing::PrintToString(folder_tree(dest));
    expect_keys(companion_keys(), false);
}

TEST(UninstallE2E, AFileHeldOpenIsDeletedAtTheRestartWithItsFolders)
{
    MediumCopy medium;
    install_typical_from(medium);
    const std::string dest = medium.destination();
    const std::string held_path = dest + "\\HELP\\WHEEL.TXT";
    HANDLE held = CreateFileA(held_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const std::string command = registered_uninstall_command();
    StartOptions as_the_shell;
    as_the_shell.command_line = command.c_str();
    SetupProcess uninstall(dest + "\\UNINSTAL.EXE", as_the_shell);
    uninstall.answer_box(IDYES);
    const Box done = uninstall.answer_box(IDOK);
    EXPECT_TRUE(contains(done.text, "A restart of Windows finishes the removal")) << done.text;
    EXPECT_TRUE(contains(done.text, "\n    HELP\\WHEEL.TXT")) << done.text;
    EXPECT_FALSE(contains(done.text, "stay in ")) << done.text;
    EXPECT_EQ(done.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(uninstall.wait_exit(), 2u);
    EXPECT_TRUE(wait_until_gone(dest + "\\UNINSTAL.EXE"));

    // The file, then its folder, then the destination: each is empty by its turn.
    const std::vector<std::string> pending = pending_deletions();
    const size_t file = position_of(pending, held_path);
    const size_t folder = position_of(pending, dest + "\\HELP");
    const size_t destination = position_of(pending, dest);
    EXPECT_LT(file, folder) << testing::PrintToString(pending);
    EXPECT_LT(folder, destination) << testing::PrintToString(pending);
    EXPECT_LT(destination, pending.size()) << testing::PrintToString(pending);

    EXPECT_EQ(folder_tree(dest), (std::vector<std::string>{"HELP\\", "HELP\\WHEEL.TXT"}));
    expect_keys(companion_keys(), false);
    CloseHandle(held);
}

// The bad-input table: a destination with an installed script of its own,
// in a tree with files outside it that share the package's names.
struct BadScript {
    const char* name;
    const char* product = "Roller Kit";  // null: no SETUP.INF at all
    std::string root_dir = ".";
    std::string sub_dir2 = {};  // see replace_root
    std::string sub_dir3 = {};
    std::vector<std::string> extra_lines = {};  // [Disk1] lines after the four good ones
    bool registry_elsewhere = false;            // the entries name another copy's folder
    std::vector<std::string> remaining = {};    // the destination's tree afterwards
    DWORD exit_code = 0;
    const char* message = "Roller Kit has been removed from this computer.";
};

// "<root>" stands for the tree's folder, "<nodrive>" for the same without its drive.
std::string replace_root(std::string text, const std::string& root)
{
    for (const auto& [mark, value] :
         {std::pair<std::string, std::string>{"<root>", root}, {"<nodrive>", root.substr(2)}})
        for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark))
            text.replace(at, mark.size(), value);
    return text;
}

std::string script_text(const BadScript& bad, const std::string& root)
{
    std::string text = "[Main]\r\nProductName=" + std::string(bad.product) + "\r\n";
    text += "[DiskLabel]\r\nDisk1=Disk 1\r\n";
    text += "[DirectoryName]\r\nRootDir=" + replace_root(bad.root_dir, root) + "\r\nSubDir1=HELP\r\n";
    if (!bad.sub_dir2.empty()) text += "SubDir2=" + replace_root(bad.sub_dir2, root) + "\r\n";
    if (!bad.sub_dir3.empty()) text += "SubDir3=" + replace_root(bad.sub_dir3, root) + "\r\n";
    text += "WinDir=WINDOWS\r\nWinSystemDir=DRIVER\r\nWinInfDir=DRIVER\r\n";
    text += "[FileCounts]\r\nDisk1=" + std::to_string(4 + bad.extra_lines.size()) + "\r\n";
    text += "[Disk1]\r\n1=UNINSTAL.EXE, UNINSTAL.EXE, Uninstall program, RootDir\r\n";
    text += "2=SETUP.INF, SETUP.INF, Setup script, RootDir\r\n3=README.TXT, README.TXT, Read me, RootDir\r\n";
    text += "4=WHEEL.TXT, WHEEL.TXT, Tips, SubDir1\r\n";
    int number = 5;
    for (const std::string& line : bad.extra_lines)
        text += std::to_string(number++) + "=" + replace_root(line, root) + "\r\n";
    return text;
}

// Registered as Setup registers a destination.
void register_companion(const std::string& dest)
{
    using namespace companion;
    set_registry_text(HKEY_CLASSES_ROOT, PAGE_CLASS_KEY, nullptr, PAGE_CLASS_NAME);
    set_registry_text(HKEY_CLASSES_ROOT, PAGE_SERVER_KEY, nullptr, dest + "\\" + PAGE_SERVER_FILE);
    set_registry_text(HKEY_LOCAL_MACHINE, HANDLERS_KEY, nullptr, PAGE_HANDLER_NAME);
    set_registry_text(HKEY_LOCAL_MACHINE, PAGE_HANDLER_KEY, nullptr, PAGE_CLASS_ID);
    set_registry_text(HKEY_LOCAL_MACHINE, RUN_KEY, RUN_VALUE, "\"" + dest + "\\" + UTILITY_FILE + "\"");
    set_registry_text(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, UNINSTALL_STRING_VALUE,
                      "\"" + dest + "\\" + UNINSTALL_FILE + "\"");
}

// The tree: <root>\Roller Kit is the destination; <root> holds files named
// like the package's, <root>\outside a victim file, <root>\empty an empty
// folder; the Windows, system and INF folders get a file each.
class BadScriptTree {
public:
    BadScriptTree() : root_(make_temp_dir("uninstall-bad")), dest_(root_ + "\\Roller Kit")
    {
        remove_roller_kit_installation();
        for (const std::string& folder : {dest_, dest_ + "\\HELP", root_ + "\\outside", root_ + "\\empty"})
            CreateDirectoryA(folder.c_str(), nullptr);
        for (const std::string& victim : victims()) write_file(victim, "not Roller Kit's");
        CopyFileA((medium_dir() + "\\UNINSTAL.EXE").c_str(), (dest_ + "\\UNINSTAL.EXE").c_str(), FALSE);
        write_file(dest_ + "\\README.TXT", "read me");
        write_file(dest_ + "\\HELP\\WHEEL.TXT", "tips");
    }
    ~BadScriptTree()
    {
        for (const std::string& victim : victims()) DeleteFileA(victim.c_str());
        remove_tree(root_);
        remove_roller_kit_installation();
    }
    BadScriptTree(const BadScriptTree&) = delete;
    BadScriptTree& operator=(const BadScriptTree&) = delete;

    const std::string& root() const { return root_; }
    const std::string& dest() const { return dest_; }
    std::vector<std::string> victims() const
    {
        const std::string windows = windows_dir();
        return {root_ + "\\VICTIM.TXT",          root_ + "\\README.TXT",     root_ + "\\SETUP.INF",
                root_ + "\\outside\\VICTIM.TXT", windows + "\\RKVICTIM.INI", windows + "\\SYSTEM\\RKVICTIM.INI",
                windows + "\\INF\\RKVICTIM.INF"};
    }

private:
    std::string root_;
    std::string dest_;
};

void PrintTo(const BadScript& bad, std::ostream* out)
{
    *out << bad.name;
}

class UninstallBadScriptE2E : public ::testing::TestWithParam<BadScript> {};

TEST_P(UninstallBadScriptE2E, RefusesWhatLeadsOutsideAndRemovesTheRest)
{
    const BadScript& bad = GetParam();
    BadScriptTree fixture;
    const std::string& dest = fixture.dest();
    if (bad.product != nullptr) write_file(dest + "\\SETUP.INF", script_text(bad, fixture.root()));
    const std::string registered = bad.registry_elsewhere ? "C:\\Other Roller Kit" : dest;
    register_companion(registered);

    SetupProcess uninstall(dest + "\\UNINSTAL.EXE");
    uninstall.answer_box(IDYES);
    const Box done = uninstall.answer_box(IDOK);
    EXPECT_TRUE(contains(done.text, bad.message)) << done.text;
    EXPECT_EQ(uninstall.wait_exit(), bad.exit_code) << done.text;
    const bool program_stays = std::count(bad.remaining.begin(), bad.remaining.end(), "UNINSTAL.EXE") > 0;
    if (!program_stays) {
        EXPECT_TRUE(wait_until_gone(dest + "\\UNINSTAL.EXE"));
    }

    for (const std::string& victim : fixture.victims()) EXPECT_EQ(read_file(victim), "not Roller Kit's") << victim;
    EXPECT_TRUE(directory_exists_at(fixture.root() + "\\empty"));
    if (bad.remaining.empty()) {
        EXPECT_TRUE(wait_until_gone(dest)) << "left: " << testing::PrintToString(folder_tree(dest));
    } else {
        EXPECT_EQ(folder_tree(dest), bad.remaining);
    }
    expect_keys(companion_keys(), bad.registry_elsewhere);
}

// The final message shows the first names of a long list and counts the rest.
TEST(UninstallE2E, ManyFilesOfTheUserAreNamedUpToEightAndCounted)
{
    BadScriptTree fixture;
    const std::string& dest = fixture.dest();
    write_file(dest + "\\SETUP.INF", script_text(BadScript{.name = "good"}, fixture.root()));
    register_companion(dest);
    std::vector<std::string> users_files;
    for (int i = 11; i <= 21; ++i) {
        users_files.push_back("NOTE" + std::to_string(i) + ".TXT");
        write_file(dest + "\\" + users_files.back(), "the user's");
    }

    SetupProcess uninstall(dest + "\\UNINSTAL.EXE");
    uninstall.answer_box(IDYES);
    const Box done = uninstall.answer_box(IDOK);
    EXPECT_TRUE(contains(done.text, "Roller Kit has been removed from this computer.")) << done.text;
    ASSERT_TRUE(contains(done.text, "stay in " + dest + ":")) << done.text;
    size_t named = 0;
    for (const std::string& name : users_files) named += contains(done.text, "\n    " + name) ? 1 : 0;
    EXPECT_EQ(named, 8u) << done.text;
    EXPECT_TRUE(contains(done.text, "\n    and 3 more\n\nThe wheel-mouse driver stays installed")) << done.text;
    EXPECT_EQ(uninstall.wait_exit(), 0u);
    EXPECT_TRUE(wait_until_gone(dest + "\\UNINSTAL.EXE"));
    std::sort(users_files.begin(), users_files.end());
    EXPECT_EQ(folder_tree(dest), users_files);
}

const std::vector<std::string> ALL_OF_IT = {"HELP\\", "HELP\\WHEEL.TXT", "README.TXT", "SETUP.INF", "UNINSTAL.EXE"};
constexpr const char* IGNORED_THREE = "3 entries of SETUP.INF were ignored";

INSTANTIATE_TEST_SUITE_P(
    Table, UninstallBadScriptE2E,
    ::testing::Values(BadScript{.name = "DotDotInFolderNames",
                                .sub_dir2 = "..\\outside",
                                .sub_dir3 = "HELP\\..\\..\\empty",
                                .extra_lines = {"VICTIM.TXT, VICTIM.TXT, Victim, SubDir2"},
                                .exit_code = 2,
                                .message = IGNORED_THREE},
                      BadScript{.name = "DotDotAsTheRootFolder",
                                .root_dir = "..",
                                .remaining = {"README.TXT", "SETUP.INF", "UNINSTAL.EXE"},
                                .exit_code = 2,
                                .message = IGNORED_THREE},
                      BadScript{.name = "FolderNamesWithADrive",
                                .sub_dir2 = "<root>\\outside",
                                .sub_dir3 = "<root>\\empty",
                                .extra_lines = {"VICTIM.TXT, VICTIM.TXT, Victim, SubDir2"},
                                .exit_code = 2,
                                .message = IGNORED_THREE},
                      BadScript{.name = "FolderNamesWithALeadingBackslash",
                                .sub_dir2 = "<nodrive>\\outside",
                                .sub_dir3 = "<nodrive>\\empty",
                                .extra_lines = {"VICTIM.TXT, VICTIM.TXT, Victim, SubDir2"},
                                .exit_code = 2,
                                .message = IGNORED_THREE},
                      BadScript{.name = "UncFolderNames",
                                .sub_dir2 = "\\\\?\\<root>\\outside",
                                .sub_dir3 = "\\\\localhost\\C$\\empty",
                                .extra_lines = {"VICTIM.TXT, VICTIM.TXT, Victim, SubDir2"},
                                .exit_code = 2,
                                .message = IGNORED_THREE},
                      BadScript{.name = "FileNamesThatArePaths",
                                .extra_lines = {"VICTIM.TXT, ..\\VICTIM.TXT, Victim, RootDir",
                                                "SETUP.INF, ../SETUP.INF, Victim, RootDir",
                                                "README.TXT, C:README.TXT, Victim, SubDir1"},
                                .exit_code = 2,
                                .message = "3 entries of SETUP.INF were ignored"},
                      BadScript{.name = "FilesInTheWindowsFolders",
                                .extra_lines = {"RKVICTIM.INI, RKVICTIM.INI, Victim, WinDir",
                                                "RKVICTIM.INI, RKVICTIM.INI, Victim, WinSystemDir",
                                                "RKVICTIM.INF, RKVICTIM.INF, Victim, WinInfDir"}},
                      BadScript{.name = "RepeatedFiles",
                                .extra_lines = {"README.TXT, README.TXT, Again, RootDir",
                                                "readme.txt, readme.txt, Again, RootDir",
                                                "WHEEL.TXT, WHEEL.TXT, Again, SubDir1",
                                                "UNINSTAL.EXE, UNINSTAL.EXE, Again, RootDir"}},
                      BadScript{.name = "ScriptOfAnotherProduct",
                                .product = "Other Product",
                                .remaining = ALL_OF_IT,
                                .exit_code = 2,
                                .message = "SETUP.INF there was written for another product."},
                      BadScript{.name = "NoScript",
                                .product = nullptr,
                                .remaining = {"HELP\\", "HELP\\WHEEL.TXT", "README.TXT", "UNINSTAL.EXE"},
                                .exit_code = 2,
                                .message = "SETUP.INF there, which lists them, is missing or cannot be read."},
                      BadScript{.name = "RegistryOfACopyElsewhere", .registry_elsewhere = true}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

}  // namespace
