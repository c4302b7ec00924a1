// The "Wear simulation" section of the design-review report: what it holds for a
// simulation built here, and that the report of a session carries it.
#include "ReportTestSupport.h"

#include "cli/ReportCommand.h"
#include "report/ReportBuilder.h"
#include "report/SimulationSection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace eee::test {
namespace {

SimulationResult TwoBlocks()
{
    SimulationResult r;
    r.Fits = true;
    r.BlockCount = 2;
    r.BlockCapacity = {16336, 8128};
    r.BlockErases = {13273, 6636};
    r.EstimatedCycles = 10472;
    r.SimulatedCycles = 13273;
    r.HasRatio = true;
    r.Ratio = 13273.0 / 10472.0;
    r.Writes = 584000;
    r.TotalWrites = 584000;
    r.PayloadBytes = 700;
    r.RecordOverheadBytes = 100;
    r.GcBytesByType = {150, 40};
    r.GcBytes = 190;
    r.CloseWasteBytes = 10;
    r.Note = "The most-worn block wears 1.27 times faster than the estimate.";
    return r;
}

std::vector<QStringList> Rows(const ReportBlock& block)
{
    EXPECT_EQ(block.Type, ReportBlock::Kind::Table);
    return block.Table.Rows;
}

TEST(SimulationSectionTest, HoldsTheNoteTheFiguresTheBlocksAndTheBytes)
{
    ReportDocument document;
    AddWearSimulationSection(document, TwoBlocks(), 2);
    ASSERT_EQ(document.Sections().size(), 1u);
    const ReportSection& section = document.Sections().front();
    EXPECT_EQ(section.Title(), "Wear simulation");
    const std::vector<ReportBlock>& blocks = section.Blocks();
    ASSERT_EQ(blocks.size(), 5u);

    EXPECT_EQ(blocks[0].Lines, QStringList {TwoBlocks().Note.c_str()});
    const std::vector<QStringList> figures = Rows(blocks[1]);
    ASSERT_GE(figures.size(), 2u);
    EXPECT_EQ(figures[0], (QStringList {"Estimated flash cycles", "10,472"}));
    EXPECT_EQ(figures[1], (QStringList {"Simulated cycles (most-worn block)", "13,273"}));

    EXPECT_EQ(blocks[2].Table.Header, (QStringList {"Block", "Bytes of records", "Erases"}));
    EXPECT_EQ(Rows(blocks[2]),
        (std::vector<QStringList> {
            {"Block 1", "16,336", "13,273"}, {"Block 2", "8,128", "6,636"}}));

    EXPECT_EQ(blocks[3].Lines, QStringList {"Bytes programmed:"});
    EXPECT_EQ(Rows(blocks[4]),
        (std::vector<QStringList> {{"Payload", "700", "70.0 %"},
            {"Record overhead", "100", "10.0 %"}, {"Copies of DataType1", "150", "15.0 %"},
            {"Copies of DataType2", "40", "4.0 %"}, {"Close waste", "10", "1.0 %"}}));
}

TEST(SimulationSectionTest, RunThatDoesNotFitHasTheNoteAndTheEstimateOnly)
{
    SimulationResult r = TwoBlocks();
    r.Fits = false;
    r.Note = "Write 31 (data type 1) found no room after 2 block closes, so the data does not fit.";
    ReportDocument document;
    AddWearSimulationSection(document, r, 1);
    const std::vector<ReportBlock>& blocks = document.Sections().front().Blocks();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].Lines, QStringList {r.Note.c_str()});
    EXPECT_EQ(Rows(blocks[1]), (std::vector<QStringList> {{"Estimated flash cycles", "10,472"}}));
}

// The report of a session simulates that session, before the constants assumed.
TEST(SimulationSectionTest, ReportOfASessionCarriesItsSimulation)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("worked.pdf");
    std::string errors;
    ASSERT_EQ(
        RunReportCommand({EEE_SESSIONS_DIR "/ecc16-var-worked-example.xml", pdf, {}, "a4"}, errors),
        0)
        << errors;
    const QString text = Collapsed(PdfText(pdf));
    for (const char* part :
        {"Wear simulation", "The most-worn block wears 1.27 times faster than the estimate.",
            "Block 1 16,336 13,273", "Copies of DataType1"})
        EXPECT_TRUE(HasText(text, part)) << part << "\n" << text.toStdString();
    EXPECT_LT(text.indexOf("Wear simulation"), text.indexOf("Constants Assumed"));
}

} // namespace
} // namespace eee::test
