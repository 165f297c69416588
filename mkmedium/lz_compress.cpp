// Every position's longest earlier match is found through hash chains over
// the last 4 KB, and each block of the input is then parsed at the least
// cost in bits (a literal costs 9, a reference 17, flag bits included), from
// its end backwards.
#include "mkmedium/lz_compress.h"

#include <algorithm>
#include <array>
#include <memory>

#include "mkmedium/lz_format.h"

namespace {

// References stay short of the whole ring, so that no expander has to tell
// a byte it is about to overwrite from one it has just written.
constexpr size_t MAX_DISTANCE = LZ_RING_BYTES - LZ_MAX_MATCH;
constexpr int HASH_BITS = 15;
// Candidates tried at one position at most: past this, a longer chain
// rarely gives a longer match and costs time.
constexpr int CHAIN_DEPTH = 256;
constexpr size_t BLOCK = 64 * 1024;
constexpr uint32_t LITERAL_BITS = 9;
constexpr uint32_t REFERENCE_BITS = 17;
constexpr uint32_t NONE = 0xFFFFFFFFu;

struct MatchFinder {
    const uint8_t* data;
    size_t size;
    std::vector<uint32_t> head = std::vector<uint32_t>(size_t{1} << HASH_BITS, NONE);
    std::vector<uint32_t> previous = std::vector<uint32_t>(LZ_RING_BYTES, NONE);
    uint32_t last_distance = 0;  // of the last longest match
};

uint32_t hash_at(const uint8_t* p)
{
    const uint32_t three = p[0] | p[1] << 8 | p[2] << 16;
    return (three * 2654435761u) >> (32 - HASH_BITS);
}

int match_length(const uint8_t* there, const uint8_t* here, int limit)
{
    int length = 0;
    while (length < limit && there[length] == here[length]) ++length;
    return length;
}

// The longest match for position i (length 0 when none of at least three),
// and inserts i into its chain.
int find_and_insert(MatchFinder& finder, size_t i, uint32_t& distance)
{
    const size_t left = finder.size - i;
    if (left < static_cast<size_t>(LZ_MIN_MATCH)) return 0;
    const int limit = static_cast<int>(std::min<size_t>(LZ_MAX_MATCH, left));
    const uint8_t* here = finder.data + i;
    const uint32_t h = hash_at(here);

    int best = LZ_MIN_MATCH - 1;
    // Inside a run or a repeated pattern the last match's distance usually
    // gives the longest match again, without a walk.
    const uint32_t last = finder.last_distance;
    if (last != 0 && last <= i && match_length(here - last, here, limit) == limit) {
        best = limit;
        distance = last;
    }
    int depth = CHAIN_DEPTH;
    for (uint32_t candidate = finder.head[h]; best < limit && candidate != NONE && i - candidate <= MAX_DISTANCE && depth-- > 0;
         candidate = finder.previous[candidate % LZ_RING_BYTES]) {
        const uint8_t* there = finder.data + candidate;
        if (there[best] != here[best]) continue;
        const int length = match_length(there, here, limit);
        if (length > best) {
            best = length;
            distance = static_cast<uint32_t>(i - candidate);
        }
    }
    finder.previous[i % LZ_RING_BYTES] = finder.head[h];
    finder.head[h] = static_cast<uint32_t>(i);
    if (best < LZ_MIN_MATCH) return 0;
    finder.last_distance = distance;
    return best;
}

struct Writer {
    std::vector<uint8_t>& out;
    size_t flags_at = 0;
    int bit = 8;

    void start_item()
    {
        if (bit == 8) {
            flags_at = out.size();
            out.push_back(0);
            bit = 0;
        }
    }
    void literal(uint8_t c)
    {
        start_item();
        out[flags_at] |= static_cast<uint8_t>(1 << bit++);
        out.push_back(c);
    }
    void reference(size_t position, uint32_t distance, int length)
    {
        start_item();
        ++bit;
        const uint32_t from = static_cast<uint32_t>((LZ_RING_START + position - distance) % LZ_RING_BYTES);
        out.push_back(static_cast<uint8_t>(from & 0xFF));
        out.push_back(static_cast<uint8_t>((from >> 4 & 0xF0) | (length - LZ_MIN_MATCH)));
    }
};

void write_header(std::vector<uint8_t>& out, size_t size, uint8_t missing_char)
{
    out.assign(LZ_MAGIC.begin(), LZ_MAGIC.end());
    out.push_back(LZ_MODE);
    out.push_back(missing_char);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(static_cast<uint64_t>(size) >> shift));
}

}  // namespace

std::vector<uint8_t> lz_compress(const uint8_t* data, size_t size, uint8_t missing_char)
{
    std::vector<uint8_t> out;
    write_header(out, size, missing_char);
    out.reserve(LZ_HEADER_BYTES + size + size / 8 + 1);

    MatchFinder finder{data, size};
    Writer writer{out};
    const auto lengths = std::make_unique<uint8_t[]>(BLOCK);
    const auto distances = std::make_unique<uint16_t[]>(BLOCK);
    const auto cost = std::make_unique<uint32_t[]>(BLOCK + 1);
    const auto step = std::make_unique<uint8_t[]>(BLOCK);

    for (size_t start = 0; start < size; start += BLOCK) {
        const size_t n = std::min(BLOCK, size - start);
        for (size_t k = 0; k < n; ++k) {
            uint32_t distance = 0;
            lengths[k] = static_cast<uint8_t>(find_and_insert(finder, start + k, distance));
            distances[k] = static_cast<uint16_t>(distance);
        }
        // A match that runs past the block is cut at its end.
        cost[n] = 0;
        for (size_t k = n; k-- > 0;) {
            uint32_t best = LITERAL_BITS + cost[k + 1];
            uint8_t best_step = 1;
            const int longest = static_cast<int>(std::min<size_t>(lengths[k], n - k));
            for (int length = LZ_MIN_MATCH; length <= longest; ++length) {
                const uint32_t c = REFERENCE_BITS + cost[k + length];
                if (c < best) {
                    best = c;
                    best_step = static_cast<uint8_t>(length);
                }
            }
            cost[k] = best;
            step[k] = best_step;
        }
        for (size_t k = 0; k < n; k += step[k]) {
            if (step[k] == 1)
                writer.literal(data[start + k]);
            else
                writer.reference(start + k, distances[k], step[k]);
        }
    }
    return out;
}
