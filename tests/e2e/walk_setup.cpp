// Walks a Typical installation of SETUP.EXE for scripts/run-setup and says
// where the screenshots are to be taken: it prints "SHOT <name>" when a
// page or a message box is on the screen and waits for a line on its input
// before it goes on. At the end it prints what was installed, runs the
// registered uninstall command, answers Yes, and prints what is left.
//
// walk_setup <SETUP.EXE>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "harness.h"
#include "install/companion_registry.h"
#include "support/failures.h"
#include "support/test_files.h"

using namespace e2e;

namespace {

constexpr DWORD PAGE_TIMEOUT_MS = 60000;
int shot_number = 0;

void take_screenshot(const std::string& name, DWORD settle_ms = 300)
{
    pump_messages_for(settle_ms);  // let the page paint
    char number[8];
    std::snprintf(number, sizeof number, "%02d", ++shot_number);
    std::cout << "SHOT " << number << "-" << name << std::endl;
    std::string answer;
    std::getline(std::cin, answer);
}

// Shows and answers a message box, if one is up, with its first button (OK
// or Yes).
void answer_any_box(SetupProcess& setup)
{
    Box box = setup.try_box();
    if (box.window == nullptr) return;
    std::cout << "message box \"" << box.caption << "\": " << box.text << std::endl;
    take_screenshot("message-box");
    press_button(box, box.buttons.empty() ? IDOK : box.buttons.front());
}

// Waits for the page, answering every message box on the way.
HWND reach_page(SetupProcess& setup, const char* class_name, const char* shot_name)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < PAGE_TIMEOUT_MS && setup.running()) {
        if (HWND page = setup.try_page(class_name)) {
            take_screenshot(shot_name);
            return page;
        }
        answer_any_box(setup);
        pump_messages_for(20);
    }
    return nullptr;
}

void list_files(const std::string& dir, const std::string& indent)
{
    for (const FolderEntry& entry : folder_entries(dir)) {
        if (entry.is_folder) {
            std::cout << indent << entry.name << "\\" << std::endl;
            list_files(dir + "\\" + entry.name, indent + "  ");
        } else {
            std::cout << indent << entry.name << "  (" << entry.size << " bytes)" << std::endl;
        }
    }
}

void print_registry(HKEY root, const char* root_name, const std::string& key, const char* name)
{
    const std::optional<std::string> value = read_registry_string(root, key, name);
    std::cout << "  " << root_name << "\\" << key << (name ? std::string(" [") + name + "]" : std::string(" [default]"))
              << " = " << (value ? "\"" + *value + "\"" : "(none)") << std::endl;
}

void print_companion_registry()
{
    using namespace companion;
    std::cout << "\nRegistry:" << std::endl;
    print_registry(HKEY_CLASSES_ROOT, "HKCR", PAGE_CLASS_KEY, nullptr);
    print_registry(HKEY_CLASSES_ROOT, "HKCR", PAGE_SERVER_KEY, nullptr);
    print_registry(HKEY_LOCAL_MACHINE, "HKLM", PAGE_HANDLER_KEY, nullptr);
    print_registry(HKEY_LOCAL_MACHINE, "HKLM", RUN_KEY, RUN_VALUE);
    print_registry(HKEY_LOCAL_MACHINE, "HKLM", UNINSTALL_KEY, DISPLAY_NAME_VALUE);
    print_registry(HKEY_LOCAL_MACHINE, "HKLM", UNINSTALL_KEY, UNINSTALL_STRING_VALUE);
    print_registry(HKEY_LOCAL_MACHINE, "HKLM", "SYSTEM\\CurrentControlSet\\Services\\RkWheel", "DisplayName");
}

void print_folder(const std::string& heading, const std::string& folder)
{
    std::cout << "\n" << heading << " " << folder << ":" << std::endl;
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        std::cout << "  (no such directory)" << std::endl;
    else
        list_files(folder, "  ");
}

void print_installation(const std::string& setup_exe)
{
    const std::string script = setup_exe.substr(0, setup_exe.find_last_of('\\')) + "\\SETUP.INF";
    char windows_dir[MAX_PATH] = {};
    GetWindowsDirectoryA(windows_dir, MAX_PATH);
    char dest[MAX_PATH] = {};
    GetPrivateProfileStringA("Main", "DefaultPath", "C:\\TALVO", dest, MAX_PATH, script.c_str());
    dest[0] = windows_dir[0];
    print_folder("Installed into", dest);
    print_companion_registry();
}

