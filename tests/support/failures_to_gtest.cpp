// Linked into every test program: what the helpers report is a failure of
// the running test, as an EXPECT that does not hold.
#include <gtest/gtest.h>

#include "failures.h"

namespace {

void add_test_failure(const std::string& text) { ADD_FAILURE() << text; }

[[maybe_unused]] const bool installed = (set_failure_handler(add_test_failure), true);

}  // namespace
