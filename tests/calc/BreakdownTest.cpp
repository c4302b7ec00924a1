// The per-data-type breakdown and the formula trace: hand-computed cases, and every
// sample session loaded through the form with the delivered data files.
#include "calc/Breakdown.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"
#include "form/FormModel.h"

#include "tests/support/EngineConfigs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace eee {
namespace {

using Lines = std::vector<std::string>;

using testing_support::Config;

struct ShareRow
{
    int64_t Held;
    double Written, WriteShare, First, Second, CyclesShare;
};

struct Case
{
    const char* Name;
    EvalConfig Configuration;
    std::vector<ShareRow> Rows;
    Lines Trace;
};

// Hand-computed: the worked example of the endurance; two Total types under ECC8
// Fixed-Length (overheads 10 and 12 after padding to 8); a type holding no bytes,
// whose first term and every second term have no room and are left out.
std::vector<Case> Cases()
{
    EvalConfig custom = Config("ECC16 Var-Length", 16, 20.0f, {512, 512},
        {{1000, 100, 1, false, 24}, {0, 7, 5, false, 0}});
    custom.CustomOverhead = true;
    custom.BlockOverhead = 0;
    return {
        {"WorkedExample",
            Config("ECC16 Var-Length", 16, 20.0f, {16384, 16384}, {{512, 10, 8, true, 0}}),
            {{4352, 317696000.0, 100.0, 9724, 11219, 100.0}},
            {"T = 16384 + 16384 = 32768", "B = 2 x 48 = 96", "S_0 = (512 + 32) x 8 = 4352",
                "P = 96 + 4352 = 4448", "T - P = 32768 - 4448 = 28320", "O_0 = 4448 - 4352 = 96",
                "T - O_0 = 32768 - 96 = 32672", "W_0 = 3650 x 20 x 4352 = 317696000",
                "first = ceil(317696000 / 32672) = 9724",
                "second = ceil(317696000 / 28320) = 11219",
                "Flash cycles = ceil((9724 + 11219) x 0.5) = 10472",
                "Lifetime updates = 512 x 10 x 8 x 365 x 20 = 299008000",
                "Maximum update requirement = 3650 x 20 = 73000",
                "Refresh interval = 20 x 365 / 10472 = 0.69709702 days"}},
        {"TwoTotalTypes",
            Config("ECC8 Fixed-Length", 8, 20.0f, {1024, 1024},
                {{6, 1000, 10, false, 0}, {20, 500, 4, false, 0}}),
            {{160, 160000.0, 160000.0 / 224000 * 100, 86, 94, 90 / 126.5 * 100},
                {128, 64000.0, 64000.0 / 224000 * 100, 35, 38, 36.5 / 126.5 * 100}},
            {"T = 1024 + 1024 = 2048", "B = 2 x 24 = 48", "S_0 = (6 + 10) x 10 = 160",
                "S_1 = (20 + 12) x 4 = 128", "P = 48 + 160 + 128 = 336",
                "T - P = 2048 - 336 = 1712", "O_0 = 336 - 160 = 176", "T - O_0 = 2048 - 176 = 1872",
                "W_0 = 160 x 1000 = 160000", "first_0 = ceil(160000 / 1872) = 86",
                "second_0 = ceil(160000 / 1712) = 94", "O_1 = 336 - 128 = 208",
                "T - O_1 = 2048 - 208 = 1840", "W_1 = 128 x 500 = 64000",
                "first_1 = ceil(64000 / 1840) = 35", "second_1 = ceil(64000 / 1712) = 38",
                "first = 86 + 35 = 121", "second = 94 + 38 = 132",
                "Flash cycles = ceil((121 + 132) x 0.5) = 127",
                "Lifetime updates_0 = 6 x 1000 x 10 = 60000",
                "Lifetime updates_1 = 20 x 500 x 4 = 40000",
                "Lifetime updates = 60000 + 40000 = 100000", "Updates_0 = 1000", "Updates_1 = 500",
                "Maximum update requirement = max(1000, 500) = 1000",
                "Refresh interval = 20 x 365 / 127 = 57.48031496 days"}},
        {"RoomsOfZeroLeftOut", custom, {{1024, 102400.0, 100.0, 100, 0, 100.0}, {0, 0, 0, 0, 0, 0}},
            {"T = 512 + 512 = 1024", "B = 2 x 0 = 0", "S_0 = (1000 + 24) x 1 = 1024",
                "S_1 = (0 + 0) x 5 = 0", "P = 0 + 1024 + 0 = 1024", "T - P = 1024 - 1024 = 0",
                "O_0 = 1024 - 1024 = 0", "T - O_0 = 1024 - 0 = 1024", "W_0 = 1024 x 100 = 102400",
                "first_0 = ceil(102400 / 1024) = 100", "second_0 = 0 (T - P = 0: left out)",
                "O_1 = 1024 - 0 = 1024", "T - O_1 = 1024 - 1024 = 0", "W_1 = 0 x 7 = 0",
                "first_1 = 0 (T - O_1 = 0: left out)", "second_1 = 0 (T - P = 0: left out)",
                "first = 100 + 0 = 100", "second = 0 + 0 = 0",
                "Flash cycles = ceil((100 + 0) x 0.5) = 50",
                "Lifetime updates_0 = 1000 x 100 x 1 = 100000",
                "Lifetime updates_1 = 0 x 7 x 5 = 0", "Lifetime updates = 100000 + 0 = 100000",
                "Updates_0 = 100", "Updates_1 = 7",
                "Maximum update requirement = max(100, 7) = 100",
                "Refresh interval = 20 x 365 / 50 = 1.460000e+002 days"}},
    };
}

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.Name;
}

