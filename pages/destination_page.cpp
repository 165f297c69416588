#include "pages/destination_page.h"

#include <cctype>

#include "pages/directory_browser.h"
#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"
#include "setup/text.h"

DiskSpaceCalls disk_space_calls = {GetDiskFreeSpaceA};

namespace {

constexpr UINT WARNING_BOX = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT QUESTION_BOX = MB_OKCANCEL | MB_ICONQUESTION;
constexpr int KILOBYTE_SHIFT = 10;

int show_box(HWND page, unsigned text_id, UINT type)
{
    return MessageBoxA(page, load_text(text_id), state.caption, type);
}

bool has_drive_form(const char* path)
{
    return path[0] != '\0' && path[1] == ':' && path[2] == '\\';
}

unsigned long long free_kilobytes(const char* root)
{
    DWORD sectors_per_cluster = 0;
    DWORD bytes_per_sector = 0;
    DWORD free_clusters = 0;
    DWORD total_clusters = 0;
    // A drive without a volume or medium has no space to offer.
    if (!disk_space_calls.get_disk_free_space(root, &sectors_per_cluster, &bytes_per_sector, &free_clusters,
                                              &total_clusters))
        return 0;
    const unsigned long long free_bytes = static_cast<unsigned long long>(free_clusters) * bytes_per_sector *
                                          sectors_per_cluster;
    return free_bytes >> KILOBYTE_SHIFT;
}

bool has_enough_space(const char* root)
{
    const unsigned long long available = free_kilobytes(root);
    // A negative minimum can never be met.
    return state.min_space_kb >= 0 && available >= static_cast<unsigned long long>(state.min_space_kb);
}

// Next: the destination is read back, checked and created. The page closes
// only when every check passes; after a failure it stays with PAGE_NEXT.
void accept_destination(HWND page)
{
    state.page_result = PAGE_NEXT;
    GetDlgItemTextA(page, IDC_PATH, state.dest_dir, sizeof state.dest_dir);

    const char root[] = {static_cast<char>(toupper(static_cast<unsigned char>(state.dest_dir[0]))), ':', '\\', '\0'};

    if (!has_drive_form(state.dest_dir)) {
        show_box(page, IDS_CANNOT_CREATE_DIR, WARNING_BOX);
        return;
    }
    const int existed = directory_exists(state.dest_dir);
    if (existed && show_box(page, IDS_DIR_EXISTS, QUESTION_BOX) == IDCANCEL) return;
    if (!has_enough_space(root)) {
        show_box(page, IDS_NO_FREE_SPACE, WARNING_BOX);
        return;
    }
    if (!existed && !CreateDirectoryA(state.dest_dir, nullptr)) {
        show_box(page, IDS_CANNOT_CREATE_DIR, WARNING_BOX);
        return;
    }
    SendMessageA(page, WM_CLOSE, 0, 0);
}

void show_destination(HWND page)
{
    SetDlgItemTextA(page, IDC_PATH, state.dest_dir);
}

}  // namespace

int directory_exists(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

// Next closes the page only when the destination passes its checks.
LRESULT CALLBACK destination_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_SETUP_INIT:
        format_product_text(page, IDC_HEADING);
        show_destination(page);
        break;
    case WM_COMMAND:
        switch (wparam) {
        case IDC_NEXT:
            accept_destination(page);
            return 0;
        case IDC_BROWSE:
            browse_directory(page);
            show_destination(page);
            break;
        }
        break;
    }
    return default_page_proc(page, message, wparam, lparam);
}
