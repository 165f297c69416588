#include "failures.h"

#include <cstdio>

namespace {

FailureHandler current_handler = nullptr;

}  // namespace

void report_failure(const std::string& text)
{
    if (current_handler != nullptr) {
        current_handler(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

void set_failure_handler(FailureHandler handler) { current_handler = handler; }