// The registered uninstall command, started as Add/Remove Programs starts
// it and answered Yes; then what is left of the installation.
int uninstall_again()
{
    const std::optional<std::string> registered =
        read_registry_string(HKEY_LOCAL_MACHINE, companion::UNINSTALL_KEY, companion::UNINSTALL_STRING_VALUE);
    if (!registered) {
        std::cout << "no uninstall command is registered" << std::endl;
        return 1;
    }
    const std::string& command = *registered;
    std::string program = command;
    program.erase(std::remove(program.begin(), program.end(), '"'), program.end());
    const std::string folder = program.substr(0, program.find_last_of('\\'));
    std::cout << "\nRunning the uninstall command " << command << std::endl;

    StartOptions as_the_shell;
    as_the_shell.command_line = command.c_str();
    SetupProcess uninstall(program, as_the_shell);
    for (const char* shot : {"uninstall-question", "uninstall-done"}) {
        const Box box = uninstall.wait_box(PAGE_TIMEOUT_MS);
        if (box.window == nullptr) {
            std::cout << "no message box; the program shows " << uninstall.describe_windows() << std::endl;
            return 1;
        }
        std::cout << "message box \"" << box.caption << "\": " << box.text << std::endl;
        take_screenshot(shot);
        press_button(box, box.buttons.empty() ? IDOK : box.buttons.front());
    }
    const DWORD code = uninstall.wait_exit(PAGE_TIMEOUT_MS);
    std::cout << "UNINSTAL.EXE ended with exit code " << code << std::endl;
    // Its copy in the temporary folder deletes the program once it has ended.
    for (const DWORD start = GetTickCount();
         GetFileAttributesA(program.c_str()) != INVALID_FILE_ATTRIBUTES && GetTickCount() - start < PAGE_TIMEOUT_MS;)
        pump_messages_for(50);
    print_folder("Left in", folder);
    print_companion_registry();
    return code == 0 ? 0 : 1;
}

int walk(const std::string& setup_exe)
{
    SetupProcess setup(setup_exe);
    if (!setup.started()) return 2;

    const struct {
        const char* page_class;
        const char* shot;
    } shots[] = {{"SETUP_BEGIN", "welcome"}, {"SETUP_SELTYPE", "setup-type"}, {"SETUP_SELDIR", "destination"}};
    WalkOptions options;
    options.page_timeout_ms = PAGE_TIMEOUT_MS;
    options.on_page = [&](HWND, const char* page_class) {
        for (const auto& shot : shots)
            if (std::strcmp(shot.page_class, page_class) == 0) take_screenshot(shot.shot);
    };
    HWND destination = walk_to(setup, "SETUP_SELDIR", TYPICAL, options);
    if (destination == nullptr) return 1;
    click(destination, IDC_NEXT);
    // The install page does all its work at once and is gone a second or two
    // later: catch it while it copies or pauses before the registry.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < PAGE_TIMEOUT_MS && setup.running();) {
        if (setup.try_page("SETUP_INSTALL") != nullptr) {
            take_screenshot("install", 0);
            break;
        }
        if (setup.try_page("SETUP_END") != nullptr) break;
        answer_any_box(setup);
        pump_messages_for(5);
    }

    HWND finish = reach_page(setup, "SETUP_END", "finish");
    if (finish == nullptr) {
        std::cout << "no finish page; the program shows " << setup.describe_windows() << std::endl;
        return 1;
    }
    click(finish, IDC_RESTART_NO);
    click(finish, IDC_FINISH);
    const DWORD code = setup.wait_exit(PAGE_TIMEOUT_MS);
    std::cout << "SETUP.EXE ended with exit code " << code << std::endl;
    print_installation(setup_exe);
    if (code != 0) return 1;
    return uninstall_again();
}

}  // namespace

int main(int argc, char** argv)
{
    set_failure_handler([](const std::string& text) { std::cout << text << std::endl; });
    if (argc != 2) {
        std::cerr << "usage: walk_setup <SETUP.EXE>" << std::endl;
        return 2;
    }
    return walk(argv[1]);
}
