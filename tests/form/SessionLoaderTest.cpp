// The one session loader: what each kind of load says in its typed outcome, and that
// the outcome tells exactly what the form showed, in the order it showed it.
#include "form/SessionLoader.h"
#include "tests/support/FakeDataSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace eee {
namespace {

using testing_support::FakeDataSource;

// One data type of 512 bytes x 8 records in two blocks of x10000: fits and calculates.
SessionRecord Loadable()
{
    SessionRecord record;
    record.Scheme = "ECC8 Var-Length";
    record.LifeTime = 12.0f;
    record.DataTypes = {{512, 10, 8, 1, 0}};
    record.BlockSize = {"x10000", "x10000", "", "", "", ""};
    record.BlocksSelected = 2;
    return record;
}

const std::string kPath = "/work/s.xml";

struct LoadCase
{
    const char* Name;
    std::function<void(FakeDataSource&, SessionRecord&)> Change;
    LoadStatus Status;
    LoadStop Stop;
    std::string Error; // the stopping message; empty for a calculated load
    std::vector<std::string> Warnings;
    std::string Reason;
    bool Stored = true; // false: there is no such file
};

class SessionLoaderTest : public testing::TestWithParam<LoadCase>
{ };

TEST_P(SessionLoaderTest, TellsHowTheLoadEnded)
{
    const LoadCase& c = GetParam();
    FakeDataSource data;
    SessionRecord record = Loadable();
    c.Change(data, record);
    if (c.Stored)
        data.Sessions[kPath] = record;
    SessionLoader loader(data, std::nullopt);

    const LoadOutcome outcome = loader.Load(kPath);
    EXPECT_EQ(outcome.Status, c.Status);
    EXPECT_EQ(outcome.Stop, c.Stop);
    EXPECT_EQ(outcome.Error, c.Error);
    EXPECT_EQ(outcome.Warnings, c.Warnings);
    EXPECT_EQ(outcome.Reason, c.Reason);
    EXPECT_EQ(outcome.Calculated(), c.Status == LoadStatus::Calculated);

    // The messages are those the window shows: the warnings, the stopping message of a
    // load the form took, and the announcement last.
    std::vector<std::string> shown = c.Warnings;
    if (c.Status == LoadStatus::NotCalculated)
        shown.push_back(c.Error);
    if (outcome.Announced())
        shown.push_back("File " + kPath + " loaded successfully!");
    else if (c.Status == LoadStatus::NotCalculated)
        shown.push_back("File " + kPath + " loading failed!\n" + c.Error);
    else
        shown.push_back(c.Error);
    std::vector<std::string> texts;
    for (const FormMessage& message : outcome.Messages)
        texts.push_back(message.Text);
    EXPECT_EQ(texts, shown);
}

const std::string kFailed = "File " + kPath + " loading failed!\n";
const std::string kTooSmall
    = "Block size selected is less than the total data size. Please select a bigger block size.";

INSTANTIATE_TEST_SUITE_P(Loads, SessionLoaderTest,
    testing::Values(LoadCase {"Calculated", [](FakeDataSource&, SessionRecord&) {},
                        LoadStatus::Calculated, LoadStop::None, "", {}, ""},
        LoadCase {"UnknownBlockSizeIsAWarning",
            [](FakeDataSource&, SessionRecord& r) { r.BlockSize[1] = "x7"; },
            LoadStatus::Calculated, LoadStop::None, "",
            {"Unable to select block size 'x7' at index '1'."}, ""},
        LoadCase {"UnreadableWithReason",
            [](FakeDataSource& d, SessionRecord&) { d.MissingSessionError = "Gone."; },
            LoadStatus::Unreadable, LoadStop::FileUnreadable, kFailed + "Gone.", {}, "", false},
        LoadCase {"UnreadableWithoutReason",
            [](FakeDataSource& d, SessionRecord&) { d.MissingSessionError.clear(); },
            LoadStatus::Unreadable, LoadStop::FileUnreadable, kFailed, {},
            "The root element must be SessionData with "
            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" as its first attribute and "
            "xsi:noNamespaceSchemaLocation=\"SessionData.xsd\" as its second, as the calculator "
            "writes it.",
            false},
        LoadCase {"UnknownScheme",
            [](FakeDataSource&, SessionRecord& r) { r.Scheme = "ECC64 Var-Length"; },
            LoadStatus::Refused, LoadStop::UnknownScheme, kFailed,
            {"Unable to select Scheme 'ECC64 Var-Length'."},
            "The scheme 'ECC64 Var-Length' that the file names is not one of the schemes of the "
            "catalogue SchemeInfo.xml."},
        LoadCase {"LifetimeOutOfRange", [](FakeDataSource&, SessionRecord& r) { r.LifeTime = 100; },
            LoadStatus::Refused, LoadStop::OutOfRange,
            kFailed + "Invalid Life time. Please select a value between 0.1 and 99, both inclusive",
            {}, ""},
        LoadCase {"BlocksTooSmall",
            [](FakeDataSource&, SessionRecord& r) { r.DataTypes[0].Records = 300; },
            LoadStatus::NotCalculated, LoadStop::BlocksTooSmall, kTooSmall, {}, ""},
        LoadCase {"FieldRule",
            [](FakeDataSource&, SessionRecord& r) { r.DataTypes[0].Records = 0; },
            LoadStatus::NotCalculated, LoadStop::FieldRule,
            "Please enter an integer between 1 and 30000.",
            // The form reads itself twice while the record goes in, each time warning.
            {"Please enter an integer between 1 and 30000.",
                "Please enter an integer between 1 and 30000."},
            ""}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.Name); });

