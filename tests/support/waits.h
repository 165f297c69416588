// Waiting for another program, or for this thread's own windows, while
// this thread's windows keep working.
#pragma once

#include <windows.h>

// Every wait takes its time as on a machine that runs Wine natively. Under
// emulation Wine is several times slower: E2E_TIMEOUT_FACTOR (a number from
// 1 to 100) stretches each wait by that factor.
DWORD scaled_ms(DWORD ms);

// Lets this thread's windows work for the given time.
void pump_messages_for(DWORD ms);

// Lets this thread's windows work until done() holds, for at most the
// scaled timeout; done()'s last answer.
template <typename Done>
bool wait_until(Done done, DWORD timeout_ms)
{
    constexpr DWORD CHECK_EVERY_MS = 50;
    const DWORD limit = scaled_ms(timeout_ms);
    for (const DWORD start = GetTickCount(); !done();) {
        if (GetTickCount() - start >= limit) return done();
        pump_messages_for(CHECK_EVERY_MS);
    }
    return true;
}
