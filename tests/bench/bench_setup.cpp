// Times the real SETUP.EXE from outside, for scripts/bench.
//
// bench_setup startup <SETUP.EXE>
//   Starts the program and prints "STARTUP_US <background shown> <welcome page idle>",
//   both counted from CreateProcess, then ends it. The first is -1 when the
//   watching did not catch the background before the page.
// bench_setup run <program> [argument]
//   Prints "RUN_US <microseconds>" from CreateProcess to the program's end.
// bench_setup install <SETUP.EXE>
//   Walks a Typical installation. Watches the install page's status text and
//   prints "COPY_US <microseconds>" from its first "Copying " text to
//   "Updating Registry...", so the pause before the registration is left
//   out; prints the program's memory counters at the welcome and the finish
//   page ("MEMORY <where> ..."), then "AT_FINISH" and waits for a line on
//   its input before it finishes the run.
//
// The page's texts are read with InternalGetWindowText, which asks the
// server and not the page: the program's thread, busy copying, is neither
// waited for nor slowed by the watching.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "harness.h"
#include "support/failures.h"

using namespace e2e;

namespace {

constexpr DWORD STEP_TIMEOUT_MS = 120000;
constexpr char COPYING_PREFIX[] = "Copying ";
constexpr char UPDATING_REGISTRY[] = "Updating Registry...";

LARGE_INTEGER frequency;

long long now_us()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1000000 / frequency.QuadPart;
}

// A visible top-level window of the process with that class. FindWindowEx
// matches the class itself, in the server, so the poll costs a few server
// calls and not several for every window of the desktop: the watching would
// otherwise slow the program watched. The style is read rather than asked
// with IsWindowVisible, which under Wine waits while the window's thread is
// busy, and so would see the background only once its first paint is over.
HWND visible_window(DWORD pid, const char* class_name)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, class_name, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0) return window;
    }
    return nullptr;
}

std::string status_text(HWND page)
{
    WCHAR wide[256] = {};
    char text[256] = {};
    InternalGetWindowText(GetDlgItem(page, IDC_STATUS), wide, 256);
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

void print_memory(HANDLE process, const char* where)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        std::cout << "MEMORY " << where << " unavailable " << GetLastError() << std::endl;
        return;
    }
    std::cout << "MEMORY " << where << " peak_ws_kb=" << counters.PeakWorkingSetSize / 1024
              << " ws_kb=" << counters.WorkingSetSize / 1024 << " peak_pagefile_kb=" << counters.PeakPagefileUsage / 1024
              << " pagefile_kb=" << counters.PagefileUsage / 1024 << std::endl;
}

int time_startup(const std::string& exe)
{
    const long long start = now_us();
    SetupProcess setup(exe);
    if (!setup.started()) return 2;
    long long background_shown = -1;
    while (now_us() - start < STEP_TIMEOUT_MS * 1000LL && setup.running()) {
        if (background_shown < 0 && visible_window(setup.pid(), "SetupMain") != nullptr)
            background_shown = now_us() - start;
        if (HWND page = visible_window(setup.pid(), "SETUP_BEGIN")) {
            // It answers once its thread is back in the page's message loop.
            DWORD_PTR result = 0;
            SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_BLOCK, STEP_TIMEOUT_MS, &result);
            std::cout << "STARTUP_US " << background_shown << " " << now_us() - start << std::endl;
            return 0;
        }
        Sleep(1);
    }
    std::cout << "no welcome page; the program shows " << setup.describe_windows() << std::endl;
    return 1;
}

int time_run(const std::string& exe, const char* argument)
{
    std::string command = "\"" + exe + "\"";
    if (argument != nullptr) command += std::string(" ") + argument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    const long long start = now_us();
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created))
        return 2;
    WaitForSingleObject(created.hProcess, STEP_TIMEOUT_MS);
    std::cout << "RUN_US " << now_us() - start << std::endl;
    CloseHandle(created.hThread);
    CloseHandle(created.hProcess);
    return 0;
}

// From the first file's status text to "Updating Registry...", polled every millisecond.
long long time_copy(SetupProcess& setup)
{
    const long long limit = now_us() + STEP_TIMEOUT_MS * 1000LL;
    HWND page = nullptr;
    long long copy_start = -1;
    while (now_us() < limit && setup.running()) {
        if (page == nullptr) page = visible_window(setup.pid(), "SETUP_INSTALL");
        if (page != nullptr) {
            const std::string text = status_text(page);
            if (copy_start < 0 && text.rfind(COPYING_PREFIX, 0) == 0) copy_start = now_us();
            if (text == UPDATING_REGISTRY) return copy_start < 0 ? -1 : now_us() - copy_start;
        }
        Sleep(1);
    }
    return -1;
}

int time_install(const std::string& exe)
{
    SetupProcess setup(exe);
    if (!setup.started()) return 2;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, setup.pid());

    WalkOptions options;
    options.page_timeout_ms = STEP_TIMEOUT_MS;
    options.on_page = [process](HWND, const char* page_class) {
        if (std::strcmp(page_class, "SETUP_BEGIN") == 0) print_memory(process, "welcome");
    };
    HWND destination = walk_to(setup, "SETUP_SELDIR", TYPICAL, options);
    if (destination == nullptr) return 1;
    click(destination, IDC_NEXT);
    const long long copy_us = time_copy(setup);
    if (copy_us < 0) {
        std::cout << "the install page's copy was not seen; the program shows " << setup.describe_windows() << std::endl;
        return 1;
    }
    std::cout << "COPY_US " << copy_us << std::endl;

    HWND finish = setup.wait_page("SETUP_END", STEP_TIMEOUT_MS);
    if (finish == nullptr) return 1;
    print_memory(process, "finish");
    std::cout << "AT_FINISH" << std::endl;
    std::string answer;
    std::getline(std::cin, answer);

    click(finish, IDC_RESTART_NO);
    click(finish, IDC_FINISH);
    const DWORD code = setup.wait_exit(STEP_TIMEOUT_MS);
    CloseHandle(process);
    if (code != 0) {
        std::cout << "SETUP.EXE ended with " << code << std::endl;
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QueryPerformanceFrequency(&frequency);
    set_failure_handler([](const std::string& text) { std::cout << text << std::endl; });
    if (argc == 3 && std::strcmp(argv[1], "startup") == 0) return time_startup(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "install") == 0) return time_install(argv[2]);
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "run") == 0) return time_run(argv[2], argc == 4 ? argv[3] : nullptr);
    std::cerr << "usage: bench_setup startup|install <SETUP.EXE> | run <program> [argument]" << std::endl;
    return 2;
}
