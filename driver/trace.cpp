#include "driver/trace.h"

#include <windows.h>

TraceHook trace_hook = nullptr;

void trace(const char* text, const char* detail)
{
    if (text) OutputDebugStringA(text);
    if (detail) OutputDebugStringA(detail);
    if (trace_hook) trace_hook(text, detail);
}
