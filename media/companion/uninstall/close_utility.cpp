#include "close_utility.h"

#include <windows.h>

namespace {

constexpr const char* UTILITY_TITLE = "RollPoint";
// A hung utility does not hold the removal up for longer.
constexpr UINT CLOSE_TIMEOUT_MS = 5000;
constexpr DWORD EXIT_WAIT_MS = 3000;

}  // namespace

void close_companion_utility()
{
    HWND window = FindWindowA(nullptr, UTILITY_TITLE);
    if (window == nullptr) return;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, CLOSE_TIMEOUT_MS, &result);
    // A window that refused to close keeps its process: no use waiting then.
    if (process != nullptr && !IsWindow(window)) WaitForSingleObject(process, EXIT_WAIT_MS);
    if (process != nullptr) CloseHandle(process);
}
