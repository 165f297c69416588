// Files of several kinds and sizes that the compressor must get right, made
// the same on every run: shared by the native tests and the one under Wine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct LzSample {
    std::string name;
    std::vector<uint8_t> data;
};

std::vector<LzSample> lz_samples();
