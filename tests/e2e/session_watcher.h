// Watching for the end of the Wine session that a restart asks for.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

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
