// Debug trace of the driver installation: never shown to the user.
#pragma once

// Receives every trace after the debugger has; null when nobody listens.
using TraceHook = void (*)(const char* text, const char* detail);
extern TraceHook trace_hook;

// Either text may be null.
void trace(const char* text, const char* detail = nullptr);
