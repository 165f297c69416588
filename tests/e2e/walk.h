// Walking the sample medium's wizard to a page, as the user clicks through it.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "resources/resource_ids.h"
#include "setup_process.h"

namespace e2e {

// One page of a walk: its window class and the controls clicked on it
// before Next.
struct WalkStep {
    const char* page;
    std::vector<int> clicks = {};
};
using WalkPath = std::vector<WalkStep>;

inline const WalkPath TYPICAL = {{"SETUP_BEGIN"}, {"SETUP_SELTYPE"}, {"SETUP_SELDIR"}, {"SETUP_END"}};
inline const WalkPath CUSTOM = {
    {"SETUP_BEGIN"}, {"SETUP_SELTYPE", {IDC_CUSTOM}}, {"SETUP_SELCOMP"}, {"SETUP_SELDIR"}, {"SETUP_END"}};
// Custom with both components cleared: nothing to copy, so the finish page
// follows the components.
inline const WalkPath CUSTOM_NOTHING = {{"SETUP_BEGIN"},
                                        {"SETUP_SELTYPE", {IDC_CUSTOM}},
                                        {"SETUP_SELCOMP", {IDC_COMPONENT_FIRST, IDC_COMPONENT_FIRST + 1}},
                                        {"SETUP_END"}};

struct WalkOptions {
    DWORD page_timeout_ms = DEFAULT_TIMEOUT_MS;
    // Called as each page comes, the target too, before anything is clicked on it.
    std::function<void(HWND page, const char* page_class)> on_page = {};
};

// Follows the path from its first page: waits for each page, clicks its
// controls and Next, up to the page of the target class, which it returns
// untouched. Null (and a failure) when a page does not come or the path
// does not lead there.
HWND walk_to(SetupProcess& setup, const char* target, const WalkPath& path = TYPICAL, const WalkOptions& options = {});

}  // namespace e2e
