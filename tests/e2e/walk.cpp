#include "walk.h"

#include <cstring>

#include "support/failures.h"

namespace e2e {

HWND walk_to(SetupProcess& setup, const char* target, const WalkPath& path, const WalkOptions& options)
{
    for (const WalkStep& step : path) {
        HWND page = setup.wait_page(step.page, options.page_timeout_ms);
        if (page == nullptr) return nullptr;
        if (options.on_page) options.on_page(page, step.page);
        if (std::strcmp(step.page, target) == 0) return page;
        for (int control : step.clicks) click(page, control);
        click(page, IDC_NEXT);
    }
    report_failure(std::string("the walk does not lead to ") + target);
    return nullptr;
}

}  // namespace e2e
