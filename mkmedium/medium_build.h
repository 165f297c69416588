// "mkmedium build": lays out a medium from a description. The medium is made
// in a folder beside the output folder and takes its place only when it is
// whole and passes its own check, so a failure leaves nothing half-written.
#pragma once

#include <filesystem>

#include "mkmedium/report.h"

struct BuildRequest {
    std::filesystem::path out;
    std::filesystem::path description;
    bool force = false;  // replace a medium already in out
};

// The problems found; none that is not a warning when the medium was built.
Report build_medium(const BuildRequest& request);