class BreakdownCase : public ::testing::TestWithParam<Case>
{ };

TEST_P(BreakdownCase, TableAndTraceAreTheHandComputedOnes)
{
    const Case& c = GetParam();
    const Breakdown b = MakeBreakdown(c.Configuration, Evaluate(c.Configuration));
    ASSERT_TRUE(b.HasEstimate);
    ASSERT_EQ(b.DataTypes.size(), c.Rows.size());
    for (size_t i = 0; i < c.Rows.size(); ++i) {
        SCOPED_TRACE(i);
        const DataTypeShare& s = b.DataTypes[i];
        const ShareRow& e = c.Rows[i];
        EXPECT_EQ(s.DataType, static_cast<int>(i) + 1);
        EXPECT_EQ(s.BytesHeld, e.Held);
        EXPECT_EQ(s.BytesWritten, e.Written);
        EXPECT_NEAR(s.WriteSharePercent, e.WriteShare, 1e-9);
        EXPECT_EQ(s.FirstTerm, e.First);
        EXPECT_EQ(s.SecondTerm, e.Second);
        EXPECT_EQ(s.Contribution, (e.First + e.Second) / 2);
        EXPECT_NEAR(s.CyclesSharePercent, e.CyclesShare, 1e-9);
    }
    EXPECT_EQ(b.Trace, c.Trace);
}

INSTANTIATE_TEST_SUITE_P(Hand, BreakdownCase, ::testing::ValuesIn(Cases()),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Breakdown, NoEstimateWhenTheBlocksCannotHoldTheData)
{
    const EvalConfig config
        = Config("ECC16 Var-Length", 16, 20.0f, {1024, 1024}, {{4000, 10, 8, false, 0}});
    const EvalResult result = Evaluate(config);
    ASSERT_TRUE(result.NegativeRoom);
    const Breakdown b = MakeBreakdown(config, result);
    EXPECT_FALSE(b.HasEstimate);
    EXPECT_TRUE(b.DataTypes.empty());
    EXPECT_EQ(b.Trace,
        Lines {"No estimate: the selected blocks cannot hold the block headers and the data"});
}

TEST(Breakdown, NumbersAreWholeOrCarryUpToThreeDecimals)
{
    EXPECT_EQ(BreakdownNumber(317696000.0), "317696000");
    EXPECT_EQ(BreakdownNumber(1e20), "100000000000000000000");
    EXPECT_EQ(BreakdownNumber(158848.0023668), "158848.002");
    EXPECT_EQ(BreakdownNumber(2.5), "2.5");
    EXPECT_EQ(BreakdownNumber(-3.0), "-3");
    EXPECT_EQ(PercentText(71.428571), "71.4");
}

// Reads the arithmetic of a trace formula: numbers, + - x /, parentheses, ceil(...)
// and max(a, b, ...). Whatever else it meets makes it fail.
class FormulaReader
{
public:
    explicit FormulaReader(std::string text)
        : m_text(std::move(text))
    { }
    bool Read(long double& value)
    {
        value = Sum();
        Skip();
        return m_ok && m_pos == m_text.size();
    }

private:
    void Skip()
    {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ')
            ++m_pos;
    }
    bool Take(const std::string& token)
    {
        Skip();
        if (m_text.compare(m_pos, token.size(), token) != 0)
            return false;
        m_pos += token.size();
        return true;
    }
    long double Sum()
    {
        long double value = Product();
        while (m_ok) {
            if (Take("+"))
                value += Product();
            else if (Take("- "))
                value -= Product();
            else
                break;
        }
        return value;
    }
    long double Product()
    {
        long double value = Factor();
        while (m_ok) {
            if (Take("x "))
                value *= Factor();
            else if (Take("/"))
                value /= Factor();
            else
                break;
        }
        return value;
    }
    long double Factor()
    {
        if (Take("ceil(")) {
            const long double inner = std::ceil(static_cast<double>(Sum()));
            m_ok = m_ok && Take(")");
            return inner;
        }
        if (Take("max(")) {
            long double most = Sum();
            while (m_ok && Take(","))
                most = std::max(most, Sum());
            m_ok = m_ok && Take(")");
            return most;
        }
        if (Take("(")) {
            const long double inner = Sum();
            m_ok = m_ok && Take(")");
            return inner;
        }
        Skip();
        const char* start = m_text.c_str() + m_pos;
        char* end = nullptr;
        const long double number = std::strtold(start, &end);
        m_ok = m_ok && end != start;
        m_pos += static_cast<size_t>(end - start);
        return number;
    }

