// UNINSTAL.EXE, registered by Setup as the uninstall command of Roller Kit:
// removes what the installation put in place, as the installed SETUP.INF
// in its own folder lists it, and the registry entries that point there.
//
// Exit code: 0 when all is removed, 1 when the user said No, 2 when
// something remains or waits for a restart.
#include <windows.h>

#include "close_utility.h"
#include "messages.h"
#include "removal_plan.h"
#include "remove_files.h"
#include "remove_registry.h"
#include "self_erase.h"
#include "uninstall_state.h"

namespace {

constexpr const char* RUNNING_MUTEX = "RollerKitUninstall";

// Held for the whole run, so that a second start can tell.
class SingleRun {
public:
    SingleRun()
    {
        mutex_ = CreateMutexA(nullptr, FALSE, RUNNING_MUTEX);
        first_ = mutex_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
    }
    ~SingleRun()
    {
        if (mutex_ != nullptr) CloseHandle(mutex_);
    }
    SingleRun(const SingleRun&) = delete;
    SingleRun& operator=(const SingleRun&) = delete;
    bool first() const { return first_; }

private:
    HANDLE mutex_ = nullptr;
    bool first_ = false;
};

// Everything after the user's Yes.
int remove_roller_kit()
{
    close_companion_utility();
    if (uninstall.script == ScriptStatus::usable) {
        remove_files();
        remove_subfolders();
        remove_program_and_folder();
    }
    remove_registry_entries();
    if (uninstall.script == ScriptStatus::usable) list_leftovers();
    return report_outcome();
}

int uninstall_roller_kit()
{
    locate_program_folder();
    // A current directory in the folder would keep it from being deleted.
    SetCurrentDirectoryA(uninstall.windows_folders[0]);
    plan_removal();
    const int exit_code = ask_to_remove() ? remove_roller_kit() : EXIT_DECLINED;
    release_path_lists();
    return exit_code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const char* command_line = GetCommandLineA();
    if (is_eraser_command(command_line)) return run_eraser(command_line);

    SingleRun run;
    if (!run.first()) {
        report_already_running();
        return EXIT_REMAINS;
    }
    return uninstall_roller_kit();
}
