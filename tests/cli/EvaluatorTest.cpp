// The evaluator over an in-memory catalogue: the form is driven as File > Load
// Session drives it, and every file starts from the same start-up state.
#include "cli/Evaluator.h"
#include "calc/Compute.h"
#include "tests/support/FakeDataSource.h"

#include <gtest/gtest.h>

#include <memory>

namespace eee::test {
namespace {

using testing_support::FakeDataSource;
using testing_support::MakeSession;

// The catalogue of these tests: five block sizes a scheme, the first of them holding
// the form's default data types, as in the delivered catalogue.
FakeDataSource EvaluatorData()
{
    FakeDataSource data
        = FakeDataSource::WithBlocks({"x2000", "x4000", "x8000", "x10000", "x20000"});
    data.MissingSessionError = "The system cannot locate the object specified.";
    return data;
}

constexpr const char* kPath = "/sessions/a.xml";

class EvaluatorTest : public ::testing::Test
{
protected:
    EvaluatorTest() { m_defaults = MakeSession("ECC16 Var-Length", 20.0f, {"x4000", "x4000"}, {}); }
    Evaluator& Make()
    {
        m_evaluator = std::make_unique<Evaluator>(m_data, m_defaults);
        return *m_evaluator;
    }
    Evaluation Run(const SessionRecord& record, const std::string& path = kPath)
    {
        m_data.Sessions[path] = record;
        if (!m_evaluator)
            Make();
        return m_evaluator->Evaluate(path, path);
    }

