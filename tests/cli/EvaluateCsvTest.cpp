// eee-calc-cli evaluate --csv end to end: its columns, one line per file, the
// refused file's line, and the usage error with --json.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace eee::test {
namespace {

const std::string kHeader
    = "blockOverhead,customOverheadEnabled,error,file,flashCycles,flashUsedBytes,flashUsedText,"
      "inSpecYears,lifetimeUpdates,lifetimeUpdatesText,lifetimeYears,maxUpdateRequirement,ok,"
      "reason,refreshIntervalDays,refreshIntervalText,scheme,totalBytes,totalOverhead,"
      "totalUserDataBytes";

TEST(EvaluateCsv, HeaderThenOneLinePerFileWithTheRefusedOneMarked)
{
    TempDir dir;
    const std::string good = dir / "good.xml";
    const std::string refused = dir / "refused.xml";
    WriteFile(good, WorkedExampleXml());
    WriteFile(refused, WorkedExampleXml("120"));
    const RunResult r = RunCli({"evaluate", good, refused, "--csv"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out,
        kHeader + '\n' + "48,false,," + good
            + ",10472,32768,Flash used for EEPROM emulation: 32 KB,20,299008000,\"299,008,000\","
              "20,73000,true,,0.6970970206264324,0.69709702,ECC16 Var-Length,4400,304,4096\n"
            + ",,\"File " + refused
            + " loading failed!\nInvalid Life time. Please select a value between 0.1 and 99, "
              "both inclusive\","
            + refused + ",,,,,,,,,false,,,,,,,\n");
    // The messages stay on the error stream, as in the text form.
    EXPECT_TRUE(Contains(r.Err, refused + ": error: File " + refused)) << r.Err;
}

TEST(EvaluateCsv, WithJsonIsAUsageError)
{
    const RunResult r = RunCli({"evaluate", "a.xml", "--csv", "--json"});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err,
        "eee-calc-cli: evaluate: --json and --csv cannot go together\nTry 'eee-calc-cli evaluate "
        "--help'.\n");
}

} // namespace
} // namespace eee::test
