#include <gtest/gtest.h>

#include "setup/wizard.h"
#include "support/setup_fixture.h"

namespace {

using S = WizardStep;

struct Case {
    S from;
    short outcome;
    int typical;
    int control_panel;
    S expected;
};

// The sequence's table, one row per way out of each step.
TEST(WizardSequence, NextStepFollowsTheTable)
{
    const Case cases[] = {
        {S::welcome, PAGE_CANCEL, 1, 1, S::cancelled},
        {S::welcome, PAGE_NEXT, 1, 1, S::setup_type},
        {S::setup_type, PAGE_CANCEL, 1, 1, S::cancelled},
        {S::setup_type, PAGE_BACK, 0, 1, S::welcome},
        {S::setup_type, PAGE_NEXT, 1, 1, S::files},
        {S::setup_type, PAGE_NEXT, 0, 1, S::components},
        {S::components, PAGE_CANCEL, 0, 1, S::cancelled},
        {S::components, PAGE_BACK, 0, 1, S::setup_type},
        {S::components, PAGE_NEXT, 0, 1, S::files},
        {S::files, PAGE_NEXT, 0, 1, S::destination},
        {S::files, PAGE_NEXT, 0, 0, S::driver},
        {S::destination, PAGE_CANCEL, 1, 1, S::cancelled},
        {S::destination, PAGE_BACK, 1, 1, S::setup_type},
        {S::destination, PAGE_BACK, 0, 1, S::components},
        {S::destination, PAGE_NEXT, 0, 1, S::utility},
        {S::utility, PAGE_NEXT, 1, 1, S::install},
        {S::install, PAGE_CANCEL, 1, 1, S::cancelled},
        {S::install, PAGE_NEXT, 1, 1, S::driver},
        {S::driver, PAGE_NEXT, 1, 0, S::finish},
        {S::finish, PAGE_CANCEL, 1, 1, S::done},  // the finish page's outcome means nothing
        {S::finish, PAGE_NEXT, 1, 1, S::done},
    };
    for (const Case& c : cases) {
        reset_setup_state();
        state.setup_typical = c.typical;
        state.components[COMPONENT_CONTROL_PANEL] = c.control_panel;
        EXPECT_EQ(next_step(c.from, c.outcome), c.expected)
            << "from " << static_cast<int>(c.from) << " with " << c.outcome << ", typical " << c.typical;
    }
}

// "Any other result" is every value but 0 and 2.
TEST(WizardSequence, UnexpectedOutcomesCountAsNext)
{
    reset_setup_state();
    EXPECT_EQ(next_step(S::welcome, 7), S::setup_type);
    EXPECT_EQ(next_step(S::destination, -1), S::utility);
}

TEST(WizardSequence, TypicalSelectsEveryComponentEachTime)
{
    reset_setup_state();
    const int cleared[COMPONENT_COUNT] = {0, 0, 0, 0};
    std::copy(std::begin(cleared), std::end(cleared), state.components);

    state.setup_typical = 0;
    next_step(S::setup_type, PAGE_NEXT);
    EXPECT_EQ(state.components[0], 0) << "Custom keeps what the component page read back";

    state.setup_typical = 1;
    next_step(S::setup_type, PAGE_BACK);
    EXPECT_EQ(state.components[0], 0) << "only Next selects";
    next_step(S::setup_type, PAGE_NEXT);
    for (int i = 0; i < COMPONENT_COUNT; ++i) EXPECT_EQ(state.components[i], 1) << i;
}

}  // namespace
