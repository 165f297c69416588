#include "setup/wizard.h"

#include <array>

#include "driver/mouse_driver.h"
#include "install/install_page.h"
#include "pages/component_page.h"
#include "pages/destination_page.h"
#include "pages/finish_page.h"
#include "pages/restart.h"
#include "pages/type_page.h"
#include "pages/welcome_page.h"
#include "script/setup_script.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

namespace {

// The steps that run a page, and that page's procedure.
struct PageStep {
    WizardStep step;
    Page page;
    WNDPROC procedure;
};

constexpr std::array PAGE_STEPS = {
    PageStep{WizardStep::welcome, Page::welcome, welcome_page_proc},
    PageStep{WizardStep::setup_type, Page::setup_type, type_page_proc},
    PageStep{WizardStep::components, Page::components, component_page_proc},
    PageStep{WizardStep::destination, Page::destination, destination_page_proc},
    PageStep{WizardStep::install, Page::install, install_page_proc},
    PageStep{WizardStep::finish, Page::finish, finish_page_proc},
};

// Which outcomes a row takes: "other" is every value but 0 and 2.
enum class On { cancel, back, other, always };
enum class When { any, typical, custom, control_panel, no_control_panel };

struct Transition {
    WizardStep from;
    On on;
    When when;
    WizardStep to;
    bool select_all = false;
};

using S = WizardStep;
constexpr std::array TRANSITIONS = {
    Transition{S::welcome, On::cancel, When::any, S::cancelled},
    Transition{S::welcome, On::back, When::any, S::setup_type},  // never sent: the Back button is greyed
    Transition{S::welcome, On::other, When::any, S::setup_type},
    Transition{S::setup_type, On::cancel, When::any, S::cancelled},
    Transition{S::setup_type, On::back, When::any, S::welcome},
    Transition{S::setup_type, On::other, When::typical, S::files, true},
    Transition{S::setup_type, On::other, When::custom, S::components},
    Transition{S::components, On::cancel, When::any, S::cancelled},
    Transition{S::components, On::back, When::any, S::setup_type},
    Transition{S::components, On::other, When::any, S::files},
    Transition{S::files, On::always, When::no_control_panel, S::driver},
    Transition{S::files, On::always, When::control_panel, S::destination},
    Transition{S::destination, On::cancel, When::any, S::cancelled},
    Transition{S::destination, On::back, When::typical, S::setup_type},
    Transition{S::destination, On::back, When::custom, S::components},
    Transition{S::destination, On::other, When::any, S::utility},
    Transition{S::utility, On::always, When::any, S::install},
    Transition{S::install, On::cancel, When::any, S::cancelled},
    Transition{S::install, On::back, When::any, S::driver},  // the page never leads back
    Transition{S::install, On::other, When::any, S::driver},
    Transition{S::driver, On::always, When::any, S::finish},
    Transition{S::finish, On::always, When::any, S::done},
};

bool outcome_matches(On on, short outcome)
{
    switch (on) {
    case On::cancel: return outcome == PAGE_CANCEL;
    case On::back: return outcome == PAGE_BACK;
    case On::other: return outcome != PAGE_CANCEL && outcome != PAGE_BACK;
    case On::always: return true;
    }
    return false;
}

bool condition_holds(When when)
{
    switch (when) {
    case When::any: return true;
    case When::typical: return state.setup_typical != 0;
    case When::custom: return state.setup_typical == 0;
    case When::control_panel: return state.components[COMPONENT_CONTROL_PANEL] != 0;
    case When::no_control_panel: return state.components[COMPONENT_CONTROL_PANEL] == 0;
    }
    return false;
}

short run_page_step(WizardStep step)
{
    for (const PageStep& page : PAGE_STEPS)
        if (page.step == step) return run_page(page.page, page.procedure);
    return PAGE_NEXT;
}

void finish_wizard()
{
    run_page_step(WizardStep::finish);  // its outcome means nothing
    if (state.restart_now == 1) restart_windows();
}

}  // namespace

void close_companion_utility()
{
    HWND utility = FindWindowA(nullptr, "RollPoint");
    if (utility != nullptr) SendMessageA(utility, WM_CLOSE, 0, 0);
}

short run_step(WizardStep step)
{
    switch (step) {
    case WizardStep::utility:
        close_companion_utility();
        return PAGE_NEXT;
    case WizardStep::driver:
        if (state.components[COMPONENT_DRIVER] != 0) install_mouse_driver(state.background_window, state.source_dir);
        return PAGE_NEXT;
    case WizardStep::finish:
        finish_wizard();
        return PAGE_NEXT;
    default:
        return run_page_step(step);
    }
}

WizardStep next_step(WizardStep step, short outcome)
{
    for (const Transition& row : TRANSITIONS) {
        if (row.from != step || !outcome_matches(row.on, outcome) || !condition_holds(row.when)) continue;
        if (row.select_all)
            for (int& component : state.components) component = 1;
        return row.to;
    }
    return WizardStep::cancelled;
}

void run_wizard()
{
    WizardStep step = WizardStep::welcome;
    while (step != WizardStep::cancelled && step != WizardStep::done) step = next_step(step, run_step(step));

    release_file_table();
    // After a cancel the window goes with the process.
    if (step == WizardStep::done) DestroyWindow(state.background_window);
}
