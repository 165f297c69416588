// The wizard's pages: the window class of each, which its template names as
// its CLASS, and its dialog template. A template whose CLASS differs from
// the name its page is run under makes no page at all.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

#include "resources/resource_ids.h"

enum class Page { welcome, setup_type, components, destination, install, finish };

struct PageTemplate {
    Page page;
    const char* class_name;
    WORD template_id;
};

inline constexpr std::array<PageTemplate, 6> PAGE_TEMPLATES = {{
    {Page::welcome, "SETUP_BEGIN", IDD_WELCOME},
    {Page::setup_type, "SETUP_SELTYPE", IDD_SETUP_TYPE},
    {Page::components, "SETUP_SELCOMP", IDD_COMPONENTS},
    {Page::destination, "SETUP_SELDIR", IDD_DESTINATION},
    {Page::install, "SETUP_INSTALL", IDD_INSTALL},
    {Page::finish, "SETUP_END", IDD_FINISH},
}};

constexpr const PageTemplate& page_template(Page page) { return PAGE_TEMPLATES[static_cast<size_t>(page)]; }

static_assert([] {
    for (size_t i = 0; i < PAGE_TEMPLATES.size(); ++i)
        if (static_cast<size_t>(PAGE_TEMPLATES[i].page) != i) return false;
    return true;
}(), "rows in the order of Page");
