// Driving the real SETUP.EXE from outside, as a user would: a copy of the
// installation medium, the program started from it, its pages found by
// their window classes, their buttons clicked, its message boxes read and
// answered, and its exit code, files and registry checked afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/registry.h"

namespace e2e {

constexpr DWORD DEFAULT_TIMEOUT_MS = 20000;

// Every wait below takes its time as on a machine that runs Wine natively.
// Under emulation Wine is several times slower: E2E_TIMEOUT_FACTOR (a number
// from 1 to 100) stretches each wait by that factor.
DWORD scaled_ms(DWORD ms);

// build/medium and the companion programs' build folder, as Windows paths.
std::string medium_dir();
std::string companion_dir();

// A copy of build/medium in a fresh temporary folder. Its SETUP.INF names a
// destination of its own (DefaultPath), which does not exist yet but whose
// parent does. What an installation from it leaves behind (that folder, the
// Windows-folder files, the registry entries) is removed at its start and
// at its end, see remove_roller_kit_installation().
class MediumCopy {
public:
    MediumCopy();
    ~MediumCopy();
    MediumCopy(const MediumCopy&) = delete;
    MediumCopy& operator=(const MediumCopy&) = delete;

    const std::string& dir() const { return dir_; }
    std::string setup_exe() const { return dir_ + "\\SETUP.EXE"; }
    // The default destination, e.g. C:\users\...\Temp\setup-test-dest-12-2\Roller Kit.
    const std::string& destination() const { return destination_; }
    // Changes one value of the copy's SETUP.INF (an empty value stays as
    // "key=", a null value removes the key).
    void set_script_value(const char* section, const char* key, const char* value) const;

private:
    std::string dir_;
    std::string destination_parent_;
    std::string destination_;
};

// Deletes what installing the sample medium writes outside its destination:
// ROLLER.INI, SYSTEM\RKMOUSE.SYS and INF\RKMOUSE.INF in the Windows folder,
// the class id, the Mouse property-sheet handler, the Run value, the
// uninstall entry and the RkWheel service key.
void remove_roller_kit_installation();

struct StartOptions {
    // Started with a token from which this privilege is removed, so that
    // the program cannot enable it (e.g. "SeShutdownPrivilege").
    const char* without_privilege = nullptr;
    // Started as the shell starts a registered command: this command line
    // as it stands, quotes and all, with no separate program name; the
    // path given to SetupProcess then only names the working folder.
    const char* command_line = nullptr;
};

// A message box of the program as the user sees it.
struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    UINT icon = 0;  // MB_ICONEXCLAMATION, MB_ICONQUESTION, MB_ICONHAND, MB_ICONASTERISK, 0, or 0xFFFFFFFF
    std::vector<int> buttons;  // ids of the visible buttons: IDOK, IDCANCEL, IDYES, ...
};

// One run of a program, started with CreateProcess. All waits pump this
// thread's messages, so windows of the test (a stand-in "RollPoint") answer.
class SetupProcess {
public:
    explicit SetupProcess(const std::string& exe, const StartOptions& options = {});
    ~SetupProcess();  // ends the program if it is still running
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD pid() const { return pid_; }
    bool running() const;

    // The next visible top-level window of the class that this call has not
    // returned before, once the program's thread has come back to its message
    // loop; null (and a test failure naming the windows there are) on timeout.
    HWND wait_page(const char* class_name, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // As wait_page and wait_box, without waiting and without a test failure:
    // null (or a box with a null window) when there is none yet.
    HWND try_page(const char* class_name);
    Box try_box();
    // The next dialog of the standard class (#32770) that is not a message
    // box, such as the directory browser; null on timeout.
    HWND wait_dialog(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // The next message box not yet returned; window null on timeout.
    Box wait_box(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // Reads the box and presses the given button.
    Box answer_box(int button, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // The exit code, or STILL_ACTIVE after the timeout.
    DWORD wait_exit(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);

    // The classes of its visible top-level windows, e.g. {"SetupMain", "SETUP_BEGIN"}.
    std::vector<std::string> window_classes() const;
    std::string describe_windows() const;

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    std::vector<HWND> returned_;
};

// User actions on a window of another process.
// Posted press and release of the mouse button; lost, as the user's would
// be, on a greyed control or a page under a message box.
void click(HWND dialog, int control_id);
void press_key(HWND page, UINT virtual_key);  // to the page's focused control, e.g. VK_RETURN, VK_ESCAPE
void press_button(const Box& box, int button);
// Replaces the text of an edit control, as typing over a selection would.
void set_text(HWND dialog, int control_id, const std::string& text);

// What the user sees.
std::string window_title(HWND window);
std::string control_text(HWND dialog, int control_id);
bool is_checked(HWND dialog, int control_id);
bool is_enabled(HWND dialog, int control_id);
bool is_visible(HWND dialog, int control_id);
// Lets this thread's windows work for the given time.
void pump_messages_for(DWORD ms);
// Lets this thread's windows work until done() holds, for at most the
// scaled timeout; done()'s last answer.
template <typename Done>
bool wait_until(Done done, DWORD timeout_ms)
{
    constexpr DWORD CHECK_EVERY_MS = 50;
    const DWORD limit = scaled_ms(timeout_ms);
    for (const DWORD start = GetTickCount(); !done();) {
        if (GetTickCount() - start >= limit) return done();
        pump_messages_for(CHECK_EVERY_MS);
    }
    return true;
}

// Walks of the sample medium that many tests share.
// Welcome (Next), setup type with Custom (Next): the component page, or null.
HWND walk_to_components(SetupProcess& setup);
// The finish page reporting success, left with No and Finish; the program
// ends with exit code 0.
void finish_without_restart(SetupProcess& setup);

// Registry, read and cleaned up by the tests.
bool read_registry_string(HKEY root, const std::string& key, const char* name, std::string& value);
bool read_registry_dword(HKEY root, const std::string& key, const char* name, DWORD& value);

// Sets HKCU\Software\Wine\AppDefaults\<exe>\Version for the time it lives:
// Wine then shows that program the given Windows version ("win95", ...).
class WineVersionOverride {
public:
    WineVersionOverride(const char* exe_name, const char* version);
    ~WineVersionOverride();
    WineVersionOverride(const WineVersionOverride&) = delete;
    WineVersionOverride& operator=(const WineVersionOverride&) = delete;

private:
    std::string key_;
};

// A top-level window of the test's own thread with the given title, which
// counts the WM_CLOSE it receives and stays open.
class TitledWindow {
public:
    explicit TitledWindow(const char* title);
    ~TitledWindow();
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;

    HWND window() const { return window_; }
    int close_requests() const;

private:
    HWND window_ = nullptr;
};

// A hidden top-level window of the test's thread that refuses the end of
// the Wine session. Under Wine, ExitWindowsEx starts "wineboot.exe
// --end-session" (with "--shutdown" unless a restart was asked for), which
// asks every program's windows first; the watcher keeps the command line of
// each such request and says no, so that no program is ended.
class SessionEndWatcher {
public:
    SessionEndWatcher();
    ~SessionEndWatcher();
    SessionEndWatcher(const SessionEndWatcher&) = delete;
    SessionEndWatcher& operator=(const SessionEndWatcher&) = delete;

    // One entry per WM_QUERYENDSESSION: the command lines of the wineboot
    // processes running at that moment, joined by " | ".
    const std::vector<std::string>& requests() const;

private:
    HWND window_ = nullptr;
};

}  // namespace e2e
