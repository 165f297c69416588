// Windows, controls and message boxes as the user sees and works them. The
// same calls serve a window of this process (a page run in-process by a
// unit test) and a window of another (the program under test): texts and
// states are read as the screen shows them, clicks and keys are posted as
// the user's mouse and keyboard would send them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::string window_class(HWND window);
std::string window_title(HWND window);
std::string control_text(HWND dialog, int control_id);
bool is_checked(HWND dialog, int control_id);
bool is_enabled(HWND dialog, int control_id);
bool is_visible(HWND dialog, int control_id);

// Posted press and release of the mouse button; lost, as the user's would
// be, on a greyed control or a dialog under a message box. False (and a
// failure reported) when the dialog has no such control.
bool click(HWND dialog, int control_id);
// Posted down and up of a key to the focused control of the window's thread,
// e.g. VK_RETURN, VK_ESCAPE.
void press_key(HWND window, UINT virtual_key);
// Replaces the text of an edit control, as typing over a selection would.
bool set_text(HWND dialog, int control_id, const std::string& text);

// The visible top-level window of this thread with the class name.
HWND find_thread_window(const char* class_name);

// A message box as the user sees it.
struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    UINT icon = 0;  // MB_ICONEXCLAMATION, MB_ICONQUESTION, MB_ICONHAND, MB_ICONASTERISK, 0, or 0xFFFFFFFF
    std::vector<int> buttons;  // ids of the visible buttons: IDOK, IDCANCEL, IDYES, ...
};

constexpr int BOX_TEXT_ID = 0xFFFF;  // the control that shows a message box's text

bool is_message_box(HWND window);
// What the box shows. Its controls are read by their own style, so a box
// that is being activated reads as it will be shown.
Box read_box(HWND window);
// Clicks one of the box's buttons; false (and a failure reported) when the
// box has no such button.
bool press_button(const Box& box, int button);
