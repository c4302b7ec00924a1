// Block size texts: one leading character that is not read, then hexadecimal digits.
#include "calc/BlockSize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace eee {
namespace {

struct BlockSizeCase
{
    std::string Name;
    std::string Text;
    int64_t Bytes; // ParseBlockSize
    int32_t LowBytes; // BlockSizeBytes
};

class BlockSizeText : public testing::TestWithParam<BlockSizeCase>
{ };

TEST_P(BlockSizeText, ReadsAsHexadecimalAfterTheFirstCharacter)
{
    const BlockSizeCase& c = GetParam();
    EXPECT_EQ(ParseBlockSize(c.Text), c.Bytes);
    EXPECT_EQ(BlockSizeBytes(c.Text), c.LowBytes);
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, BlockSizeText,
    testing::Values(BlockSizeCase {"LeadingX", "x4000", 16384, 16384},
        BlockSizeCase {"LeadingDigit", "04000", 16384, 16384},
        BlockSizeCase {"LeadingBlank", " 4000", 16384, 16384},
        BlockSizeCase {"LeadingLetterG", "G4000", 16384, 16384},
        BlockSizeCase {"LeadingPunctuation", "#4000", 16384, 16384},
        BlockSizeCase {"ThreeCharacters", "?40", 64, 64},
        BlockSizeCase {"UpperCaseDigits", "xABCD", 0xABCD, 0xABCD},
        BlockSizeCase {"LowerCaseDigits", "xabcd", 0xABCD, 0xABCD},
        BlockSizeCase {"MixedCaseDigits", "XaBcDeF", 0xABCDEF, 0xABCDEF},
        BlockSizeCase {"SixtyFourKilobytes", "x10000", 65536, 65536},
        BlockSizeCase {"LetterG", "x4G00", -1, -1}, BlockSizeCase {"LetterGLast", "x400G", -1, -1},
        BlockSizeCase {"LetterZ", "xZ000", -1, -1}, BlockSizeCase {"BlankInside", "x40 0", -1, -1},
        BlockSizeCase {"TrailingBlank", "x4000 ", -1, -1}, BlockSizeCase {"Sign", "x-400", -1, -1},
        BlockSizeCase {"OneCharacter", "x", 0, 0}, BlockSizeCase {"OneDigit", "7", 0, 0},
        BlockSizeCase {"Empty", "", 0, 0}, BlockSizeCase {"TwoCharacters", "xF", 15, 15},
        BlockSizeCase {"Low32BitsOnly", "x100004000", 0x100004000LL, 16384},
        BlockSizeCase {"Low32BitsNegative", "xFFFFFFFF", 0xFFFFFFFFLL, -1},
        BlockSizeCase {"Int32Minimum", "x80000000", 0x80000000LL, INT32_MIN},
        // Sixteen digits fill all 64 bits; the value wraps into the sign bit.
        BlockSizeCase {
            "SixteenDigits", "xF000000000000001", static_cast<int64_t>(0xF000000000000001ULL), 1},
        // Digits beyond the sixteenth from the right vanish modulo 2^64.
        BlockSizeCase {"TwentyDigits", "x12345678901234567890", 0x5678901234567890LL, 0x34567890},
        BlockSizeCase {"SeventeenDigits", "x10000000000000000", 0, 0}),
    [](const testing::TestParamInfo<BlockSizeCase>& info) { return info.param.Name; });

TEST(BlockSizeText, VeryLongTextIsReadWithoutFault)
{
    // A malformed character far from the end still makes the text unreadable.
    EXPECT_EQ(ParseBlockSize("x" + std::string(200, 'F') + "Q" + std::string(200, '0')), -1);
    // All digits beyond the sixteenth from the right are multiples of 2^64.
    EXPECT_EQ(ParseBlockSize("x" + std::string(300, 'A') + "0000000000004000"), 16384);
}

} // namespace
} // namespace eee
