// The LZ format that LZ32 and expand read. A 14-byte header: the magic, the
// mode 'A', the character that the file's name lost to its "_" (0 when none
// was replaced) and the expanded length, 32 bits little-endian. Then groups
// of up to eight items, each group led by a byte whose bits, lowest first,
// mark a literal byte (1) or a reference (0). A reference is two bytes:
// twelve bits of position in a 4 KB ring of the output so far (the low eight
// in the first byte, the high four in the top of the second) and four bits
// of length less three.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::array<uint8_t, 8> LZ_MAGIC = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr uint8_t LZ_MODE = 'A';
constexpr size_t LZ_MISSING_CHAR_AT = 9;
constexpr size_t LZ_LENGTH_AT = 10;
constexpr size_t LZ_HEADER_BYTES = 14;

// The ring starts filled with blanks, and the first byte goes 16 before its end.
constexpr int LZ_RING_BYTES = 4096;
constexpr int LZ_RING_START = LZ_RING_BYTES - 16;
constexpr uint8_t LZ_RING_FILL = ' ';

constexpr int LZ_MIN_MATCH = 3;
constexpr int LZ_MAX_MATCH = LZ_MIN_MATCH + 15;
