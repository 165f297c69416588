// Expanding the LZ format, to check a medium's compressed files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class LzResult {
    NotLz,      // no LZ magic: LZ32 copies such a file as it is
    BadHeader,  // the magic, but a header that LZ32 does not read
    Corrupt,    // the data ends inside an item, or expands to another length than the header says
    Expanded,
};

bool has_lz_magic(const uint8_t* data, size_t size);
uint32_t lz_expanded_length(const uint8_t* data);  // from a header that has the magic

LzResult lz_expand(const uint8_t* data, size_t size, std::vector<uint8_t>& out);
