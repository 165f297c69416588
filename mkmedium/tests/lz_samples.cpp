#include "lz_samples.h"

#include "mkmedium/lz_format.h"

namespace {

// Blocks of 64 KB meet here; the compressor parses each on its own.
constexpr size_t BLOCK = 64 * 1024;

struct Random {
    uint32_t state = 2463534242u;
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};

std::vector<uint8_t> repeated(size_t size, uint8_t byte) { return std::vector<uint8_t>(size, byte); }

std::vector<uint8_t> noise(size_t size)
{
    Random random;
    std::vector<uint8_t> out(size);
    for (uint8_t& b : out) b = static_cast<uint8_t>(random.next());
    return out;
}

std::vector<uint8_t> text(size_t size)
{
    Random random;
    std::vector<std::string> words;
    for (int i = 0; i < 300; ++i) {
        std::string word;
        for (uint32_t n = 2 + random.next() % 8; n > 0; --n) word += static_cast<char>('a' + random.next() % 26);
        words.push_back(word);
    }
    std::vector<uint8_t> out;
    while (out.size() < size) {
        const std::string& word = words[random.next() % words.size()];
        out.insert(out.end(), word.begin(), word.end());
        out.push_back(random.next() % 12 == 0 ? '\n' : ' ');
    }
    out.resize(size);
    return out;
}

// Like a program: little-endian numbers, runs of zeros, names.
std::vector<uint8_t> program_like(size_t size)
{
    Random random;
    std::vector<uint8_t> out;
    while (out.size() < size) {
        switch (random.next() % 4) {
        case 0:
            for (uint32_t n = random.next() % 64; n > 0; --n) out.push_back(0);
            break;
        case 1:
            for (int n = 0; n < 16; ++n) {
                const uint32_t v = random.next() % 4096;
                for (int byte = 0; byte < 4; ++byte) out.push_back(static_cast<uint8_t>(v >> (8 * byte)));
            }
            break;
        case 2:
            for (const char* s = "GetProcAddress\0LoadLibraryA\0"; *s != '\0'; ++s) out.push_back(static_cast<uint8_t>(*s));
            break;
        default:
            for (int n = 0; n < 24; ++n) out.push_back(static_cast<uint8_t>(0x80 + random.next() % 16));
            break;
        }
    }
    out.resize(size);
    return out;
}

// A block repeated at a distance: the reference reaches exactly that far back.
std::vector<uint8_t> repeated_at(size_t distance, int times)
{
    const std::vector<uint8_t> block = noise(distance);
    std::vector<uint8_t> out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), block.begin(), block.end());
    return out;
}

}  // namespace

std::vector<LzSample> lz_samples()
{
    return {
        {"empty", {}},
        {"one byte", {'A'}},
        {"two bytes", {'A', 'A'}},
        {"the longest match and one more", repeated(LZ_MAX_MATCH + 2, 'x')},
        {"blanks, like the ring's fill", repeated(10000, ' ')},
        {"zeros over a block's end", repeated(BLOCK + 1000, 0)},
        {"noise", noise(BLOCK + 3)},
        {"text", text(200 * 1024)},
        {"program", program_like(150 * 1024)},
        {"repeated at 4078 bytes", repeated_at(LZ_RING_BYTES - LZ_MAX_MATCH, 3)},
        {"repeated at 4079 bytes", repeated_at(LZ_RING_BYTES - LZ_MAX_MATCH + 1, 3)},
        {"repeated at 4096 bytes", repeated_at(LZ_RING_BYTES, 3)},
        {"text ending one past a block", text(BLOCK + 1)},
    };
}
