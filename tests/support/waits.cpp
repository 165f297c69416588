#include "waits.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr double MAX_TIMEOUT_FACTOR = 100;

double read_timeout_factor()
{
    char text[32] = {};
    const DWORD length = GetEnvironmentVariableA("E2E_TIMEOUT_FACTOR", text, sizeof text);
    if (length == 0) return 1;
    char* end = nullptr;
    const double factor = length < sizeof text ? std::strtod(text, &end) : 0;
    if (end == nullptr || end == text || *end != '\0' || !(factor >= 1 && factor <= MAX_TIMEOUT_FACTOR)) {
        std::fprintf(stderr, "E2E_TIMEOUT_FACTOR must be a number from 1 to %g; waits are not stretched\n",
                     MAX_TIMEOUT_FACTOR);
        return 1;
    }
    return factor;
}

}  // namespace

DWORD scaled_ms(DWORD ms)
{
    static const double factor = read_timeout_factor();
    if (ms == INFINITE) return ms;
    const double scaled = ms * factor;
    return scaled < INFINITE - 1 ? static_cast<DWORD>(scaled) : INFINITE - 1;
}

void pump_messages_for(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}
