// Driving the program's own windows from inside a test process: the steps
// run inside whatever message loop is active, and message boxes are read
// and answered as they come up. What the steps see and do is said with the
// calls of ui.h, as the end-to-end tests say it.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "ui.h"

// Watches this thread for message boxes, records each one and answers it by
// pressing the next of the given button ids (IDOK once they run out).
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::vector<int> answers = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    const std::vector<Box>& boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam);
    void answer(HWND box);

    HHOOK hook_ = nullptr;
    std::vector<int> answers_;
    size_t next_answer_ = 0;
    std::vector<Box> boxes_;
};

// Steps run one after another from a thread timer, so they run inside
// whatever message loop is active (a page's, a message box's, a common
// dialog's). A step returns true when it is done, false to be tried again on
// the next tick.
class TimerScript {
public:
    using Step = std::function<bool()>;
    explicit TimerScript(std::vector<Step> steps, UINT interval_ms = 20);
    ~TimerScript();
    TimerScript(const TimerScript&) = delete;
    TimerScript& operator=(const TimerScript&) = delete;

    bool finished() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    bool running_ = false;
};

// A step that waits for this thread's page of the class and then acts on it.
TimerScript::Step on_page(const char* class_name, std::function<void(HWND page)> action);