    FakeDataSource m_data = EvaluatorData();
    SessionRecord m_defaults;
    std::unique_ptr<Evaluator> m_evaluator;
};

SessionRecord WorkedExample()
{
    return MakeSession("ECC16 Var-Length", 20.0f, {"x4000", "x4000"}, {{512, 10, 8, 1, 0}});
}

TEST_F(EvaluatorTest, WorkedExampleOfTheEndurance)
{
    const Evaluation e = Run(WorkedExample());
    ASSERT_TRUE(e.Ok) << e.Error;
    EXPECT_EQ(e.File, kPath);
    EXPECT_TRUE(e.Warnings.empty());
    EXPECT_EQ(e.Scheme, "ECC16 Var-Length");
    EXPECT_EQ(e.LifeTime, 20.0f);
    EXPECT_EQ(e.Blocks, (std::vector<std::string> {"x4000", "x4000"}));
    EXPECT_EQ(e.BlockBytes, (std::vector<int64_t> {16384, 16384}));
    ASSERT_EQ(e.DataTypes.size(), 1u);
    EXPECT_EQ(e.DataTypes[0].RecordOverhead, 32);
    EXPECT_TRUE(e.DataTypes[0].Daily);
    EXPECT_EQ(e.BlockOverhead, 48);
    EXPECT_EQ(e.TotalUserDataBytes, 4096);
    EXPECT_EQ(e.TotalOverhead, 48 + 32 * 8);
    EXPECT_EQ(e.FlashUsedBytes, 32768);
    EXPECT_EQ(e.FlashUsedText, "Flash used for EEPROM emulation: 32 KB");
    EXPECT_EQ(e.FlashCycles, 10472.0);
    EXPECT_EQ(e.FlashCyclesText, "10472");
    EXPECT_EQ(e.LifetimeUpdates, 299008000.0);
    EXPECT_EQ(e.LifetimeUpdatesText, "299,008,000");
    EXPECT_EQ(e.MaxUpdateRequirement, 73000.0);
    ASSERT_TRUE(e.RefreshIntervalText.has_value());
    EXPECT_EQ(*e.RefreshIntervalText, "0.69709702");
    EXPECT_DOUBLE_EQ(*e.RefreshIntervalDays, 7300.0 / 10472.0);
    EXPECT_EQ(e.InSpecYears, 20.0f);
    EXPECT_EQ(e.Verdict[0], "Application InSpec for Lifetime and Endurance");
    EXPECT_EQ(e.Verdict[1], "");
    EXPECT_EQ(e.Verdict[2], "");
    EXPECT_EQ(e.LifeTimeText, "20");
}

struct RejectCase
{
    const char* Name;
    SessionRecord Record;
    std::string Error;
    std::vector<std::string> Warnings;
};

void PrintTo(const RejectCase& c, std::ostream* os)
{
    *os << c.Name;
}

class EvaluatorRejectTest : public EvaluatorTest, public ::testing::WithParamInterface<RejectCase>
{ };

TEST_P(EvaluatorRejectTest, ReportsTheWindowsMessage)
{
    const Evaluation e = Run(GetParam().Record);
    EXPECT_FALSE(e.Ok);
    EXPECT_EQ(e.Error, GetParam().Error);
    EXPECT_EQ(e.Warnings, GetParam().Warnings);
}

const std::string kFailed = std::string("File ") + kPath + " loading failed!\n";
const std::string kLifetimeMessage
    = "Invalid Life time. Please select a value between 0.1 and 99, both inclusive";
const std::string kBlocksMessage
    = "Invalid number of blocks. Please select a value between 2 and 6, both inclusive";
const std::vector<DataInfo> kOneType {{64, 100, 4, 0, 0}};

INSTANTIATE_TEST_SUITE_P(Files, EvaluatorRejectTest,
    ::testing::Values(RejectCase {"LifetimeBelowTenthOfAYear",
                          MakeSession("ECC8 Var-Length", 0.09f, {"x4000", "x4000"}, kOneType),
                          kFailed + kLifetimeMessage, {}},
        RejectCase {"LifetimeAbove99",
            MakeSession("ECC8 Var-Length", 99.5f, {"x4000", "x4000"}, kOneType),
            kFailed + kLifetimeMessage, {}},
        RejectCase {"OneBlock", MakeSession("ECC8 Var-Length", 10.0f, {"x4000"}, kOneType),
            kFailed + kBlocksMessage, {}},
        RejectCase {"SevenBlocks",
            [] {
                SessionRecord r
                    = MakeSession("ECC8 Var-Length", 10.0f, {"x4000", "x4000"}, kOneType);
                r.BlocksSelected = 7;
                return r;
            }(),
            kFailed + kBlocksMessage, {}},
        // The session accepts half a year, the form's field takes 1 to 99 only. The window
        // shows the field's message at each form read: when the lifetime is written into
        // its field, when the sizes are recomputed and before the calculation.
        RejectCase {"LifetimeTheFormRefuses",
            MakeSession("ECC8 Var-Length", 0.5f, {"x4000", "x4000"}, kOneType),
            "Please enter a number between 1 and 99.",
            {"Please enter a number between 1 and 99.", "Please enter a number between 1 and 99."}},
        RejectCase {"SchemeNotInTheCatalogue",
            MakeSession("ECC64 Var-Length", 10.0f, {"x4000", "x4000"}, kOneType), kFailed,
            {"Unable to select Scheme 'ECC64 Var-Length'."}},
        // Scheme names are matched exactly, though the list's search ignores case.
        RejectCase {"SchemeInOtherCase",
            MakeSession("ecc8 var-length", 10.0f, {"x4000", "x4000"}, kOneType), kFailed,
            {"Unable to select Scheme 'ecc8 var-length'."}},
        RejectCase {"DataLargerThanTheBlocks",
            MakeSession("ECC8 Var-Length", 10.0f, {"x2000", "x2000"}, {{512, 10, 20, 0, 0}}),
            kMsgBlocksTooSmall, {}},
        RejectCase {"UpdatesOutOfRange",
            MakeSession("ECC8 Var-Length", 10.0f, {"x4000", "x4000"}, {{64, 0, 4, 0, 0}}),
            "Please enter an integer between 1 and 100000000.",
            {"Please enter an integer between 1 and 100000000.",
                "Please enter an integer between 1 and 100000000."}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EvaluatorTest, MissingFileIsRejectedWithTheReadersReason)
{
    Make();
    const Evaluation e = m_evaluator->Evaluate("gone.xml", "/nowhere/gone.xml");
    EXPECT_FALSE(e.Ok);
    EXPECT_EQ(e.File, "gone.xml");
    EXPECT_EQ(e.Error,
        "File /nowhere/gone.xml loading failed!\nThe system cannot locate the object specified.");
}

TEST_F(EvaluatorTest, UnknownBlockSizeFallsBackToTheFirstTextWithAWarning)
{
    const Evaluation e = Run(
        MakeSession("ECC8 Var-Length", 10.0f, {"x4000", "x9999", "x8000"}, {{64, 100, 4, 0, 0}}));
    ASSERT_TRUE(e.Ok) << e.Error;
    EXPECT_EQ(e.Warnings,
        (std::vector<std::string> {"Unable to select block size 'x9999' at index '1'."}));
    // The lists are sorted alphabetically: "x10000" comes first.
    EXPECT_EQ(e.Blocks, (std::vector<std::string> {"x4000", "x10000", "x8000"}));
}

TEST_F(EvaluatorTest, BlockSizeIsFoundByItsBeginning)
{
    const Evaluation e
        = Run(MakeSession("ECC8 Var-Length", 10.0f, {"X1", "x2"}, {{64, 100, 4, 0, 0}}));
    ASSERT_TRUE(e.Ok) << e.Error;
    EXPECT_EQ(e.Blocks, (std::vector<std::string> {"x10000", "x2000"}));
}

TEST_F(EvaluatorTest, CustomizedOverheadReplacesTheSchemes)
{
    SessionRecord r = MakeSession("ECC32 Fixed-Length", 5.0f, {"x2000", "x2000", "x2000"},
        {{16, 1000, 10, 0, 6}, {16, 50, 2, 1, 12}}, true, 64);
    const Evaluation e = Run(r);
    ASSERT_TRUE(e.Ok) << e.Error;
    EXPECT_TRUE(e.CustomOverheadEnabled);
    EXPECT_EQ(e.BlockOverhead, 64);
    ASSERT_EQ(e.DataTypes.size(), 2u);
    EXPECT_EQ(e.DataTypes[0].CustomOverhead, 6);
    EXPECT_EQ(e.DataTypes[0].RecordOverhead, 6);
    EXPECT_EQ(e.DataTypes[1].RecordOverhead, 12);
    EXPECT_EQ(e.TotalOverhead, 64 + 6 * 10 + 12 * 2);
    EXPECT_EQ(e.MaxUpdateRequirement, 50.0 * 365 * 5);
}

TEST_F(EvaluatorTest, LifetimeOverTheLimitIsInSpecForTwentyYears)
{
    const Evaluation e
        = Run(MakeSession("ECC8 Var-Length", 30.0f, {"x10000", "x10000"}, {{32, 1, 4, 1, 0}}));
    ASSERT_TRUE(e.Ok) << e.Error;
    EXPECT_LT(e.FlashCycles, 100000.0);
    EXPECT_EQ(e.InSpecYears, 20.0f);
    EXPECT_EQ(e.Verdict[0], " - In spec for first 20.0 years. Out of spec for last 10.0 years");
    EXPECT_EQ(e.Verdict[1], "Cycling requirement is within specification");
    EXPECT_EQ(e.Verdict[2], "Application lifetime exceeds 20.0 years specification");
}

TEST_F(EvaluatorTest, CyclesOverTheLimitRecommendMoreBlocks)
{
    const Evaluation e
        = Run(MakeSession("ECC16 Var-Length", 10.0f, {"x4000", "x4000"}, {{512, 1000, 8, 1, 0}}));
    ASSERT_TRUE(e.Ok) << e.Error;
    EXPECT_GT(e.FlashCycles, 100000.0);
    EXPECT_LT(e.InSpecYears, 10.0f);
    EXPECT_EQ(e.Verdict[1],
        "Recommended:increase number of flash blocks for EEE or reduce the number of updates to EE "
        "data");
    EXPECT_EQ(e.Verdict[2], "");
}

TEST_F(EvaluatorTest, EachFileStartsFromTheStartUpState)
{
    Make();
    const SessionRecord a = MakeSession("ECC32 Var-Length", 30.0f,
        {"x8000", "x8000", "x8000", "x8000"}, {{100, 5, 3, 1, 0}, {7, 9, 1, 0, 0}}, true, 10);
    const SessionRecord b = WorkedExample();
    const Evaluation firstA = Run(a, "/a.xml");
    const Evaluation firstB = Run(b, "/b.xml");
    Run(MakeSession("ECC8 Var-Length", 0.01f, {"x4000", "x4000"}, kOneType), "/bad.xml");
    const Evaluation againA = Run(a, "/a.xml");

    Evaluator fresh(m_data, m_defaults);
    const Evaluation freshB = fresh.Evaluate("/b.xml", "/b.xml");
    EXPECT_EQ(firstB.FlashCycles, freshB.FlashCycles);
    EXPECT_EQ(firstB.DataTypes.size(), freshB.DataTypes.size());
    EXPECT_EQ(firstB.Verdict, freshB.Verdict);
    EXPECT_EQ(firstB.TotalOverhead, freshB.TotalOverhead);
    EXPECT_FALSE(firstB.CustomOverheadEnabled);
    EXPECT_EQ(firstA.FlashCycles, againA.FlashCycles);
    EXPECT_EQ(firstA.InSpecYears, againA.InSpecYears);
    EXPECT_EQ(firstA.Verdict, againA.Verdict);
    EXPECT_EQ(firstA.Blocks, againA.Blocks);
}

TEST_F(EvaluatorTest, CachedCatalogueGivesTheSameResultsWithOneReadPerScheme)
{
    CachingDataSource cache(m_data);
    const std::vector<SessionRecord> records {
        WorkedExample(),
        MakeSession("ECC8 Fixed-Length", 12.5f, {"x2000", "x4000", "x2000"}, {{8, 3, 40, 1, 0}}),
        MakeSession("ECC16 Var-Length", 45.0f, {"x8000", "x8000"},
            {{300, 2, 5, 1, 0}, {20, 9000, 2, 0, 0}}),
        WorkedExample(),
    };
    for (size_t i = 0; i < records.size(); ++i)
        m_data.Sessions["/" + std::to_string(i)] = records[i];

    Evaluator plain(m_data, m_defaults);
    std::vector<Evaluation> expected;
    for (size_t i = 0; i < records.size(); ++i)
        expected.push_back(plain.Evaluate("f", "/" + std::to_string(i)));

    m_data.BlockInfoReads.clear();
    m_data.SchemeListReads = 0;
    Evaluator cached(cache, m_defaults);
    for (size_t i = 0; i < records.size(); ++i) {
        const Evaluation e = cached.Evaluate("f", "/" + std::to_string(i));
        ASSERT_TRUE(e.Ok) << e.Error;
        EXPECT_EQ(e.FlashCycles, expected[i].FlashCycles);
        EXPECT_EQ(e.TotalBytes, expected[i].TotalBytes);
        EXPECT_EQ(e.InSpecYears, expected[i].InSpecYears);
        EXPECT_EQ(e.Verdict, expected[i].Verdict);
        EXPECT_EQ(e.RefreshIntervalText, expected[i].RefreshIntervalText);
    }
    EXPECT_EQ(m_data.SchemeListReads, 1);
    EXPECT_EQ(m_data.BlockInfoReads["ECC16 Var-Length"], 1);
    EXPECT_EQ(m_data.BlockInfoReads["ECC8 Fixed-Length"], 1);
}

TEST_F(EvaluatorTest, FailedCatalogueAnswersAreAskedAgain)
{
    CachingDataSource cache(m_data);
    std::string error;
    std::vector<BlockInfo> blocks;
    int32_t alignment = -5;
    bool retention = false;
    cache.ReadBlockInfo("ECC99", error, blocks, alignment, retention);
    cache.ReadBlockInfo("ECC99", error, blocks, alignment, retention);
    EXPECT_EQ(error, "Scheme ECC99 is not listed in SchemeInfo.xml!");
    EXPECT_EQ(alignment, -5); // left as the reader left it
    EXPECT_EQ(m_data.BlockInfoReads["ECC99"], 2);
}

TEST_F(EvaluatorTest, BrokenCatalogueIsReportedAtStartUp)
{
    m_data.Schemes.clear();
    Evaluator& evaluator = Make();
    ASSERT_FALSE(evaluator.StartupMessages().empty());
    EXPECT_EQ(evaluator.StartupMessages()[0].Text, "Schemes information could not be loaded!\n");
    const Evaluation e = Run(WorkedExample());
    EXPECT_FALSE(e.Ok);
}

} // namespace
} // namespace eee::test
