// The scheme table lookups: names match exactly, unknown names give -1.
#include "calc/Schemes.h"

#include <gtest/gtest.h>

#include <string>

namespace eee {
namespace {

struct SchemeCase
{
    std::string Name; // test name
    std::string Scheme;
    bool Fixed;
    int BlockHeader;
    int RecordHeader;
};

class SchemeLookup : public testing::TestWithParam<SchemeCase>
{ };

TEST_P(SchemeLookup, GivesTheSchemeConstants)
{
    const SchemeCase& c = GetParam();
    EXPECT_EQ(IsFixedLengthScheme(c.Scheme), c.Fixed);
    EXPECT_EQ(BlockHeaderOverhead(c.Scheme), c.BlockHeader);
    EXPECT_EQ(RecordHeaderOverhead(c.Scheme), c.RecordHeader);
    const SchemeConstants* found = FindScheme(c.Scheme);
    if (c.BlockHeader < 0) {
        EXPECT_EQ(found, nullptr);
        EXPECT_TRUE(SchemeDescription(c.Scheme).empty());
    } else {
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->Name, c.Scheme);
        EXPECT_FALSE(SchemeDescription(c.Scheme).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, SchemeLookup,
    testing::Values(SchemeCase {"Ecc8Fixed", "ECC8 Fixed-Length", true, 24, 10},
        SchemeCase {"Ecc8Var", "ECC8 Var-Length", false, 24, 12},
        SchemeCase {"Ecc16Fixed", "ECC16 Fixed-Length", true, 48, 18},
        SchemeCase {"Ecc16Var", "ECC16 Var-Length", false, 48, 20},
        SchemeCase {"Ecc32Fixed", "ECC32 Fixed-Length", true, 96, 34},
        SchemeCase {"Ecc32Var", "ECC32 Var-Length", false, 96, 36},
        SchemeCase {"LowerCase", "ecc8 fixed-length", false, -1, -1},
        SchemeCase {"UpperCaseSuffix", "ECC8 FIXED-LENGTH", false, -1, -1},
        SchemeCase {"TrailingBlank", "ECC8 Fixed-Length ", false, -1, -1},
        SchemeCase {"LeadingBlank", " ECC16 Var-Length", false, -1, -1},
        SchemeCase {"Prefix", "ECC32 Fixed", false, -1, -1},
        SchemeCase {"Empty", "", false, -1, -1},
        SchemeCase {"UnknownWidth", "ECC64 Var-Length", false, -1, -1}),
    [](const testing::TestParamInfo<SchemeCase>& info) { return info.param.Name; });

} // namespace
} // namespace eee
