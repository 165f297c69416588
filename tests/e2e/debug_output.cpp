#include "debug_output.h"

#include "harness.h"

namespace e2e {

namespace {

constexpr DWORD EVENT_POLL_MS = 100;
constexpr DWORD ATTACH_WAIT_MS = 5000;
constexpr DWORD ATTACH_RETRY_MS = 100;
// Longer strings are cut: the program's traces are short.
constexpr DWORD MAX_STRING_BYTES = 64 * 1024;

void close_file_handle(HANDLE file)
{
    if (file != nullptr) CloseHandle(file);
}

}  // namespace

DebugOutput::DebugOutput(DWORD pid) : pid_(pid)
{
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ended_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread(&DebugOutput::run, this);
    WaitForSingleObject(ready_, INFINITE);
}

DebugOutput::~DebugOutput()
{
    stop_ = true;
    thread_.join();
    CloseHandle(ready_);
    CloseHandle(ended_);
}

bool DebugOutput::wait_end(DWORD timeout_ms) const
{
    return WaitForSingleObject(ended_, scaled_ms(timeout_ms)) == WAIT_OBJECT_0;
}

std::vector<std::string> DebugOutput::texts() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

// A process that is still starting may refuse a debugger for a moment.
bool DebugOutput::attach()
{
    const DWORD limit = scaled_ms(ATTACH_WAIT_MS);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < limit;) {
        if (DebugActiveProcess(pid_)) return true;
        attach_error_ = GetLastError();
        Sleep(ATTACH_RETRY_MS);
    }
    return false;
}

void DebugOutput::run()
{
    attached_ = attach();
    if (attached_) {
        attach_error_ = 0;
        // Should the test end first, the program stays for SetupProcess to end.
        DebugSetProcessKillOnExit(FALSE);
    }
    SetEvent(ready_);
    if (!attached_) return;

    HANDLE process = nullptr;  // the system's, closed by it
    bool ended = false;
    for (;;) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, EVENT_POLL_MS)) {
            if (stop_) break;
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            close_file_handle(event.u.CreateProcessInfo.hFile);
            process = event.u.CreateProcessInfo.hProcess;
            break;
        case LOAD_DLL_DEBUG_EVENT:
            close_file_handle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT:
            read_string(process, event.u.DebugString);
            break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            ended = true;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (ended) {
            SetEvent(ended_);
            return;
        }
        if (stop_) break;
    }
    DebugActiveProcessStop(pid_);
}

void DebugOutput::read_string(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    if (process == nullptr) return;
    const DWORD char_size = info.fUnicode ? sizeof(WCHAR) : 1;
    DWORD bytes = info.nDebugStringLength * char_size;
    if (bytes > MAX_STRING_BYTES) bytes = MAX_STRING_BYTES;
    std::vector<char> buffer(bytes + sizeof(WCHAR), 0);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, info.lpDebugStringData, buffer.data(), bytes, &read)) return;

    std::string text;
    if (info.fUnicode) {
        const auto* wide = reinterpret_cast<const WCHAR*>(buffer.data());
        const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        if (length > 1) {
            text.resize(length - 1);
            WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), length, nullptr, nullptr);
        }
    } else {
        text = buffer.data();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.push_back(text);
}

}  // namespace e2e