    std::string m_text;
    size_t m_pos = 0;
    bool m_ok = true;
};

// Every "name = formula = value" line of a trace: the formula gives the value it states,
// within what a lifetime in single precision written with six digits leaves open.
void ExpectFormulasHold(const Lines& trace)
{
    for (std::string line : trace) {
        if (line.size() > 5 && line.compare(line.size() - 5, 5, " days") == 0)
            line.resize(line.size() - 5);
        const size_t first = line.find(" = ");
        const size_t last = line.rfind(" = ");
        if (first == std::string::npos || first == last
            || line.find("left out") != std::string::npos)
            continue;
        long double formula = 0;
        ASSERT_TRUE(FormulaReader(line.substr(first + 3, last - first - 3)).Read(formula)) << line;
        const long double stated = std::strtold(line.c_str() + last + 3, nullptr);
        EXPECT_NEAR(static_cast<double>(formula), static_cast<double>(stated),
            std::max(1e-6 * std::fabs(static_cast<double>(stated)), 1e-6))
            << line;
    }
}

TEST(Breakdown, HandComputedFormulasHold)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.Name);
        ExpectFormulasHold(MakeBreakdown(c.Configuration, Evaluate(c.Configuration)).Trace);
    }
}

class QuietView : public IFormView
{
public:
    std::vector<std::string> Messages;
    void ShowMessage(const std::string& text, MsgIcon) override { Messages.push_back(text); }
    void FocusField(FieldId) override { }
    void Invalidate() override { }
    std::optional<std::string> AskSaveFileName() override { return std::nullopt; }
    std::optional<std::string> AskOpenFileName() override { return std::nullopt; }
};

// Every sample session as the window loads it: the shares of the bytes written and of
// the cycles make 100, the trace ends its cycles with the flash cycles, and every
// formula of the trace gives the value it states.
TEST(Breakdown, EverySampleSessionAgreesWithItsEvaluation)
{
    FileAccess files(EEE_DATA_DIR);
    FileDataSource source(files);
    QuietView view;
    ChartModel chart;
    FormModel form(source, view, chart);
    SessionRecord defaults;
    std::string error;
    ASSERT_TRUE(files.ReadSession(defaults, "Defaults.xml", error)) << error;
    form.Startup(defaults);

    int sessions = 0;
    for (const auto& entry : std::filesystem::directory_iterator(EEE_SESSIONS_DIR)) {
        if (entry.path().extension() != ".xml")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++sessions;
        SessionRecord record;
        ASSERT_TRUE(files.ReadSession(record, entry.path().string(), error)) << error;
        const int before = form.State().Calculations;
        ASSERT_TRUE(form.Sessions().LoadRecord(record, error)) << error;
        ASSERT_EQ(form.State().Calculations, before + 1);

        const EvalConfig& config = form.State().LastConfig;
        const EvalResult& result = form.State().LastResult;
        const Breakdown b = MakeBreakdown(config, result);
        ASSERT_TRUE(b.HasEstimate);
        ASSERT_EQ(b.DataTypes.size(), static_cast<size_t>(config.DataTypeCount));
        double writeShares = 0, cycleShares = 0, contributions = 0;
        for (const DataTypeShare& s : b.DataTypes) {
            writeShares += s.WriteSharePercent;
            cycleShares += s.CyclesSharePercent;
            contributions += s.Contribution;
        }
        EXPECT_NEAR(writeShares, 100.0, 1e-9);
        EXPECT_NEAR(cycleShares, 100.0, 1e-9);
        EXPECT_EQ(std::ceil(contributions), result.FlashCycles);

        const auto cycles = std::find_if(b.Trace.rbegin(), b.Trace.rend(),
            [](const std::string& line) { return line.rfind("Flash cycles = ", 0) == 0; });
        ASSERT_NE(cycles, b.Trace.rend());
        EXPECT_EQ(cycles->substr(cycles->rfind(" = ") + 3), BreakdownNumber(result.FlashCycles));
        EXPECT_EQ(
            std::strtod(cycles->c_str() + cycles->rfind(" = ") + 3, nullptr), result.FlashCycles);
        ExpectFormulasHold(b.Trace);
    }
    EXPECT_GE(sessions, 20);
}

} // namespace
} // namespace eee
