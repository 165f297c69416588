// The medium builder's compressor against LZ32, the expander that SETUP.EXE
// copies with: every sample comes back byte for byte through LZCopy, and
// LZ32 reads the name's lost character from the header.
#include <gtest/gtest.h>

#include <windows.h>
#include <lzexpand.h>

#include <string>

#include "mkmedium/lz_compress.h"
#include "mkmedium/tests/lz_samples.h"
#include "support/test_files.h"

namespace {

std::string expand_with_lz32(const std::string& source, const std::string& target)
{
    OFSTRUCT source_info = {};
    OFSTRUCT target_info = {};
    const INT from = LZOpenFileA(const_cast<char*>(source.c_str()), &source_info, OF_READ);
    EXPECT_GE(from, 0) << source;
    const INT to = LZOpenFileA(const_cast<char*>(target.c_str()), &target_info, OF_CREATE);
    EXPECT_GE(to, 0) << target;
    if (from >= 0 && to >= 0) {
        EXPECT_GE(LZCopy(from, to), 0) << source;
    }
    if (from >= 0) LZClose(from);
    if (to >= 0) LZClose(to);
    return read_file(target);
}

TEST(MkmediumLz32, EverySampleExpandsByteForByteThroughLzCopy)
{
    const std::string dir = make_temp_dir("lz32");
    ASSERT_FALSE(dir.empty());
    for (const LzSample& sample : lz_samples()) {
        SCOPED_TRACE(sample.name);
        const std::vector<uint8_t> packed = lz_compress(sample.data.data(), sample.data.size(), 'T');
        const std::string source = dir + "\\SAMPLE.DA_";
        write_file(source, std::string(packed.begin(), packed.end()));
        const std::string expanded = expand_with_lz32(source, dir + "\\SAMPLE.DAT");
        EXPECT_EQ(expanded.size(), sample.data.size());
        EXPECT_TRUE(expanded == std::string(sample.data.begin(), sample.data.end()));
    }
    remove_tree(dir);
}

TEST(MkmediumLz32, GetExpandedNameReadsTheLostCharacterFromTheHeader)
{
    const std::string dir = make_temp_dir("lz32-name");
    ASSERT_FALSE(dir.empty());
    const std::string data = "wheel";
    const std::vector<uint8_t> packed = lz_compress(reinterpret_cast<const uint8_t*>(data.data()), data.size(), 'P');
    const std::string source = dir + "\\ROLLER.HL_";
    write_file(source, std::string(packed.begin(), packed.end()));
    char expanded[MAX_PATH] = {};
    ASSERT_EQ(GetExpandedNameA(const_cast<char*>(source.c_str()), expanded), 1);
    EXPECT_EQ(std::string(expanded), dir + "\\ROLLER.HLP");
    remove_tree(dir);
}

}  // namespace
