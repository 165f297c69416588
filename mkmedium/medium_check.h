// "mkmedium check": reads a medium, its SETUP.INF and the files beside it,
// and lists what the loader would silently get wrong.
#pragma once

#include <filesystem>

#include "mkmedium/report.h"

Report check_medium(const std::filesystem::path& top);
