#include "ui_script.h"

#include <map>

namespace {

MessageBoxWatcher* active_watcher = nullptr;
std::map<UINT_PTR, TimerScript*> running_scripts;

constexpr char SEEN_MARK[] = "seen-by-test";

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(std::vector<int> answers) : answers_(std::move(answers))
{
    active_watcher = this;
    hook_ = SetWindowsHookExA(WH_CBT, hook, nullptr, GetCurrentThreadId());
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    UnhookWindowsHookEx(hook_);
    active_watcher = nullptr;
}

LRESULT CALLBACK MessageBoxWatcher::hook(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HCBT_ACTIVATE && active_watcher != nullptr) {
        HWND window = reinterpret_cast<HWND>(wparam);
        if (is_message_box(window)) active_watcher->answer(window);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void MessageBoxWatcher::answer(HWND window)
{
    // The same box is activated again when focus comes back to it.
    if (GetPropA(window, SEEN_MARK) != nullptr) return;
    SetPropA(window, SEEN_MARK, reinterpret_cast<HANDLE>(1));

    const Box box = read_box(window);
    boxes_.push_back(box);
    const int id = next_answer_ < answers_.size() ? answers_[next_answer_++] : IDOK;
    // A box without that button still ends, so that the test does.
    if (!press_button(box, id) && !box.buttons.empty()) click(window, box.buttons.front());
}

TimerScript::TimerScript(std::vector<Step> steps, UINT interval_ms) : steps_(std::move(steps))
{
    timer_ = SetTimer(nullptr, 0, interval_ms, tick);
    running_scripts[timer_] = this;
}

TimerScript::~TimerScript()
{
    KillTimer(nullptr, timer_);
    running_scripts.erase(timer_);
}

void CALLBACK TimerScript::tick(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = running_scripts.find(id);
    if (found == running_scripts.end()) return;
    TimerScript& script = *found->second;
    // A step may open a modal loop of its own (a message box, a dialog), in
    // which this timer keeps ticking: do not enter the same step twice.
    if (script.running_ || script.finished()) return;
    script.running_ = true;
    if (script.steps_[script.next_]()) ++script.next_;
    script.running_ = false;
}

TimerScript::Step on_page(const char* class_name, std::function<void(HWND page)> action)
{
    return [class_name, action] {
        HWND page = find_thread_window(class_name);
        if (page == nullptr) return false;
        action(page);
        return true;
    };
}
