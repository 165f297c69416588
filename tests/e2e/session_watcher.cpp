#include "session_watcher.h"

#include <tlhelp32.h>

#include <map>

#include "own_windows.h"
#include "process_memory.h"

namespace e2e {

namespace {

constexpr char WATCHER_CLASS[] = "E2ESessionEndWatcher";

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

SessionEndWatcher::SessionEndWatcher()
    : window_(create_own_window(WATCHER_CLASS, session_watcher_proc, "session watcher"))
{
    session_requests()[window_];
}

SessionEndWatcher::~SessionEndWatcher()
{
    session_requests().erase(window_);
    DestroyWindow(window_);
}

const std::vector<std::string>& SessionEndWatcher::requests() const { return session_requests()[window_]; }

}  // namespace e2e