// A load that fails at any step leaves every list, field and result of the form as it was.
TEST(SessionLoader, AFailedLoadLeavesTheFormAsItWas)
{
    const std::vector<std::function<void(SessionRecord&)>> failures {
        [](SessionRecord& r) { r.Scheme = "ECC8"; }, // only the start of a catalogue name
        [](SessionRecord& r) { r.Scheme = "ecc16 var-length"; }, // another letter case
        [](SessionRecord& r) { r.LifeTime = 0.5f; }, // the record passes, the field does not
        [](SessionRecord& r) { r.DataTypes[0].Records = 0; },
        [](SessionRecord& r) { r.BlocksSelected = 7; },
    };
    for (size_t k = 0; k < failures.size(); ++k) {
        FakeDataSource data;
        SessionRecord first = Loadable();
        first.Scheme = "ECC32 Fixed-Length";
        first.BlockSize = {"x8000", "x4000", "x10000", "", "", ""};
        first.BlocksSelected = 3;
        data.Sessions["/first.xml"] = first;
        SessionRecord bad = Loadable();
        failures[k](bad);
        data.Sessions["/bad.xml"] = bad;
        // The window's form: one load after the other, as File > Load Session does.
        SilentView view;
        ChartModel chart;
        FormModel form(data, view, chart);
        form.Startup(std::nullopt);
        ASSERT_TRUE(form.Sessions().LoadFile("/first.xml").Calculated());
        const FormState before = form.State();
        const ChartModel chartBefore = chart;

        const LoadOutcome outcome = form.Sessions().LoadFile("/bad.xml");
        EXPECT_FALSE(outcome.Announced()) << k;
        EXPECT_TRUE(outcome.Messages.back().Text.starts_with("File /bad.xml loading failed!\n"))
            << k;
        EXPECT_EQ(chart.GetInSpecYears(), chartBefore.GetInSpecYears()) << k;
        const FormState& after = form.State();
        EXPECT_EQ(after.SchemeList, before.SchemeList) << k;
        EXPECT_EQ(after.BlockLists, before.BlockLists) << k;
        EXPECT_EQ(after.BlockCountList, before.BlockCountList) << k;
        EXPECT_EQ(after.DataTypesList, before.DataTypesList) << k;
        EXPECT_EQ(after.Fields, before.Fields) << k;
        EXPECT_EQ(after.In, before.In) << k;
        EXPECT_EQ(after.Calculations, before.Calculations) << k;
    }
}

TEST(SessionLoader, EveryFileStartsFromTheStartUpForm)
{
    FakeDataSource data;
    SessionRecord big = Loadable();
    big.DataTypes.push_back({16, 5, 2, 0, 0});
    data.Sessions["/big.xml"] = big;
    data.Sessions[kPath] = Loadable();
    SessionLoader loader(data, std::nullopt);

    const LoadOutcome alone = SessionLoader(data, std::nullopt).Load(kPath);
    ASSERT_TRUE(loader.Load("/big.xml").Calculated());
    const LoadOutcome after = loader.Load(kPath);
    ASSERT_TRUE(after.Calculated());
    EXPECT_EQ(after.Result.FlashCycles, alone.Result.FlashCycles);
    EXPECT_EQ(after.Result.TotalBytes, alone.Result.TotalBytes);
    EXPECT_EQ(after.Config.DataTypeCount, 1);
    EXPECT_EQ(after.Scheme, "ECC8 Var-Length");
    EXPECT_EQ(after.BlockTexts, (std::vector<std::string> {"x10000", "x10000"}));
}

} // namespace
} // namespace eee
