// The compressor against two expanders: its own (which the check uses) and
// msexpand, an independent one. LZ32's turn is in the Windows build's tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "lz_samples.h"
#include "mkmedium/lz_compress.h"
#include "mkmedium/lz_expand.h"
#include "mkmedium/lz_format.h"
#include "mkmedium/medium_files.h"
#include "test_folder.h"

namespace {

std::vector<uint8_t> through_msexpand(const TestFolder& folder, const std::vector<uint8_t>& packed)
{
    const auto in = folder / "packed";
    const auto out = folder / "expanded";
    EXPECT_TRUE(write_bytes(in, packed));
    const std::string command = std::string(MSEXPAND) + " < '" + in.string() + "' > '" + out.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<uint8_t> expanded;
    EXPECT_TRUE(read_bytes(out, expanded));
    return expanded;
}

TEST(LzRoundTrip, EverySampleExpandsToItselfHereAndThroughMsexpand)
{
    TestFolder folder;
    for (const LzSample& sample : lz_samples()) {
        SCOPED_TRACE(sample.name);
        const std::vector<uint8_t> packed = lz_compress(sample.data.data(), sample.data.size(), 'E');
        std::vector<uint8_t> expanded;
        EXPECT_EQ(lz_expand(packed.data(), packed.size(), expanded), LzResult::Expanded);
        EXPECT_TRUE(expanded == sample.data);
        EXPECT_TRUE(through_msexpand(folder, packed) == sample.data);
    }
}

TEST(LzRoundTrip, TheHeaderGivesTheModeTheNamesLostCharacterAndTheLength)
{
    const std::vector<uint8_t> data(70000, 'q');
    const std::vector<uint8_t> packed = lz_compress(data.data(), data.size(), 'L');
    ASSERT_GT(packed.size(), LZ_HEADER_BYTES);
    EXPECT_TRUE(has_lz_magic(packed.data(), packed.size()));
    EXPECT_EQ(packed[LZ_MAGIC.size()], 'A');
    EXPECT_EQ(packed[LZ_MISSING_CHAR_AT], 'L');
    EXPECT_EQ(lz_expanded_length(packed.data()), 70000u);
    // A run takes a reference of two bytes (and a flag bit) for every 18.
    EXPECT_LT(packed.size(), data.size() / 8);
}

TEST(LzExpand, TellsForeignHeadersAndDamagedDataFromGoodFiles)
{
    const std::vector<uint8_t> data(5000, 'z');
    const std::vector<uint8_t> good = lz_compress(data.data(), data.size(), 0);
    std::vector<uint8_t> other_mode = good;
    other_mode[LZ_MAGIC.size()] = 'B';
    std::vector<uint8_t> wrong_length = good;
    wrong_length[LZ_LENGTH_AT] ^= 1;
    const std::vector<uint8_t> cut_header(good.begin(), good.begin() + LZ_HEADER_BYTES - 1);
    const std::vector<uint8_t> cut_by_one(good.begin(), good.end() - 1);
    const std::vector<uint8_t> plain = {'M', 'Z', 0, 0};
    const struct {
        const char* name;
        const std::vector<uint8_t>& file;
        LzResult result;
    } cases[] = {
        {"good", good, LzResult::Expanded},
        {"another mode", other_mode, LzResult::BadHeader},
        {"header cut short", cut_header, LzResult::BadHeader},
        {"another length", wrong_length, LzResult::Corrupt},
        {"the last byte cut off", cut_by_one, LzResult::Corrupt},
        {"no magic", plain, LzResult::NotLz},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out;
        EXPECT_EQ(lz_expand(c.file.data(), c.file.size(), out), c.result) << c.name;
    }
}

}  // namespace
