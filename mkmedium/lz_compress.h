// Compressing into the LZ format that LZ32 and expand read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The most a header's 32-bit length can say.
constexpr uint64_t LZ_MAX_INPUT = 0xFFFFFFFFu;

// data holds at most LZ_MAX_INPUT bytes; missing_char is the character that
// the compressed file's name gave up for its "_", or 0.
std::vector<uint8_t> lz_compress(const uint8_t* data, size_t size, uint8_t missing_char);
