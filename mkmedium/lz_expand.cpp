#include "mkmedium/lz_expand.h"

#include <algorithm>
#include <array>

#include "mkmedium/lz_format.h"

bool has_lz_magic(const uint8_t* data, size_t size)
{
    return size >= LZ_MAGIC.size() && std::equal(LZ_MAGIC.begin(), LZ_MAGIC.end(), data);
}

uint32_t lz_expanded_length(const uint8_t* data)
{
    const uint8_t* p = data + LZ_LENGTH_AT;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

LzResult lz_expand(const uint8_t* data, size_t size, std::vector<uint8_t>& out)
{
    out.clear();
    if (!has_lz_magic(data, size)) return LzResult::NotLz;
    if (size < LZ_HEADER_BYTES || data[LZ_MAGIC.size()] != LZ_MODE) return LzResult::BadHeader;
    const uint32_t length = lz_expanded_length(data);
    out.reserve(std::min<size_t>(length, size * 9));

    std::array<uint8_t, LZ_RING_BYTES> ring;
    ring.fill(LZ_RING_FILL);
    int at = LZ_RING_START;
    size_t in = LZ_HEADER_BYTES;
    while (in < size) {
        const uint8_t flags = data[in++];
        for (int bit = 0; bit < 8 && in < size; ++bit) {
            if (flags & (1 << bit)) {
                out.push_back(ring[at] = data[in++]);
                at = (at + 1) % LZ_RING_BYTES;
                continue;
            }
            if (in + 1 >= size) return LzResult::Corrupt;
            int from = data[in] | (data[in + 1] & 0xF0) << 4;
            const int count = (data[in + 1] & 0x0F) + LZ_MIN_MATCH;
            in += 2;
            for (int k = 0; k < count; ++k) {
                out.push_back(ring[at] = ring[from]);
                at = (at + 1) % LZ_RING_BYTES;
                from = (from + 1) % LZ_RING_BYTES;
            }
        }
    }
    return out.size() == length ? LzResult::Expanded : LzResult::Corrupt;
}
