#include "setup/startup.h"

#include "background/background_window.h"
#include "resources/resource_ids.h"
#include "script/setup_script.h"
#include "setup/setup_state.h"
#include "setup/text.h"
#include "setup/wizard.h"

int run_setup(HINSTANCE instance)
{
    state.instance = instance;
    state.screen_cx = static_cast<short>(GetSystemMetrics(SM_CXSCREEN));
    state.screen_cy = static_cast<short>(GetSystemMetrics(SM_CYSCREEN));

    // Windows 95 and Win32s set the top bit; every Windows NT passes.
    if ((GetVersion() & 0x80000000u) != 0) {
        MessageBoxA(nullptr, load_text(IDS_NT_ONLY), "Warning", MB_ICONEXCLAMATION | MB_OK);
        return 0;
    }
    GetWindowsDirectoryA(state.windows_dir, sizeof state.windows_dir);

    if (!load_setup_script()) {
        MessageBoxA(nullptr, load_text(IDS_READING_ERROR), state.caption, MB_ICONEXCLAMATION | MB_OK);
        return 0;
    }
    if (!create_background_window()) {
        release_file_table();
        return 0;
    }
    run_wizard();
    return 0;
}
