#include "ui_script.h"

#include <map>

namespace {

MessageBoxWatcher* active_watcher = nullptr;
std::map<UINT_PTR, TimerScript*> running_scripts;

constexpr int MESSAGE_TEXT_ID = 0xFFFF;
constexpr int MESSAGE_ICON_ID = 0x0440;

// The box is activated before it is shown, so its controls' own style tells
// whether they will be visible.
bool has_visible_style(HWND control)
{
    return control != nullptr && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

UINT icon_kind(HWND box)
{
    HWND icon_control = GetDlgItem(box, MESSAGE_ICON_ID);
    if (!has_visible_style(icon_control)) return 0;
    const auto shown = reinterpret_cast<HICON>(SendMessageA(icon_control, STM_GETICON, 0, 0));
    if (shown == nullptr) return 0;
    const struct {
        LPCSTR id;
        UINT kind;
    } icons[] = {{IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_HAND, MB_ICONHAND},
                 {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& icon : icons)
        if (LoadIconA(nullptr, icon.id) == shown) return icon.kind;
    return 0xFFFFFFFF;  // an icon, but none of the system's
}

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
        char class_name[32] = {};
        GetClassNameA(window, class_name, sizeof class_name);
        if (lstrcmpA(class_name, "#32770") == 0 && GetDlgItem(window, MESSAGE_TEXT_ID) != nullptr)
            active_watcher->answer(window);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void MessageBoxWatcher::answer(HWND box)
{
    // The same box is activated again when focus comes back to it.
    if (GetPropA(box, "seen-by-test") != nullptr) return;
    SetPropA(box, "seen-by-test", reinterpret_cast<HANDLE>(1));

    SeenBox seen;
    seen.caption = window_text(box);
    seen.text = control_text(box, MESSAGE_TEXT_ID);
    seen.icon = icon_kind(box);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (has_visible_style(button)) seen.buttons.push_back(id);
    }
    boxes_.push_back(seen);

    const int id = next_answer_ < answers_.size() ? answers_[next_answer_++] : IDOK;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
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

namespace {

struct WindowSearch {
    const char* class_name;
    HWND found;
};

BOOL CALLBACK match_class(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, search->class_name) == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND find_thread_window(const char* class_name)
{
    WindowSearch search{class_name, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), match_class, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string window_text(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string control_text(HWND parent, int id)
{
    char text[1024] = {};
    GetDlgItemTextA(parent, id, text, sizeof text);
    return text;
}

void post_click(HWND control)
{
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}
