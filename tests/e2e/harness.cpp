#include "harness.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "resources/resource_ids.h"
#include "support/background_pixels.h"
#include "support/test_files.h"

namespace e2e {

namespace {

constexpr int MESSAGE_TEXT_ID = 0xFFFF;
constexpr int MESSAGE_ICON_ID = 0x0440;
constexpr DWORD POLL_MS = 20;
constexpr double MAX_TIMEOUT_FACTOR = 100;
// How long a message box may take to paint its icon.
constexpr DWORD ICON_PAINT_MS = 1000;
constexpr DWORD ICON_POLL_MS = 40;

double read_timeout_factor()
{
    char text[32] = {};
    const DWORD length = GetEnvironmentVariableA("E2E_TIMEOUT_FACTOR", text, sizeof text);
    if (length == 0) return 1;
    char* end = nullptr;
    const double factor = length < sizeof text ? std::strtod(text, &end) : 0;
    if (end == nullptr || end == text || *end != '\0' || !(factor >= 1 && factor <= MAX_TIMEOUT_FACTOR)) {
        std::fprintf(stderr, "E2E_TIMEOUT_FACTOR must be a number from 1 to %g; waits are not stretched\n",
                     MAX_TIMEOUT_FACTOR);
        return 1;
    }
    return factor;
}

// Wine shows the Unix file system as drive Z:.
std::string unix_to_windows_path(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

void copy_tree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copy_tree(from + "\\" + name, to + "\\" + name);
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string class_of(HWND window)
{
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct ProcessWindows {
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect_window(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ProcessWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->pid && IsWindowVisible(window)) search->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> visible_windows(DWORD pid)
{
    ProcessWindows search{pid, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

// Other dialogs have controls 0xFFFF and 0x440 too (the Open dialog's
// current-directory text is 0x440); only a message box's 0x440 is an icon.
bool is_message_box(HWND window)
{
    if (class_of(window) != "#32770" || GetDlgItem(window, MESSAGE_TEXT_ID) == nullptr) return false;
    HWND icon_control = GetDlgItem(window, MESSAGE_ICON_ID);
    return icon_control != nullptr && (GetWindowLongA(icon_control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

// The program's thread handles a sent message only from a message loop, so
// an answer means it has finished what it did before (a page's setup).
bool wait_until_idle(HWND window, DWORD timeout_ms)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, timeout_ms, &result) != 0;
}

// The icon of a box lives in the program's process, so it is known by its
// pixels on the screen: each system icon is drawn here over the same
// background and compared with what the box shows.
struct SystemIcon {
    WORD id;  // IDI_EXCLAMATION and the others, as numbers
    UINT kind;
};
constexpr std::array SYSTEM_ICONS = {SystemIcon{32515, MB_ICONEXCLAMATION}, SystemIcon{32514, MB_ICONQUESTION},
                                     SystemIcon{32513, MB_ICONHAND}, SystemIcon{32516, MB_ICONASTERISK}};

// The icon as the system draws it on the given ground.
PixelGrid render_icon(HICON icon, COLORREF ground, int width, int height)
{
    PixelCanvas canvas(width, height, ground);
    DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    return canvas.pixels();
}

UINT match_icon(HWND icon_control)
{
    RECT frame;
    GetWindowRect(icon_control, &frame);
    const int width = std::min<int>(frame.right - frame.left, 64);
    const int height = std::min<int>(frame.bottom - frame.top, 64);
    if (width <= 0 || height <= 0) return 0;

    const RECT area{frame.left, frame.top, frame.left + width, frame.top + height};
    const PixelGrid shown = capture_screen(area);

    UINT best_kind = 0xFFFFFFFF;
    double best_share = 0;
    for (const SystemIcon& candidate : SYSTEM_ICONS) {
        const PixelGrid drawn =
            render_icon(LoadIconA(nullptr, MAKEINTRESOURCEA(candidate.id)), shown.pixels[0], width, height);
        size_t same = 0;
        for (size_t i = 0; i < shown.pixels.size(); ++i) same += shown.pixels[i] == drawn.pixels[i];
        const double share = static_cast<double>(same) / static_cast<double>(shown.pixels.size());
        if (share > best_share) best_share = share, best_kind = candidate.kind;
    }
    return best_share >= 0.97 ? best_kind : 0xFFFFFFFF;
}

UINT icon_kind(HWND box)
{
    HWND icon_control = GetDlgItem(box, MESSAGE_ICON_ID);
    if (icon_control == nullptr || !IsWindowVisible(icon_control)) return 0;
    if (SendMessageA(icon_control, STM_GETICON, 0, 0) == 0) return 0;
    // The box may not have painted yet.
    UINT kind = match_icon(icon_control);
    const DWORD limit = scaled_ms(ICON_PAINT_MS);
    for (const DWORD start = GetTickCount(); kind == 0xFFFFFFFF && GetTickCount() - start < limit;) {
        pump_messages_for(ICON_POLL_MS);
        kind = match_icon(icon_control);
    }
    return kind;
}

Box read_box(HWND window)
{
    Box box;
    box.window = window;
    box.caption = window_title(window);
    box.text = control_text(window, MESSAGE_TEXT_ID);
    box.icon = icon_kind(window);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(window, id);
        if (button != nullptr && IsWindowVisible(button)) box.buttons.push_back(id);
    }
    return box;
}

HANDLE token_without(const char* privilege)
{
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own)) return nullptr;
    LUID_AND_ATTRIBUTES removed = {};
    HANDLE restricted = nullptr;
    if (LookupPrivilegeValueA(nullptr, privilege, &removed.Luid))
        CreateRestrictedToken(own, 0, 0, nullptr, 1, &removed, 0, nullptr, &restricted);
    CloseHandle(own);
    return restricted;
}

std::map<HWND, int>& close_counts()
{
    static std::map<HWND, int> counts;
    return counts;
}

LRESULT CALLBACK titled_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_CLOSE) {
        ++close_counts()[window];
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void set_string_value(HKEY root, const std::string& key, const char* name, const char* value)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot create " << key;
        return;
    }
    RegSetValueExA(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    RegCloseKey(created);
}

// Without a window manager Wine waits two seconds for every managed window
// it hides; unmanaged, the programs under test behave the same, only fast.
void unmanage_program_windows()
{
    static bool done = false;
    if (done) return;
    done = true;
    for (const char* program : {"SETUP.EXE", "QVMAIN.EXE", "UNINSTAL.EXE"})
        set_string_value(HKEY_CURRENT_USER, std::string("Software\\Wine\\AppDefaults\\") + program + "\\X11 Driver",
                         "Managed", "N");
}

// Another process's command line, from its process parameters.
std::string command_line_of(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) return {};
    std::string line;
    PROCESS_BASIC_INFORMATION basic = {};
    PEB peb = {};
    RTL_USER_PROCESS_PARAMETERS parameters = {};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
        ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
        ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
        std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
        if (ReadProcessMemory(process, parameters.CommandLine.Buffer, wide.data(), parameters.CommandLine.Length,
                              nullptr))
            for (wchar_t c : wide) line += static_cast<char>(c < 128 ? c : '?');
    }
    CloseHandle(process);
    return line;
}

std::string wineboot_command_lines()
{
    std::string lines;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return lines;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "wineboot.exe") != 0) continue;
        if (!lines.empty()) lines += " | ";
        lines += command_line_of(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return lines;
}

std::map<HWND, std::vector<std::string>>& session_requests()
{
    static std::map<HWND, std::vector<std::string>> requests;
    return requests;
}

LRESULT CALLBACK session_watcher_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_QUERYENDSESSION) {
        session_requests()[window].push_back(wineboot_command_lines());
        return FALSE;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

DWORD scaled_ms(DWORD ms)
{
    static const double factor = read_timeout_factor();
    if (ms == INFINITE) return ms;
    const double scaled = ms * factor;
    return scaled < INFINITE - 1 ? static_cast<DWORD>(scaled) : INFINITE - 1;
}

std::string medium_dir() { return unix_to_windows_path(E2E_MEDIUM_DIR); }
std::string companion_dir() { return unix_to_windows_path(E2E_COMPANION_DIR); }

MediumCopy::MediumCopy()
    : dir_(make_temp_dir("medium")), destination_parent_(make_temp_dir("dest")),
      destination_(destination_parent_ + "\\Roller Kit")
{
    unmanage_program_windows();
    remove_roller_kit_installation();
    copy_tree(medium_dir(), dir_);
    set_script_value("Main", "DefaultPath", destination_.c_str());
}

MediumCopy::~MediumCopy()
{
    remove_tree(dir_);
    remove_tree(destination_parent_);
    remove_roller_kit_installation();
}

void remove_roller_kit_installation()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    for (const char* file : {"\\ROLLER.INI", "\\SYSTEM\\RKMOUSE.SYS", "\\INF\\RKMOUSE.INF"})
        DeleteFileA((std::string(windows) + file).c_str());

    const std::string version = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    delete_registry_tree(HKEY_CLASSES_ROOT, "CLSID\\{6B2D94F0-3C1A-11D2-8E47-52A0C3D9B71E}");
    delete_registry_tree(HKEY_LOCAL_MACHINE,
                         version + "\\Controls Folder\\Mouse\\shellex\\PropertySheetHandlers\\QVMousePage");
    delete_registry_tree(HKEY_LOCAL_MACHINE, version + "\\Uninstall\\RollPoint");
    delete_registry_tree(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\RkWheel");
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (version + "\\Run").c_str(), 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, "RollPoint");
        RegCloseKey(run);
    }
}

