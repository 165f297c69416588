#include "ui.h"

#include <algorithm>

#include "box_icon.h"
#include "failures.h"

namespace {

constexpr int MESSAGE_ICON_ID = 0x0440;
constexpr int BOX_BUTTONS[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
constexpr int TEXT_LENGTH = 1024;

// A box is activated before it is shown, so its controls' own style tells
// whether they will be visible.
bool has_visible_style(HWND control)
{
    return control != nullptr && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

struct WindowSearch {
    const char* class_name;
    HWND found;
};

BOOL CALLBACK match_class(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (window_class(window) == search->class_name && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string window_class(HWND window)
{
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string window_title(HWND window)
{
    char text[TEXT_LENGTH] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string control_text(HWND dialog, int control_id)
{
    char text[TEXT_LENGTH] = {};
    GetDlgItemTextA(dialog, control_id, text, sizeof text);
    return text;
}

bool is_checked(HWND dialog, int control_id) { return IsDlgButtonChecked(dialog, control_id) == BST_CHECKED; }

bool is_enabled(HWND dialog, int control_id)
{
    HWND control = GetDlgItem(dialog, control_id);
    return control != nullptr && IsWindowEnabled(control);
}

bool is_visible(HWND dialog, int control_id)
{
    HWND control = GetDlgItem(dialog, control_id);
    return control != nullptr && IsWindowVisible(control);
}

bool click(HWND dialog, int control_id)
{
    HWND control = GetDlgItem(dialog, control_id);
    if (control == nullptr) {
        report_failure("no control " + std::to_string(control_id) + " in " + window_title(dialog));
        return false;
    }
    // Posted messages would reach a greyed control too; the user's click does not.
    if (!IsWindowEnabled(control) || !IsWindowEnabled(dialog)) return true;
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    return true;
}

void press_key(HWND window, UINT virtual_key)
{
    GUITHREADINFO thread_info = {};
    thread_info.cbSize = sizeof thread_info;
    HWND target = window;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread_info) && thread_info.hwndFocus != nullptr)
        target = thread_info.hwndFocus;
    const UINT scan = MapVirtualKeyA(virtual_key, 0);
    PostMessageA(target, WM_KEYDOWN, virtual_key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtual_key, 1 | (scan << 16) | 0xC0000000u);
}

bool set_text(HWND dialog, int control_id, const std::string& text)
{
    HWND control = GetDlgItem(dialog, control_id);
    if (control == nullptr) {
        report_failure("no control " + std::to_string(control_id) + " in " + window_title(dialog));
        return false;
    }
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

HWND find_thread_window(const char* class_name)
{
    WindowSearch search{class_name, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), match_class, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Other dialogs have controls 0xFFFF and 0x440 too (the Open dialog's
// current-directory text is 0x440); only a message box's 0x440 is an icon.
bool is_message_box(HWND window)
{
    if (window_class(window) != "#32770" || GetDlgItem(window, BOX_TEXT_ID) == nullptr) return false;
    HWND icon_control = GetDlgItem(window, MESSAGE_ICON_ID);
    return icon_control != nullptr && (GetWindowLongA(icon_control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

Box read_box(HWND window)
{
    Box box;
    box.window = window;
    box.caption = window_title(window);
    box.text = control_text(window, BOX_TEXT_ID);
    box.icon = box_icon_kind(window);
    for (int id : BOX_BUTTONS)
        if (has_visible_style(GetDlgItem(window, id))) box.buttons.push_back(id);
    return box;
}

bool press_button(const Box& box, int button)
{
    if (std::find(box.buttons.begin(), box.buttons.end(), button) == box.buttons.end()) {
        report_failure("the box \"" + box.text + "\" has no button " + std::to_string(button));
        return false;
    }
    return click(box.window, button);
}
