#include "self_erase.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "path_checks.h"
#include "remove_files.h"
#include "setup/bounded_text.h"
#include "uninstall_state.h"

namespace {

constexpr const char* ERASE_SWITCH = "/erase";
constexpr const char* COPY_PREFIX = "RKU";
// The file of an ended process may stay locked for a moment.
constexpr int DELETE_ATTEMPTS = 50;
constexpr DWORD DELETE_RETRY_MS = 100;

// What the copy is told: the process to outlive and the file to delete.
struct EraseRequest {
    LONG process = 0;  // an inherited handle; handles fit in 32 bits at either width
    char program[MAX_PATH] = {};
};

const char* skip_blanks(const char* text)
{
    while (*text == ' ' || *text == '\t') ++text;
    return text;
}

// Past the program's name, quoted or not.
const char* skip_program_name(const char* text)
{
    text = skip_blanks(text);
    if (*text == '"') {
        ++text;
        while (*text != '\0' && *text != '"') ++text;
        if (*text == '"') ++text;
    } else {
        while (*text != '\0' && *text != ' ' && *text != '\t') ++text;
    }
    return skip_blanks(text);
}

// The arguments after the switch, or null when the line does not start the copy.
const char* erase_arguments(const char* command_line)
{
    const char* text = skip_program_name(command_line);
    const size_t length = std::strlen(ERASE_SWITCH);
    if (_strnicmp(text, ERASE_SWITCH, length) != 0 || text[length] != ' ') return nullptr;
    return skip_blanks(text + length);
}

bool parse_request(const char* command_line, EraseRequest& request)
{
    const char* text = erase_arguments(command_line);
    if (text == nullptr) return false;
    char* end = nullptr;
    request.process = std::strtol(text, &end, 10);
    if (end == text || request.process == 0) return false;
    text = skip_blanks(end);
    if (*text != '"') return false;
    ++text;
    int n = 0;
    for (; *text != '\0' && *text != '"'; ++text) {
        if (n >= MAX_PATH - 1) return false;
        request.program[n++] = *text;
    }
    request.program[n] = '\0';
    return *text == '"' && n > 0;
}

bool delete_when_released(const char* path)
{
    for (int attempt = 0; attempt < DELETE_ATTEMPTS; ++attempt) {
        if (DeleteFileA(path)) return true;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        Sleep(DELETE_RETRY_MS);
    }
    return false;
}

// "<copy>" /erase <handle> "<program>"
bool compose_erase_command(char (&out)[3 * MAX_PATH], const char* copy, HANDLE process)
{
    char number[16];
    wsprintfA(number, "%ld", HandleToLong(process));
    if (lstrlenA(copy) + lstrlenA(uninstall.program_path) + lstrlenA(number) + 16 >= static_cast<int>(sizeof out))
        return false;
    copy_text(out, "\"");
    append_text(out, copy);
    append_text(out, "\" ");
    append_text(out, ERASE_SWITCH);
    append_text(out, " ");
    append_text(out, number);
    append_text(out, " \"");
    append_text(out, uninstall.program_path);
    append_text(out, "\"");
    return true;
}

bool launch_copy(const char* copy, const char* temp_folder)
{
    HANDLE self = nullptr;
    const DWORD access = SYNCHRONIZE | PROCESS_QUERY_INFORMATION;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, access, TRUE, 0))
        return false;
    char command[3 * MAX_PATH];
    bool started = false;
    if (compose_erase_command(command, copy, self)) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION created = {};
        // Started in the temporary folder: a current directory in the
        // program's folder would keep that folder from being deleted.
        started =
            CreateProcessA(copy, command, nullptr, nullptr, TRUE, 0, nullptr, temp_folder, &startup, &created) != 0;
        if (started) {
            CloseHandle(created.hThread);
            CloseHandle(created.hProcess);
        }
    }
    CloseHandle(self);
    return started;
}

bool start_eraser()
{
    char temp_folder[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp_folder);
    if (length == 0 || length >= MAX_PATH) return false;
    char copy[MAX_PATH];
    if (GetTempFileNameA(temp_folder, COPY_PREFIX, 0, copy) == 0) return false;
    if (CopyFileA(uninstall.program_path, copy, FALSE) && launch_copy(copy, temp_folder)) return true;
    DeleteFileA(copy);
    return false;
}

// The copy cannot delete its own file while it runs: the restart does, and
// only to a copy in the temporary folder, never to the program itself.
void schedule_own_deletion()
{
    char own[MAX_PATH];
    char temp_folder[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, own, MAX_PATH);
    const DWORD temp_length = GetTempPathA(MAX_PATH, temp_folder);
    if (length == 0 || length >= MAX_PATH || temp_length == 0 || temp_length >= MAX_PATH) return;
    char folder[MAX_PATH];
    parent_of(folder, own);
    if (same_path(folder, temp_folder)) MoveFileExA(own, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace

void remove_program_and_folder()
{
    if (!uninstall.program_listed) {
        remove_folder(uninstall.folder);
        return;
    }
    uninstall.eraser_started = start_eraser();
    if (!uninstall.eraser_started && !delete_at_restart(uninstall.program_path))
        add_path(uninstall.failed, uninstall.program_path);
    // The copy deletes a folder that holds nothing but the program; one that
    // also holds what waits for the restart goes at the restart.
    if (uninstall.eraser_started && holds_only(uninstall.folder, uninstall.program_path, false)) return;
    remove_folder(uninstall.folder, uninstall.program_path);
}

bool is_eraser_command(const char* command_line)
{
    return erase_arguments(command_line) != nullptr;
}

int run_eraser(const char* command_line)
{
    schedule_own_deletion();
    EraseRequest request;
    if (!parse_request(command_line, request)) return 1;
    // Only the end of a process that handed over its handle releases the file.
    HANDLE process = LongToHandle(request.process);
    DWORD exit_code = 0;
    const bool ended = WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process, &exit_code) && exit_code != STILL_ACTIVE;
    CloseHandle(process);
    if (!ended) return 1;

    char folder[MAX_PATH];
    parent_of(folder, request.program);
    if (delete_when_released(request.program)) {
        RemoveDirectoryA(folder);  // kept when it holds anything else
    } else {
        MoveFileExA(request.program, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        MoveFileExA(folder, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    return 0;
}
