#include "cli/Json.h"
#include "JsonScan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace eee::test {
namespace {

struct NumberCase
{
    const char* Name;
    double Value;
    const char* Text; // nullptr: only the round trip is checked
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << c.Name;
}

class JsonNumberTest : public ::testing::TestWithParam<NumberCase>
{ };

TEST_P(JsonNumberTest, ReadsBackToTheSameDouble)
{
    const NumberCase& c = GetParam();
    const std::string text = JsonNumber(c.Value);
    if (c.Text) {
        EXPECT_EQ(text, c.Text);
    }
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), c.Value) << text;
}

INSTANTIATE_TEST_SUITE_P(Values, JsonNumberTest,
    ::testing::Values(NumberCase {"Whole", 10472.0, "10472"},
        NumberCase {"LargeWhole", 299008000.0, "299008000"},
        NumberCase {"Quotient", 7300.0 / 10472.0, nullptr},
        NumberCase {"SinglePrecisionTenth", static_cast<double>(0.1f), "0.10000000149011612"},
        NumberCase {"Tiny", 3.65e-5, nullptr}, NumberCase {"Huge", 1.5e300, nullptr},
        NumberCase {"Negative", -2.5, "-2.5"}, NumberCase {"Zero", 0.0, "0"},
        NumberCase {"Denormal", 4.9406564584124654e-324, nullptr}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(JsonNumberTest, NonFiniteValuesAreNull)
{
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(JsonNumber(std::nan("")), "null");
}

struct StringCase
{
    const char* Name;
    std::string Text;
    std::string Json;
};

void PrintTo(const StringCase& c, std::ostream* os)
{
    *os << c.Name;
}

class JsonStringTest : public ::testing::TestWithParam<StringCase>
{ };

TEST_P(JsonStringTest, Escapes)
{
    EXPECT_EQ(JsonString(GetParam().Text), GetParam().Json);
}

INSTANTIATE_TEST_SUITE_P(Texts, JsonStringTest,
    ::testing::Values(StringCase {"Plain", "x4000", "\"x4000\""},
        StringCase {"LineBreak", "File a.xml loading failed!\nreason",
            "\"File a.xml loading failed!\\nreason\""},
        StringCase {"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        StringCase {"ControlCharacter", std::string("a\x01z"), "\"a\\u0001z\""},
        StringCase {
            "Utf8Kept", "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC", "\"Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC\""},
        StringCase {"InvalidUtf8Replaced",
            "a\xFF"
            "b\xC3",
            "\"a\\ufffdb\\ufffd\""},
        StringCase {"OverlongReplaced", "\xC0\xAF", "\"\\ufffd\\ufffd\""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(EvaluationToJsonTest, RejectedFileCarriesOnlyItsReason)
{
    Evaluation e;
    e.File = "bad.xml";
    e.Error = "File /x/bad.xml loading failed!\n";
    e.Warnings = {"Unable to select Scheme 'Q'."};
    const std::string json = EvaluationToJson(e);
    EXPECT_EQ(json,
        "{\"file\":\"bad.xml\",\"ok\":false,\"error\":\"File /x/bad.xml loading failed!\\n\"}");
}

TEST(EvaluationToJsonTest, EvaluatedFileHasEveryKeyInOrder)
{
    Evaluation e;
    e.File = "a.xml";
    e.Ok = true;
    e.DataTypes.resize(2);
    e.DataTypes[1].Daily = true;
    const std::string json = EvaluationToJson(e);
    EXPECT_EQ(TopLevelKeys(json),
        (std::vector<std::string> {"file", "ok", "scheme", "lifetimeYears", "blocks", "blockBytes",
            "dataTypes", "customOverheadEnabled", "blockOverhead", "totalUserDataBytes",
            "totalOverhead", "totalBytes", "flashUsedBytes", "flashUsedText", "lifetimeUpdates",
            "lifetimeUpdatesText", "maxUpdateRequirement", "flashCycles", "refreshIntervalDays",
            "refreshIntervalText", "inSpecYears", "verdict", "warnings"}));
    EXPECT_NE(
        json.find("\"refreshIntervalDays\":null,\"refreshIntervalText\":null"), std::string::npos);
    EXPECT_NE(json.find("{\"dataSize\":0,\"updates\":0,\"records\":0,\"frequency\":\"daily\","
                        "\"customOverhead\":0,\"recordOverhead\":0}"),
        std::string::npos);
    EXPECT_EQ(json.find('\n'), std::string::npos);
}

} // namespace
} // namespace eee::test
