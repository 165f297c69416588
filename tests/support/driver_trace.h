// Records the driver installation's traces while an instance lives.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "driver/trace.h"
#include "support/seam.h"

struct TraceLine {
    std::string text;    // "" when absent
    std::string detail;  // "" when absent
    bool operator==(const TraceLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TraceLine& line);

using TraceLines = std::vector<TraceLine>;

// The lines of first followed by those of second.
TraceLines operator+(TraceLines first, const TraceLines& second);

class TraceRecorder {
public:
    TraceRecorder();
    ~TraceRecorder();
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;

    const TraceLines& lines() const;
    void clear();

private:
    ScopedSeam<TraceHook> listening_;
};

// The system's text for a Win32 error code, as the installation traces it.
std::string system_message_text(unsigned long code);
