// The common dialog (comdlg32) entry point of the directory browser. It is
// loaded when the browser first opens, not at start-up: comdlg32 brings
// shell32, comctl32 and several more libraries with it, and every start
// would wait for them although most runs never browse.
#pragma once

#include <windows.h>
#include <commdlg.h>

struct CommonDialogApi {
    BOOL(WINAPI* get_open_file_name)(OPENFILENAMEA* dialog);
};

// Fills api from the library, which stays loaded. Returns 0, with the
// library released and api emptied, when it or an entry point is missing.
int load_common_dialog_api(CommonDialogApi& api, const char* library_name);

// Loads comdlg32 on first use and keeps it for the process. Returns null
// when the library or an entry point is missing.
const CommonDialogApi* system_common_dialog_api();
