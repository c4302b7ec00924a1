#include "cli/Json.h"
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <regex>

namespace eee::test {
namespace {

Evaluation Evaluated()
{
    Evaluation e;
    e.File = "a.xml";
    e.Ok = true;
    return e;
}

// The text of a number as written, to check its form and not only its value.
std::string WrittenNumber(const std::string& line, const std::string& key)
{
    std::smatch match;
    const std::regex pattern("\"" + key + "\":([^,}\\]]*)");
    return std::regex_search(line, match, pattern) ? match[1].str() : std::string("<none>");
}

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
    Evaluation e = Evaluated();
    e.FlashCycles = c.Value;
    const std::string line = JsonLine(EvaluationToJson(e));
    const std::string text = WrittenNumber(line, "flashCycles");
    if (c.Text) {
        EXPECT_EQ(text, c.Text);
    }
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), c.Value) << text;
    EXPECT_EQ(JsonObject(line)["flashCycles"].toDouble(), c.Value);
}

INSTANTIATE_TEST_SUITE_P(Values, JsonNumberTest,
    ::testing::Values(NumberCase {"Whole", 10472.0, "10472"},
        NumberCase {"LargeWhole", 299008000.0, "299008000"},
        NumberCase {"RoundWholeStaysAnInteger", 100000.0, "100000"},
        NumberCase {"WholeBeyondInt32", 22396388282.0, "22396388282"},
        NumberCase {"Quotient", 7300.0 / 10472.0, nullptr},
        NumberCase {"SinglePrecisionTenth", static_cast<double>(0.1f), "0.10000000149011612"},
        NumberCase {"Tiny", 3.65e-5, nullptr}, NumberCase {"Huge", 1.5e300, nullptr},
        NumberCase {"Negative", -2.5, "-2.5"}, NumberCase {"Zero", 0.0, "0"},
        NumberCase {"Denormal", 4.9406564584124654e-324, nullptr}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(JsonNumberTest, NonFiniteValuesAreNull)
{
    Evaluation e = Evaluated();
    e.FlashCycles = std::numeric_limits<double>::infinity();
    e.LifetimeUpdates = std::nan("");
    const QJsonObject json = JsonObject(JsonLine(EvaluationToJson(e)));
    EXPECT_TRUE(json["flashCycles"].isNull());
    EXPECT_TRUE(json["lifetimeUpdates"].isNull());
}

struct StringCase
{
    const char* Name;
    std::string Text;
    QString Read; // what a JSON reader gets back
};

void PrintTo(const StringCase& c, std::ostream* os)
{
    *os << c.Name;
}

class JsonStringTest : public ::testing::TestWithParam<StringCase>
{ };

TEST_P(JsonStringTest, ReadsBackOnOneLine)
{
    Evaluation e = Evaluated();
    e.File = GetParam().Text;
    const std::string line = JsonLine(EvaluationToJson(e));
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_EQ(JsonObject(line)["file"].toString(), GetParam().Read);
}

INSTANTIATE_TEST_SUITE_P(Texts, JsonStringTest,
    ::testing::Values(StringCase {"Plain", "x4000", u"x4000"_qs},
        StringCase {"LineBreak", "File a.xml loading failed!\nreason",
            u"File a.xml loading failed!\nreason"_qs},
        StringCase {"QuoteAndBackslash", "a\"b\\c", u"a\"b\\c"_qs},
        StringCase {"ControlCharacters", std::string("a\x01\t\rz"), u"a\u0001\t\rz"_qs},
        StringCase {"Utf8Kept", "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC", u"Gr\u00FC\u00DF \u20AC"_qs},
        StringCase {"InvalidUtf8Replaced",
            "a\xFF"
            "b\xC3",
            u"a\uFFFDb\uFFFD"_qs},
        StringCase {"OverlongReplaced", "\xC0\xAF", u"\uFFFD\uFFFD"_qs},
        StringCase {"SurrogateReplaced", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"_qs}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(EvaluationToJsonTest, RefusalKeepsTheWarningsShownBeforeIt)
{
    Evaluation e;
    e.File = "bad.xml";
    e.Error = "Invalid number of blocks. Please select a value between 2 and 6, both inclusive";
    e.Warnings = {"Unable to select block size 'x4001' at index '1'."};
    EXPECT_EQ(EvaluationToJson(e),
        (QJsonObject {{"file", "bad.xml"}, {"ok", false},
            {"error", QString::fromStdString(e.Error)},
            {"warnings", QJsonArray {"Unable to select block size 'x4001' at index '1'."}}}));
}

struct ReasonCase
{
    const char* Name;
    std::vector<std::string> Warnings;
    std::string Error;
    const char* Reason; // nullptr: no reason of the program's own
};

void PrintTo(const ReasonCase& c, std::ostream* os)
{
    *os << c.Name;
}

class RefusalReasonTest : public ::testing::TestWithParam<ReasonCase>
{ };

// The loader gives the reason; the JSON carries it where there is one.
TEST_P(RefusalReasonTest, IsAddedWhereTheWindowGivesNone)
{
    const ReasonCase& c = GetParam();
    Evaluation e;
    e.File = "f.xml";
    e.Error = c.Error;
    e.Warnings = c.Warnings;
    e.Reason = c.Reason ? c.Reason : "";
    const QJsonObject json = EvaluationToJson(e);
    EXPECT_EQ(json["error"].toString().toStdString(), c.Error);
    if (c.Reason) {
        EXPECT_EQ(json["reason"].toString().toStdString(), c.Reason);
    } else {
        EXPECT_FALSE(json.contains("reason")) << json["reason"].toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusalReasonTest,
    ::testing::Values(
        ReasonCase {"MissingScheme", {"Unable to select Scheme 'ECC64 Var-Length'."},
            "File /x/f.xml loading failed!\n",
            "The scheme 'ECC64 Var-Length' that the file names is not one of the schemes of the "
            "catalogue SchemeInfo.xml."},
        ReasonCase {"NotALoadFailure", {},
            "Block size selected is less than the total data size. "
            "Please select a bigger block size.",
            nullptr}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(EvaluationToJsonTest, EvaluatedFileHasEveryKey)
{
    Evaluation e = Evaluated();
    e.DataTypes.resize(2);
    e.DataTypes[1].Daily = true;
    const QJsonObject json = EvaluationToJson(e);
    EXPECT_EQ(json.keys(),
        (QStringList {"blockBytes", "blockOverhead", "blocks", "customOverheadEnabled", "dataTypes",
            "file", "flashCycles", "flashUsedBytes", "flashUsedText", "inSpecYears",
            "lifetimeUpdates", "lifetimeUpdatesText", "lifetimeYears", "maxUpdateRequirement", "ok",
            "refreshIntervalDays", "refreshIntervalText", "scheme", "totalBytes", "totalOverhead",
            "totalUserDataBytes", "verdict", "warnings"}));
    EXPECT_TRUE(json["refreshIntervalDays"].isNull());
    EXPECT_TRUE(json["refreshIntervalText"].isNull());
    EXPECT_EQ(json["dataTypes"].toArray()[1].toObject(),
        (QJsonObject {{"dataSize", 0}, {"updates", 0}, {"records", 0}, {"frequency", "daily"},
            {"customOverhead", 0}, {"recordOverhead", 0}}));
    EXPECT_EQ(json["verdict"].toArray().size(), 3);
}

} // namespace
} // namespace eee::test
