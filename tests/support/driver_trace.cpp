#include "support/driver_trace.h"

#include <windows.h>

namespace {

TraceLines recorded;

void record_trace(const char* text, const char* detail)
{
    recorded.push_back({text ? text : "", detail ? detail : ""});
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const TraceLine& line)
{
    return out << '{' << '"' << line.text << "\", \"" << line.detail << "\"}";
}

TraceLines operator+(TraceLines first, const TraceLines& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TraceRecorder::TraceRecorder() : listening_(trace_hook, record_trace) { recorded.clear(); }

TraceRecorder::~TraceRecorder() = default;

const TraceLines& TraceRecorder::lines() const { return recorded; }

void TraceRecorder::clear() { recorded.clear(); }

std::string system_message_text(unsigned long code)
{
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof(text), nullptr);
    return text;
}