void MediumCopy::set_script_value(const char* section, const char* key, const char* value) const
{
    WritePrivateProfileStringA(section, key, value, (dir_ + "\\SETUP.INF").c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, (dir_ + "\\SETUP.INF").c_str());
}

SetupProcess::SetupProcess(const std::string& exe, const StartOptions& options)
{
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    std::string command = options.command_line != nullptr ? options.command_line : "\"" + exe + "\"";
    const char* application = options.command_line != nullptr ? nullptr : exe.c_str();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    BOOL ok = FALSE;
    if (options.without_privilege != nullptr) {
        HANDLE token = token_without(options.without_privilege);
        if (token == nullptr) {
            ADD_FAILURE() << "no token without " << options.without_privilege;
            return;
        }
        ok = CreateProcessAsUserA(token, application, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &created);
        CloseHandle(token);
    } else {
        ok = CreateProcessA(application, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &created);
    }
    if (!ok) {
        ADD_FAILURE() << "cannot start " << exe << ", error " << GetLastError();
        return;
    }
    CloseHandle(created.hThread);
    process_ = created.hProcess;
    pid_ = created.dwProcessId;
}

SetupProcess::~SetupProcess()
{
    if (process_ == nullptr) return;
    if (running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool SetupProcess::running() const
{
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

HWND SetupProcess::try_page(const char* class_name)
{
    for (HWND window : visible_windows(pid_)) {
        if (class_of(window) != class_name) continue;
        if (std::find(returned_.begin(), returned_.end(), window) != returned_.end()) continue;
        if (!wait_until_idle(window, scaled_ms(DEFAULT_TIMEOUT_MS))) continue;
        returned_.push_back(window);
        return window;
    }
    return nullptr;
}

Box SetupProcess::try_box()
{
    for (HWND window : visible_windows(pid_)) {
        if (!is_message_box(window)) continue;
        if (std::find(returned_.begin(), returned_.end(), window) != returned_.end()) continue;
        wait_until_idle(window, scaled_ms(DEFAULT_TIMEOUT_MS));
        returned_.push_back(window);
        return read_box(window);
    }
    return {};
}

HWND SetupProcess::wait_page(const char* class_name, DWORD timeout_ms)
{
    const DWORD limit = scaled_ms(timeout_ms);
    const DWORD start = GetTickCount();
    do {
        if (HWND page = try_page(class_name)) return page;
        if (!running()) break;
        pump_messages_for(POLL_MS);
    } while (GetTickCount() - start < limit);
    ADD_FAILURE() << "no new " << class_name << " window; the program shows " << describe_windows()
                  << (running() ? "" : " and has ended");
    return nullptr;
}

Box SetupProcess::wait_box(DWORD timeout_ms)
{
    const DWORD limit = scaled_ms(timeout_ms);
    const DWORD start = GetTickCount();
    do {
        Box box = try_box();
        if (box.window != nullptr) return box;
        if (!running()) break;
        pump_messages_for(POLL_MS);
    } while (GetTickCount() - start < limit);
    ADD_FAILURE() << "no new message box; the program shows " << describe_windows()
                  << (running() ? "" : " and has ended");
    return {};
}

HWND SetupProcess::wait_dialog(DWORD timeout_ms)
{
    const DWORD limit = scaled_ms(timeout_ms);
    const DWORD start = GetTickCount();
    do {
        for (HWND window : visible_windows(pid_)) {
            if (class_of(window) != "#32770" || is_message_box(window)) continue;
            if (std::find(returned_.begin(), returned_.end(), window) != returned_.end()) continue;
            if (!wait_until_idle(window, limit)) continue;
            returned_.push_back(window);
            return window;
        }
        if (!running()) break;
        pump_messages_for(POLL_MS);
    } while (GetTickCount() - start < limit);
    ADD_FAILURE() << "no new dialog; the program shows " << describe_windows() << (running() ? "" : " and has ended");
    return nullptr;
}

Box SetupProcess::answer_box(int button, DWORD timeout_ms)
{
    Box box = wait_box(timeout_ms);
    if (box.window != nullptr) press_button(box, button);
    return box;
}

DWORD SetupProcess::wait_exit(DWORD timeout_ms)
{
    if (process_ == nullptr) return STILL_ACTIVE;
    const DWORD limit = scaled_ms(timeout_ms);
    const DWORD start = GetTickCount();
    while (running() && GetTickCount() - start < limit) pump_messages_for(POLL_MS);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

std::vector<std::string> SetupProcess::window_classes() const
{
    std::vector<std::string> classes;
    for (HWND window : visible_windows(pid_)) classes.push_back(class_of(window));
    return classes;
}

std::string SetupProcess::describe_windows() const
{
    std::string text = "[";
    for (HWND window : visible_windows(pid_)) {
        if (text.size() > 1) text += ", ";
        text += class_of(window) + " \"" + window_title(window) + "\"";
        if (is_message_box(window)) text += " saying \"" + control_text(window, MESSAGE_TEXT_ID) + "\"";
    }
    return text + "]";
}

void click(HWND dialog, int control_id)
{
    HWND control = GetDlgItem(dialog, control_id);
    EXPECT_NE(control, nullptr) << "no control " << control_id << " in " << window_title(dialog);
    // Posted messages would reach a greyed control too; the user's click does not.
    if (!IsWindowEnabled(control) || !IsWindowEnabled(dialog)) return;
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void press_key(HWND page, UINT virtual_key)
{
    GUITHREADINFO thread_info = {};
    thread_info.cbSize = sizeof thread_info;
    HWND target = page;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(page, nullptr), &thread_info) && thread_info.hwndFocus != nullptr)
        target = thread_info.hwndFocus;
    const UINT scan = MapVirtualKeyA(virtual_key, 0);
    PostMessageA(target, WM_KEYDOWN, virtual_key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtual_key, 1 | (scan << 16) | 0xC0000000u);
}

void press_button(const Box& box, int button)
{
    EXPECT_NE(std::find(box.buttons.begin(), box.buttons.end(), button), box.buttons.end())
        << "the box \"" << box.text << "\" has no button " << button;
    click(box.window, button);
}

void set_text(HWND dialog, int control_id, const std::string& text)
{
    HWND control = GetDlgItem(dialog, control_id);
    EXPECT_NE(control, nullptr) << "no control " << control_id << " in " << window_title(dialog);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string window_title(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string control_text(HWND dialog, int control_id)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, control_id, text, sizeof text);
    return text;
}

bool is_checked(HWND dialog, int control_id) { return IsDlgButtonChecked(dialog, control_id) == BST_CHECKED; }

bool is_enabled(HWND dialog, int control_id)
{
    HWND control = GetDlgItem(dialog, control_id);
    return control != nullptr && IsWindowEnabled(control);
}

bool is_visible(HWND dialog, int control_id)
{
    HWND control = GetDlgItem(dialog, control_id);
    return control != nullptr && IsWindowVisible(control);
}

void pump_messages_for(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

HWND walk_to_components(SetupProcess& setup)
{
    HWND welcome = setup.wait_page("SETUP_BEGIN");
    if (welcome == nullptr) return nullptr;
    click(welcome, IDC_NEXT);
    HWND type = setup.wait_page("SETUP_SELTYPE");
    if (type == nullptr) return nullptr;
    click(type, IDC_CUSTOM);
    click(type, IDC_NEXT);
    return setup.wait_page("SETUP_SELCOMP");
}

void finish_without_restart(SetupProcess& setup)
{
    HWND finish = setup.wait_page("SETUP_END");
    ASSERT_NE(finish, nullptr);
    EXPECT_EQ(control_text(finish, IDC_HEADING), "You have installed Roller Kit Successfully !");
    click(finish, IDC_RESTART_NO);
    click(finish, IDC_NEXT);
    EXPECT_EQ(setup.wait_exit(), 0u);
}

bool read_registry_string(HKEY root, const std::string& key, const char* name, std::string& value)
{
    const RegistryValue stored = read_registry_value(root, key, name);
    if (!stored.found || stored.type != REG_SZ) return false;
    value = stored.data.c_str();  // up to its terminating zero
    return true;
}

bool read_registry_dword(HKEY root, const std::string& key, const char* name, DWORD& value)
{
    const RegistryValue stored = read_registry_value(root, key, name);
    if (!stored.found || stored.type != REG_DWORD || stored.size != sizeof value) return false;
    std::memcpy(&value, stored.data.data(), sizeof value);
    return true;
}

WineVersionOverride::WineVersionOverride(const char* exe_name, const char* version)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + exe_name)
{
    set_string_value(HKEY_CURRENT_USER, key_, "Version", version);
}

WineVersionOverride::~WineVersionOverride()
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    RegDeleteValueA(opened, "Version");
    RegCloseKey(opened);
}

TitledWindow::TitledWindow(const char* title)
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = titled_window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "E2ETitledWindow";
    RegisterClassA(&window_class);
    window_ = CreateWindowExA(0, "E2ETitledWindow", title, WS_OVERLAPPED, 0, 0, 120, 60, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    close_counts()[window_] = 0;
}

TitledWindow::~TitledWindow()
{
    close_counts().erase(window_);
    DestroyWindow(window_);
}

int TitledWindow::close_requests() const { return close_counts()[window_]; }

}  // namespace e2e

namespace e2e {

SessionEndWatcher::SessionEndWatcher()
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = session_watcher_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "E2ESessionEndWatcher";
    RegisterClassA(&window_class);
    window_ = CreateWindowExA(0, "E2ESessionEndWatcher", "session watcher", WS_OVERLAPPED, 0, 0, 80, 40, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    session_requests()[window_];
}

SessionEndWatcher::~SessionEndWatcher()
{
    session_requests().erase(window_);
    DestroyWindow(window_);
}

const std::vector<std::string>& SessionEndWatcher::requests() const { return session_requests()[window_]; }

}  // namespace e2e
