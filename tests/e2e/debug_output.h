// What a running program writes with OutputDebugString, read from outside
// as a debugger reads it.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

// Attaches to the process for the time it lives, on a thread of its own
// (the debug events go to the thread that attached). The program runs on
// as before: exceptions other than breakpoints go back to it unhandled.
class DebugOutput {
public:
    // Returns once attached, or once attaching has failed.
    explicit DebugOutput(DWORD pid);
    // Detaches, unless the program has ended; the program is not ended.
    ~DebugOutput();
    DebugOutput(const DebugOutput&) = delete;
    DebugOutput& operator=(const DebugOutput&) = delete;

    bool attached() const { return attached_; }
    DWORD attach_error() const { return attach_error_; }
    // Every string so far, in order, as the program passed it.
    std::vector<std::string> texts() const;
    // Waits until the debugger has seen the program end, which may come
    // after its process handle is signalled; false on timeout.
    bool wait_end(DWORD timeout_ms) const;

private:
    void run();
    bool attach();
    void read_string(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info);

    DWORD pid_;
    HANDLE ready_ = nullptr;
    HANDLE ended_ = nullptr;
    bool attached_ = false;
    DWORD attach_error_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

}  // namespace e2e
