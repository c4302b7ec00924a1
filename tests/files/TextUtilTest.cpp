// Number reading and lifetime writing of the XML layer.
#include "files/TextUtil.h"

#include <gtest/gtest.h>

#include <limits>

namespace eee::text {
namespace {

struct IntCase
{
    const char* Name;
    const char* Text;
    int32_t Value;
};

class ParseCIntCase : public ::testing::TestWithParam<IntCase>
{ };

TEST_P(ParseCIntCase, Reads)
{
    EXPECT_EQ(ParseCInt(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseCIntCase,
    ::testing::Values(IntCase {"Plain", "512", 512}, IntCase {"Negative", "-1", -1},
        IntCase {"Plus", "+7", 7}, IntCase {"LeadingSpace", " \t\n42", 42},
        IntCase {"TrailingText", "16 bytes", 16}, IntCase {"NoDigits", "abc", 0},
        IntCase {"Empty", "", 0}, IntCase {"SignOnly", "-", 0},
        IntCase {"SpaceAfterSign", "- 5", 0}, IntCase {"Max", "2147483647", 2147483647},
        IntCase {"Min", "-2147483648", std::numeric_limits<int32_t>::min()},
        IntCase {"Overflow", "2147483648", 2147483647},
        IntCase {"ManyDigits", "123456789012345678901234567890", 2147483647},
        IntCase {"Underflow", "-99999999999", std::numeric_limits<int32_t>::min()}),
    [](const auto& info) { return std::string(info.param.Name); });

struct LifeTimeCase
{
    const char* Name;
    float Value;
    const char* Text;
};

class FormatLifeTimeCase : public ::testing::TestWithParam<LifeTimeCase>
{ };

TEST_P(FormatLifeTimeCase, WritesAtMostSevenDigitsWithoutExponent)
{
    EXPECT_EQ(FormatLifeTime(GetParam().Value), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatLifeTimeCase,
    ::testing::Values(LifeTimeCase {"Whole", 20.0f, "20"}, LifeTimeCase {"Half", 2.5f, "2.5"},
        LifeTimeCase {"Tenth", 0.1f, "0.1"}, LifeTimeCase {"Upper", 99.0f, "99"},
        LifeTimeCase {"SevenDigits", 12.345678f, "12.34568"},
        LifeTimeCase {"Small", 0.00001f, "0.00001"},
        LifeTimeCase {"Large", 123456789.0f, "123456800"}, LifeTimeCase {"Hundred", 100.0f, "100"},
        LifeTimeCase {"Zero", 0.0f, "0"}, LifeTimeCase {"NegativeZero", -0.0f, "0"},
        LifeTimeCase {"Negative", -3.25f, "-3.25"},
        LifeTimeCase {"Infinite", std::numeric_limits<float>::infinity(), ""},
        LifeTimeCase {"NotANumber", std::numeric_limits<float>::quiet_NaN(), ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ParseCFloat, ReadsWrittenLifetimesBack)
{
    for (float value : {0.1f, 0.5f, 1.0f, 2.5f, 19.9f, 20.0f, 33.3f, 98.76f, 99.0f})
        EXPECT_EQ(ParseCFloat(FormatLifeTime(value)), value) << value;
}

TEST(ParseCFloat, ReadsAsACConversionDoes)
{
    EXPECT_EQ(ParseCFloat(" 2.5"), 2.5f);
    EXPECT_EQ(ParseCFloat("1e1"), 10.0f);
    EXPECT_EQ(ParseCFloat("3,5"), 3.0f); // a point, never the locale's comma
    EXPECT_EQ(ParseCFloat(""), 0.0f);
    EXPECT_EQ(ParseCFloat("x"), 0.0f);
    EXPECT_EQ(ParseCFloat("nan"), 0.0f);
    EXPECT_EQ(ParseCFloat("1e99"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseCFloat("-1e99"), -std::numeric_limits<float>::infinity());
}

TEST(TextChecks, XmlTextAndShowableText)
{
    EXPECT_TRUE(IsXmlText("Größe\t\n"));
    EXPECT_FALSE(IsXmlText("a\x01"));
    EXPECT_FALSE(IsXmlText("\xC3\x28"));
    EXPECT_FALSE(IsXmlText("\xED\xA0\x80")); // a surrogate
    EXPECT_FALSE(IsXmlText("\xEF\xBF\xBF")); // U+FFFF
    EXPECT_EQ(Utf8Length("ä"), 1u);
    EXPECT_EQ(ShowableText("a\x01\xFF"
                           "b",
                  100),
        "a??b");
    EXPECT_EQ(ShowableText("abcdef", 3), "abc...");
    EXPECT_EQ(ShowableText("ää", 3), "ä...");
    EXPECT_TRUE(EqualsNoCase("SessionData.xsd", "SESSIONDATA.XSD"));
    EXPECT_FALSE(EqualsNoCase("Products", "Product"));
    EXPECT_EQ(TrimXmlSpace(" \r\n x y \t"), "x y");
}

} // namespace
} // namespace eee::text
