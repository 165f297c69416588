#include "box_icon.h"

#include <algorithm>
#include <array>

#include "background_pixels.h"
#include "waits.h"

namespace {

constexpr int MESSAGE_ICON_ID = 0x0440;
constexpr UINT FOREIGN_ICON = 0xFFFFFFFF;
// How long a message box may take to paint its icon.
constexpr DWORD ICON_PAINT_MS = 1000;
constexpr DWORD ICON_POLL_MS = 40;
constexpr int LARGEST_ICON = 64;
constexpr double SAME_PIXELS_SHARE = 0.97;

struct SystemIcon {
    WORD id;  // IDI_EXCLAMATION and the others, as numbers
    UINT kind;
};
constexpr std::array SYSTEM_ICONS = {SystemIcon{32515, MB_ICONEXCLAMATION}, SystemIcon{32514, MB_ICONQUESTION},
                                     SystemIcon{32513, MB_ICONHAND}, SystemIcon{32516, MB_ICONASTERISK}};

HICON system_icon(const SystemIcon& icon) { return LoadIconA(nullptr, MAKEINTRESOURCEA(icon.id)); }

UINT kind_by_handle(HICON shown)
{
    for (const SystemIcon& candidate : SYSTEM_ICONS)
        if (system_icon(candidate) == shown) return candidate.kind;
    return FOREIGN_ICON;
}

// The icon as the system draws it on the given ground.
PixelGrid render_icon(HICON icon, COLORREF ground, int width, int height)
{
    PixelCanvas canvas(width, height, ground);
    DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    return canvas.pixels();
}

UINT kind_by_pixels(HWND icon_control)
{
    RECT frame;
    GetWindowRect(icon_control, &frame);
    const int width = std::min<int>(frame.right - frame.left, LARGEST_ICON);
    const int height = std::min<int>(frame.bottom - frame.top, LARGEST_ICON);
    if (width <= 0 || height <= 0) return 0;

    const RECT area{frame.left, frame.top, frame.left + width, frame.top + height};
    const PixelGrid shown = capture_screen(area);

    UINT best_kind = FOREIGN_ICON;
    double best_share = 0;
    for (const SystemIcon& candidate : SYSTEM_ICONS) {
        const PixelGrid drawn = render_icon(system_icon(candidate), shown.pixels[0], width, height);
        size_t same = 0;
        for (size_t i = 0; i < shown.pixels.size(); ++i) same += shown.pixels[i] == drawn.pixels[i];
        const double share = static_cast<double>(same) / static_cast<double>(shown.pixels.size());
        if (share > best_share) best_share = share, best_kind = candidate.kind;
    }
    return best_share >= SAME_PIXELS_SHARE ? best_kind : FOREIGN_ICON;
}

bool in_this_process(HWND window)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == GetCurrentProcessId();
}

}  // namespace

UINT box_icon_kind(HWND box)
{
    HWND icon_control = GetDlgItem(box, MESSAGE_ICON_ID);
    if (icon_control == nullptr || (GetWindowLongA(icon_control, GWL_STYLE) & WS_VISIBLE) == 0) return 0;
    const auto shown = reinterpret_cast<HICON>(SendMessageA(icon_control, STM_GETICON, 0, 0));
    if (shown == nullptr) return 0;
    if (in_this_process(box)) return kind_by_handle(shown);

    // The box may not have painted yet.
    UINT kind = kind_by_pixels(icon_control);
    const DWORD limit = scaled_ms(ICON_PAINT_MS);
    for (const DWORD start = GetTickCount(); kind == FOREIGN_ICON && GetTickCount() - start < limit;) {
        pump_messages_for(ICON_POLL_MS);
        kind = kind_by_pixels(icon_control);
    }
    return kind;
}
