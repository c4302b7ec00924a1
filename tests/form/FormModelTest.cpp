// The input form without a window: start-up, every handler, the calculation
// run, the verdict after the chart's repaint and the session commands.
#include "FormTestDoubles.h"

#include "form/FormModel.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace eee {

// Readable failure output for focus requests and message icons.
void PrintTo(const FieldId& field, std::ostream* os)
{
    *os << "FieldId{kind " << static_cast<int>(field.Kind) << ", row " << field.Row << "}";
}

void PrintTo(MsgIcon icon, std::ostream* os)
{
    switch (icon) {
    case MsgIcon::Warning:
        *os << "Warning";
        break;
    case MsgIcon::Error:
        *os << "Error";
        break;
    case MsgIcon::Information:
        *os << "Information";
        break;
    }
}

namespace {

using testing_support::FakeDataSource;
using testing_support::RecordingView;

const std::vector<std::string> kSchemeNames {"ECC8 Fixed-Length", "ECC8 Var-Length",
    "ECC16 Fixed-Length", "ECC16 Var-Length", "ECC32 Fixed-Length", "ECC32 Var-Length"};
// The block size lists keep their entries in alphabetical order.
const std::vector<std::string> kSortedBlockTexts {"x10000", "x20000", "x4000", "x8000"};
const std::array<std::string, 6> kInitialSizes {"512", "256", "128", "64", "32", "16"};
const std::array<std::string, 6> kInitialUpdates {"10", "20", "30", "40", "50", "100"};

constexpr const char* kBlocksTooSmall
    = "Block size selected is less than the total data size. Please select a bigger block size.";
constexpr const char* kInSpec = "Application InSpec for Lifetime and Endurance";

FieldId DataSizeField(int row)
{
    return {FieldKind::DataSize, row};
}
FieldId UpdatesField(int row)
{
    return {FieldKind::Updates, row};
}
FieldId RecordsField(int row)
{
    return {FieldKind::Records, row};
}
FieldId OverheadField(int row)
{
    return {FieldKind::Overhead, row};
}
FieldId BlockOverheadField()
{
    return {FieldKind::BlockOverhead, 0};
}
FieldId LifeTimeField()
{
    return {FieldKind::LifeTime, 0};
}

// Table rows print as their names in test listings.
template <class Case>
requires requires(const Case& c)
{
    c.Name;
}
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.Name;
}

int IndexOf(const ComboState& list, const std::string& text)
{
    for (size_t i = 0; i < list.Entries.size(); ++i) {
        if (list.Entries[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> Texts(const std::vector<testing_support::ShownMessage>& messages)
{
    std::vector<std::string> texts;
    for (const auto& m : messages)
        texts.push_back(m.Text);
    return texts;
}

// The defaults file: the form's initial data types under ECC16 Var-Length, two blocks.
SessionRecord DefaultsRecord()
{
    SessionRecord record;
    record.Scheme = "ECC16 Var-Length";
    record.LifeTime = 20.0f;
    record.CusOverheadEn = false;
    record.BlockOverhead = 0;
    record.DataTypes = {
        {512, 10, 8, 0, 0},
        {256, 20, 8, 0, 0},
        {128, 30, 8, 0, 0},
        {64, 40, 8, 0, 0},
        {32, 50, 8, 0, 0},
        {16, 100, 8, 0, 0},
    };
    record.BlockSize = {"x8000", "x4000", "", "", "", ""};
    record.BlocksSelected = 2;
    return record;
}

// One data type of 512 bytes x 8 records, valid in every scheme of the fake catalogue.
SessionRecord SmallSession()
{
    SessionRecord record;
    record.Scheme = "ECC8 Var-Length";
    record.LifeTime = 12.0f;
    record.DataTypes = {{512, 10, 8, 0, 0}};
    record.BlockSize = {"x4000", "x8000", "", "", "", ""};
    record.BlocksSelected = 2;
    return record;
}

// What a user sees of the inputs: every text, selection and check.
struct InputSnapshot
{
    std::vector<std::string> Texts;
    std::array<int32_t, kMaxDataTypes> Frequency {};
    int Scheme = -1;
    int BlockCount = -1;
    std::array<int, kMaxBlocks> BlockSelections {};
    int DataTypes = -1;
    bool CusOverhead = false;
    bool Submit = false;

    bool operator==(const InputSnapshot&) const = default;
};

class FormModelTest : public testing::Test
{
protected:
    FormModelTest() { data.Sessions["Defaults.xml"] = DefaultsRecord(); }

    // Creates the form and runs its start-up; the chart's report is answered
    // unless the test wants to look before the repaint.
    void Start(std::optional<SessionRecord> defaults = DefaultsRecord(), bool repaint = true)
    {
        model = std::make_unique<FormModel>(data, view, chart);
        model->Startup(defaults);
        if (repaint)
            Repaint();
    }

    // The window's repaint after an invalidation: the chart lays itself out on its
    // client area, reports back, and the window answers with ShowVerdict.
    void Repaint()
    {
        while (view.PendingRepaints > 0) {
            --view.PendingRepaints;
            chart.Layout(338, 236);
            model->ShowVerdict();
        }
    }

    // A repaint without a calculation, for example when the window is uncovered.
    void Uncover()
    {
        ++view.PendingRepaints;
        Repaint();
    }

    FormState& S() { return model->State(); }

    void Type(FieldId field, const std::string& text) { model->UserEditText(field, text); }
    void Enter(FieldId field) { model->OnInputFocus(field); }

    void ChooseScheme(const std::string& name)
    {
        const int index = IndexOf(S().SchemeList, name);
        ASSERT_GE(index, 0) << name;
        model->UserSelectScheme(index);
        Repaint();
    }
    void ChooseBlockCount(int n) { model->UserSelectBlockCount(n - 2); }
    void ChooseDataTypes(int n) { model->UserSelectDataTypes(n - 1); }
    void ChooseBlockSize(int block, const std::string& text)
    {
        const int index = IndexOf(S().BlockLists[static_cast<size_t>(block)], text);
        ASSERT_GE(index, 0) << text;
        model->UserSelectBlockSize(block, index);
    }
    void Submit()
    {
        model->RunCalculation();
        Repaint();
    }

    InputSnapshot Snapshot()
    {
        InputSnapshot snap;
        const FormFields& f = S().Fields;
        for (int r = 0; r < kMaxDataTypes; ++r) {
            const auto row = static_cast<size_t>(r);
            snap.Texts.insert(snap.Texts.end(),
                {f.DataSize[row], f.Updates[row], f.Records[row], f.Overhead[row]});
        }
        snap.Texts.insert(snap.Texts.end(),
            {f.BlockOverhead, f.TotalUserDataBytes, f.TotalOverhead, f.TotalBytes,
                f.MaxUpdateRequirement, f.FlashCycles, f.LifeTime});
        snap.Frequency = f.Frequency;
        snap.Scheme = S().SchemeList.Selected;
        snap.BlockCount = S().BlockCountList.Selected;
        for (size_t k = 0; k < kMaxBlocks; ++k)
            snap.BlockSelections[k] = S().BlockLists[k].Selected;
        snap.DataTypes = S().DataTypesList.Selected;
        snap.CusOverhead = S().CusOverheadChecked;
        snap.Submit = S().SubmitEnabled;
        return snap;
    }

    FakeDataSource data;
    RecordingView view;
    ChartModel chart;
    std::unique_ptr<FormModel> model;
};

// ---------------------------------------------------------------------------
// Start-up

TEST_F(FormModelTest, StartupAppliesSchemeAndBlocksOfTheDefaultsAndCalculates)
{
    Start(DefaultsRecord(), /*repaint=*/false);
    const FormState& s = S();

    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(s.SchemeList.Entries, kSchemeNames);
    EXPECT_EQ(model->GetSelectedScheme(), "ECC16 Var-Length");
    EXPECT_EQ(s.In.RecordAlignment, 16);

    EXPECT_EQ(s.BlockCountList.Entries, (std::vector<std::string> {"2", "3", "4", "5", "6"}));
    EXPECT_EQ(model->GetBlockCount(), 2);
    EXPECT_EQ(s.BlockListVisible, (std::array<bool, 6> {true, true, false, false, false, false}));
    for (const auto& list : s.BlockLists)
        EXPECT_EQ(list.Entries, kSortedBlockTexts);
    EXPECT_EQ(s.BlockLists[0].SelectedText(), "x8000");
    EXPECT_EQ(s.BlockLists[1].SelectedText(), "x4000");
    ASSERT_EQ(s.Blocks.size(), 4u);
    EXPECT_EQ(s.Blocks[0].SizeText, "x4000");
    EXPECT_EQ(s.Blocks[0].Size, 16384);
    EXPECT_EQ(s.Blocks[3].SizeText, "x20000");
    EXPECT_EQ(s.Blocks[3].Size, 131072);

    EXPECT_EQ(s.Fields.LifeTime, "20");
    for (size_t r = 0; r < kMaxDataTypes; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(s.Fields.DataSize[r], kInitialSizes[r]);
        EXPECT_EQ(s.Fields.Updates[r], kInitialUpdates[r]);
        EXPECT_EQ(s.Fields.Records[r], "8");
        EXPECT_EQ(s.Fields.Frequency[r], 0);
    }
    EXPECT_EQ(s.DataTypesList.Entries, (std::vector<std::string> {"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(model->GetDataTypeSelection(), 6);
    EXPECT_EQ(s.RowVisible, (std::array<bool, 6> {true, true, true, true, true, true}));
    EXPECT_EQ(s.DataSizeEnabled, (std::array<bool, 6> {true, true, true, true, true, true}));

    EXPECT_FALSE(s.CusOverheadChecked);
    EXPECT_FALSE(s.OverheadColumnVisible);
    EXPECT_EQ(s.OverheadFieldVisible, (std::array<bool, 6> {}));
    EXPECT_FALSE(s.OverheadColumnVisible);

    // Six data types under ECC16 Var-Length: every record padded to 32 bytes of overhead.
    EXPECT_EQ(s.Fields.TotalUserDataBytes, "8064");
    EXPECT_EQ(s.Fields.TotalOverhead, "1584");
    EXPECT_EQ(s.Fields.TotalBytes, "9648");
    EXPECT_EQ(s.LifetimeUpdatesText, "158,720");
    EXPECT_EQ(s.Fields.MaxUpdateRequirement, "100");
    EXPECT_EQ(s.Fields.FlashCycles, "8");
    EXPECT_EQ(s.RefreshIntervalText, "912.50000000");
    EXPECT_EQ(s.FlashUsedLine, "Flash used for EEPROM emulation: 48 KB");
    EXPECT_FALSE(s.SubmitEnabled);
    EXPECT_EQ(view.Invalidations, 1);
    EXPECT_EQ(s.SchemeToolTip, "Scheme ECC16 with variable length of data size");

    EXPECT_EQ(chart.CyclesLimit(), 100000);
    EXPECT_FLOAT_EQ(chart.OperatingLifeTime(), 20.0f);
    EXPECT_DOUBLE_EQ(chart.OperatingCycles(), 8.0);

    // The verdict waits for the chart's report after its repaint.
    EXPECT_EQ(s.VerdictLine, "Application in Spec for endurance");
    Repaint();
    EXPECT_EQ(s.VerdictLine, kInSpec);
    EXPECT_EQ(s.RecommendationLine, "");
    EXPECT_EQ(s.LifetimeNote, "");
    EXPECT_TRUE(view.Messages.empty());
}

TEST_F(FormModelTest, StartupWithFixedLengthDefaultsDoesNotResetTheDataSizes)
{
    SessionRecord defaults = DefaultsRecord();
    defaults.Scheme = "ECC8 Fixed-Length";
    Start(defaults);

    EXPECT_EQ(model->GetSelectedScheme(), "ECC8 Fixed-Length");
    for (size_t r = 0; r < kMaxDataTypes; ++r) {
        EXPECT_EQ(S().Fields.DataSize[r], kInitialSizes[r]);
        EXPECT_TRUE(S().DataSizeEnabled[r]);
    }
}

TEST_F(FormModelTest, StartupWithThreeDefaultBlocksShowsThreeLists)
{
    SessionRecord defaults = DefaultsRecord();
    defaults.BlockSize = {"x8000", "x4000", "x10000", "", "", ""};
    defaults.BlocksSelected = 3;
    Start(defaults);

    EXPECT_TRUE(view.Messages.empty());
    EXPECT_EQ(model->GetBlockCount(), 3);
    EXPECT_EQ(S().BlockListVisible, (std::array<bool, 6> {true, true, true, false, false, false}));
    EXPECT_EQ(S().BlockLists[2].SelectedText(), "x10000");
    EXPECT_EQ(S().FlashUsedLine, "Flash used for EEPROM emulation: 112 KB");
}

TEST_F(FormModelTest, StartupWithoutDefaultsKeepsTheInitialForm)
{
    Start(std::nullopt);

    EXPECT_EQ(model->GetSelectedScheme(), "ECC8 Fixed-Length");
    EXPECT_EQ(model->GetBlockCount(), 2);
    for (size_t k = 0; k < kMaxBlocks; ++k) {
        EXPECT_TRUE(S().BlockListVisible[k]);
        EXPECT_TRUE(S().BlockLists[k].Entries.empty());
    }
    EXPECT_EQ(S().Fields.LifeTime, "20");
    EXPECT_EQ(S().Fields.DataSize[0], "512");
    EXPECT_TRUE(data.BlockInfoRequests.empty());
}

struct StartupMessageCase
{
    std::string Name;
    std::function<void(SessionRecord&, FakeDataSource&)> Set;
    std::string SelectedScheme;
    bool SchemeMessage; // "Unable to select Scheme '%s'." expected
    std::vector<std::string> FirstMessages; // all with the error icon
};

class StartupMessages : public FormModelTest, public testing::WithParamInterface<StartupMessageCase>
{ };

TEST_P(StartupMessages, AreShownAndStartupGoesOn)
{
    const StartupMessageCase& c = GetParam();
    SessionRecord defaults = DefaultsRecord();
    c.Set(defaults, data);
    Start(defaults);

    ASSERT_GE(view.Messages.size(), c.FirstMessages.size())
        << ::testing::PrintToString(Texts(view.Messages));
    for (size_t i = 0; i < c.FirstMessages.size(); ++i) {
        EXPECT_EQ(view.Messages[i].Text, c.FirstMessages[i]);
        EXPECT_EQ(view.Messages[i].Icon, MsgIcon::Error);
    }
    int schemeMessages = 0;
    for (const auto& m : view.Messages)
        schemeMessages += m.Text.rfind("Unable to select Scheme", 0) == 0 ? 1 : 0;
    EXPECT_EQ(schemeMessages, c.SchemeMessage ? 1 : 0);
    EXPECT_EQ(model->GetSelectedScheme(), c.SelectedScheme);
}

INSTANTIATE_TEST_SUITE_P(Defaults, StartupMessages,
    testing::Values(
        // Only the beginning of a name: the list's own search takes the first entry
        // that begins with it; the blocks are then asked for the short name.
        StartupMessageCase {"SchemePrefix",
            [](SessionRecord& r, FakeDataSource&) { r.Scheme = "ECC16"; }, "ECC16 Fixed-Length",
            false,
            {"Error reading block information for scheme ECC16 because Scheme ECC16 is not "
             "listed in SchemeInfo.xml!"}},
        StartupMessageCase {"UnknownScheme",
            [](SessionRecord& r, FakeDataSource&) { r.Scheme = "ECC64 Var-Length"; },
            "ECC8 Fixed-Length", true,
            {"Unable to select Scheme 'ECC64 Var-Length'.",
                "Error reading block information for scheme ECC64 Var-Length because Scheme "
                "ECC64 Var-Length is not listed in SchemeInfo.xml!"}},
        StartupMessageCase {"UnknownBlockSize",
            [](SessionRecord& r, FakeDataSource&) { r.BlockSize[1] = "x3000"; }, "ECC16 Var-Length",
            false, {"Unable to select block size 'x3000' at index '1'."}},
        StartupMessageCase {"CatalogueUnreadable",
            [](SessionRecord&, FakeDataSource& d) {
                d.SchemeListError = "SchemeInfo.xml was not found.";
            },
            "", true,
            {"Schemes information could not be loaded!\nSchemeInfo.xml was not found.",
                "Unable to select Scheme 'ECC16 Var-Length'."}}),
    [](const testing::TestParamInfo<StartupMessageCase>& info) { return info.param.Name; });

TEST_F(FormModelTest, StartupWithUnknownDefaultBlockSizeKeepsThatListOnItsFirstEntry)
{
    SessionRecord defaults = DefaultsRecord();
    defaults.BlockSize[1] = "x3000";
    Start(defaults);

    ASSERT_EQ(view.Messages.size(), 1u) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(S().BlockLists[0].SelectedText(), "x8000");
    EXPECT_EQ(S().BlockLists[1].SelectedText(), "x10000");
    EXPECT_FALSE(S().SubmitEnabled); // the data fits, so the first calculation ran
}

// ---------------------------------------------------------------------------
// Scheme change

struct SchemeChangeCase
{
    std::string Name;
    std::string Scheme;
    bool CustomizeOverhead;
    bool FixedLength;
    int32_t Alignment;
    std::string ToolTip;
};

class SchemeChange : public FormModelTest, public testing::WithParamInterface<SchemeChangeCase>
{ };

TEST_P(SchemeChange, ResetsTheFormButKeepsCustomizeOverhead)
{
    const SchemeChangeCase& c = GetParam();
    Start();
    // Change nearly everything first.
    Type(LifeTimeField(), "30");
    ChooseBlockCount(4);
    ChooseBlockSize(3, "x20000");
    model->UserClickFrequency(2, true);
    Type(UpdatesField(0), "99");
    Type(RecordsField(1), "7");
    Type(DataSizeField(2), "100");
    model->UserSetCustomizeOverhead(true);
    Type(BlockOverheadField(), "5");
    Type(OverheadField(0), "3");
    ChooseDataTypes(3);
    if (!c.CustomizeOverhead)
        model->UserSetCustomizeOverhead(false);
    view.Clear();

    ChooseScheme(c.Scheme);
    const FormState& s = S();

    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(model->GetSelectedScheme(), c.Scheme);
    EXPECT_EQ(s.In.RecordAlignment, c.Alignment);
    EXPECT_EQ(model->GetBlockCount(), 2);
    EXPECT_EQ(s.BlockListVisible, (std::array<bool, 6> {true, true, false, false, false, false}));
    for (size_t k = 0; k < kMaxBlocks; ++k)
        EXPECT_EQ(s.BlockLists[k].SelectedText(), "x10000") << "list " << k + 1;

    EXPECT_EQ(s.Fields.LifeTime, "20");
    EXPECT_FLOAT_EQ(s.In.LifeTime, 20.0f);
    for (size_t r = 0; r < kMaxDataTypes; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(s.Fields.DataSize[r], c.FixedLength ? "8" : kInitialSizes[r]);
        EXPECT_EQ(s.DataSizeEnabled[r], r == 0 || !c.FixedLength);
        EXPECT_EQ(s.Fields.Updates[r], kInitialUpdates[r]);
        EXPECT_EQ(s.Fields.Records[r], "8");
        EXPECT_EQ(s.Fields.Frequency[r], 0);
        EXPECT_EQ(s.Fields.Overhead[r], "0");
    }
    EXPECT_EQ(s.Fields.BlockOverhead, "0");
    EXPECT_EQ(model->GetDataTypeSelection(), 6);
    EXPECT_EQ(s.In.DataTypeCount, 6);
    EXPECT_EQ(s.RowVisible, (std::array<bool, 6> {true, true, true, true, true, true}));
    EXPECT_EQ(s.TotalsBelowRow, 6);

    EXPECT_EQ(s.CusOverheadChecked, c.CustomizeOverhead);
    EXPECT_EQ(s.OverheadColumnVisible, c.CustomizeOverhead);
    for (size_t r = 0; r < kMaxDataTypes; ++r)
        EXPECT_EQ(s.OverheadFieldVisible[r], c.CustomizeOverhead);
    EXPECT_EQ(s.OverheadColumnVisible, c.CustomizeOverhead);

    EXPECT_TRUE(s.SubmitEnabled);
    EXPECT_EQ(s.SchemeToolTip, c.ToolTip);
    EXPECT_EQ(chart.CyclesLimit(), 100000);
}

INSTANTIATE_TEST_SUITE_P(Schemes, SchemeChange,
    testing::Values(SchemeChangeCase {"Ecc8Fixed", "ECC8 Fixed-Length", true, true, 8,
                        "Scheme ECC8 with fixed length of data size"},
        SchemeChangeCase {"Ecc8Var", "ECC8 Var-Length", false, false, 8,
            "Scheme ECC8 with variable length of data size"},
        SchemeChangeCase {"Ecc16Fixed", "ECC16 Fixed-Length", false, true, 16,
            "Scheme ECC16 with fixed length of data size"},
        SchemeChangeCase {"Ecc32Fixed", "ECC32 Fixed-Length", false, true, 32,
            "Scheme ECC32 with fixed length of data size"},
        SchemeChangeCase {"Ecc32Var", "ECC32 Var-Length", true, false, 32,
            "Scheme ECC32 with variable length of data size"}),
    [](const testing::TestParamInfo<SchemeChangeCase>& info) { return info.param.Name; });

TEST_F(FormModelTest, SchemeChangeTotalsFollowTheNewScheme)
{
    Start();
    ChooseScheme("ECC8 Fixed-Length");
    // 8 + 10 = 18 padded to 24: 16 bytes of record overhead, 24 of block header.
    EXPECT_EQ(S().Fields.TotalUserDataBytes, "384");
    EXPECT_EQ(S().Fields.TotalOverhead, "792");
    EXPECT_EQ(S().Fields.TotalBytes, "1176");
}

// The chart shows its retention axis only for schemes whose catalogue entry says the
// scheme keeps data through retention; every scheme change sets it anew.
TEST_F(FormModelTest, RetentionAxisFollowsTheChosenScheme)
{
    Start();
    ChooseScheme("ECC16 Var-Length");
    EXPECT_TRUE(chart.RetentionAxisShown());
    ChooseScheme("ECC8 Var-Length");
    EXPECT_FALSE(chart.RetentionAxisShown());
    ChooseScheme("ECC16 Fixed-Length");
    EXPECT_TRUE(chart.RetentionAxisShown());
    ChooseScheme("ECC32 Var-Length");
    EXPECT_FALSE(chart.RetentionAxisShown());
}

struct BlocklessSchemeCase
{
    std::string Name;
    std::function<void(FakeDataSource&)> Set;
    std::string Scheme;
    std::string Message;
};

class SchemeWithoutBlocks : public FormModelTest,
                            public testing::WithParamInterface<BlocklessSchemeCase>
{ };

TEST_P(SchemeWithoutBlocks, ReportsAndKeepsTheBlockListsButResetsTheRest)
{
    const BlocklessSchemeCase& c = GetParam();
    c.Set(data);
    Start();
    Type(LifeTimeField(), "30");
    view.Clear();

    ChooseScheme(c.Scheme);

    ASSERT_FALSE(view.Messages.empty());
    EXPECT_EQ(view.Messages[0].Text, c.Message);
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Error);
    for (size_t k = 0; k < kMaxBlocks; ++k) {
        EXPECT_EQ(S().BlockLists[k].Entries, kSortedBlockTexts);
        EXPECT_EQ(S().BlockLists[k].SelectedText(), "x10000");
    }
    ASSERT_EQ(S().Blocks.size(), 4u); // the previous scheme's blocks stay
    EXPECT_EQ(S().Fields.LifeTime, "20");
    EXPECT_EQ(model->GetDataTypeSelection(), 6);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SchemeWithoutBlocks,
    testing::Values(
        BlocklessSchemeCase {"NotInCatalogue",
            [](FakeDataSource& d) { d.ExtraSchemeNames = {"ECC64 Var-Length"}; },
            "ECC64 Var-Length",
            "Error reading block information for scheme ECC64 Var-Length because Scheme ECC64 "
            "Var-Length is not listed in SchemeInfo.xml!"},
        BlocklessSchemeCase {"NoBlockEntries",
            [](FakeDataSource& d) { d.Schemes[5].Blocks.clear(); }, "ECC32 Var-Length",
            "Error reading block information for scheme ECC32 Var-Length because "}),
    [](const testing::TestParamInfo<BlocklessSchemeCase>& info) { return info.param.Name; });

// ---------------------------------------------------------------------------
// Typing into the fields

struct FirstSizeCase
{
    std::string Name;
    std::string Scheme;
    bool Copies;
};

class FirstDataSize : public FormModelTest, public testing::WithParamInterface<FirstSizeCase>
{ };

TEST_P(FirstDataSize, IsCopiedWhileTypedOnlyInFixedLengthSchemes)
{
    const FirstSizeCase& c = GetParam();
    Start();
    ChooseScheme(c.Scheme);
    const std::array<std::string, 6> before = S().Fields.DataSize;
    view.Clear();

    for (const std::string typed : {"2", "24"}) {
        SCOPED_TRACE(typed);
        Type(DataSizeField(0), typed);
        EXPECT_EQ(S().Fields.DataSize[0], typed);
        for (size_t r = 1; r < kMaxDataTypes; ++r)
            EXPECT_EQ(S().Fields.DataSize[r], c.Copies ? typed : before[r]) << "row " << r + 1;
    }
    EXPECT_TRUE(view.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Schemes, FirstDataSize,
    testing::Values(FirstSizeCase {"FixedLength", "ECC8 Fixed-Length", true},
        FirstSizeCase {"VarLength", "ECC16 Var-Length", false}),
    [](const testing::TestParamInfo<FirstSizeCase>& info) { return info.param.Name; });

TEST_F(FormModelTest, LifetimeIsCheckedOnEveryChangeOfItsText)
{
    Start();
    ASSERT_FALSE(S().SubmitEnabled);

    Type(LifeTimeField(), "");
    EXPECT_TRUE(view.Messages.empty());
    EXPECT_FALSE(S().SubmitEnabled);

    Type(LifeTimeField(), "0");
    ASSERT_EQ(view.Messages.size(), 1u);
    EXPECT_EQ(view.Messages[0].Text, "Please enter a number between 1 and 99.");
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Warning);
    ASSERT_EQ(view.Focus.size(), 1u);
    EXPECT_EQ(view.Focus[0], LifeTimeField());
    EXPECT_FALSE(S().SubmitEnabled);

    Type(LifeTimeField(), "5");
    EXPECT_EQ(view.Messages.size(), 1u);
    EXPECT_TRUE(S().SubmitEnabled);
    EXPECT_FLOAT_EQ(S().In.LifeTime, 5.0f);
}

TEST_F(FormModelTest, DataTypeCountHidesRowsAndMovesTheTotals)
{
    Start();

    ChooseDataTypes(1);
    EXPECT_EQ(S().RowVisible, (std::array<bool, 6> {true, false, false, false, false, false}));
    EXPECT_EQ(S().TotalsBelowRow, 1);
    EXPECT_EQ(S().In.DataTypeCount, 1);
    EXPECT_TRUE(S().SubmitEnabled);
    // Only the first data type counts now.
    EXPECT_EQ(S().Fields.TotalUserDataBytes, "4096");
    EXPECT_EQ(S().Fields.TotalOverhead, "304");
    EXPECT_EQ(S().Fields.TotalBytes, "4400");
    // Hidden rows keep their texts.
    EXPECT_EQ(S().Fields.DataSize[5], "16");

    ChooseDataTypes(6);
    EXPECT_EQ(S().RowVisible, (std::array<bool, 6> {true, true, true, true, true, true}));
    EXPECT_EQ(S().TotalsBelowRow, 6);
    EXPECT_EQ(S().Fields.TotalBytes, "9648");
    EXPECT_FALSE(S().OverheadColumnVisible);
    EXPECT_FALSE(S().OverheadColumnVisible);
    EXPECT_TRUE(view.Messages.empty());
}

TEST_F(FormModelTest, CustomizeOverheadShowsOneOverheadFieldPerRow)
{
    Start();
    ChooseDataTypes(4);
    const std::string totalOverhead = S().Fields.TotalOverhead;

    model->UserSetCustomizeOverhead(true);
    EXPECT_TRUE(S().OverheadColumnVisible);
    EXPECT_EQ(
        S().OverheadFieldVisible, (std::array<bool, 6> {true, true, true, true, false, false}));
    EXPECT_TRUE(S().OverheadColumnVisible);
    EXPECT_TRUE(S().SubmitEnabled);
    EXPECT_EQ(S().Fields.TotalOverhead, totalOverhead); // not recomputed by the click

    // While checked, the overhead fields follow the number of data types.
    ChooseDataTypes(2);
    EXPECT_EQ(
        S().OverheadFieldVisible, (std::array<bool, 6> {true, true, false, false, false, false}));
    EXPECT_TRUE(S().OverheadColumnVisible);

    // The customized overheads (all 0) replace the scheme's own at the next focus event.
    Enter(OverheadField(0));
    EXPECT_EQ(S().Fields.TotalOverhead, "0");
    EXPECT_EQ(S().Fields.TotalBytes, S().Fields.TotalUserDataBytes);

    model->UserSetCustomizeOverhead(false);
    EXPECT_FALSE(S().OverheadColumnVisible);
    EXPECT_EQ(S().OverheadFieldVisible, (std::array<bool, 6> {}));
    EXPECT_FALSE(S().OverheadColumnVisible);
    EXPECT_TRUE(view.Messages.empty());
}

TEST_F(FormModelTest, BlockCountShowsListsAndHiddenListsKeepTheirSelections)
{
    Start();
    ChooseBlockCount(5);
    EXPECT_EQ(S().BlockListVisible, (std::array<bool, 6> {true, true, true, true, true, false}));
    ChooseBlockSize(3, "x20000");
    ChooseBlockSize(4, "x8000");
    Submit();
    ASSERT_FALSE(S().SubmitEnabled);

    ChooseBlockCount(3);
    EXPECT_EQ(model->GetBlockCount(), 3);
    EXPECT_EQ(S().BlockListVisible, (std::array<bool, 6> {true, true, true, false, false, false}));
    EXPECT_EQ(S().BlockLists[3].SelectedText(), "x20000");
    EXPECT_EQ(S().BlockLists[4].SelectedText(), "x8000");
    EXPECT_TRUE(S().SubmitEnabled);
}

TEST_F(FormModelTest, ChoosingABlockSizeEnablesSubmit)
{
    Start();
    ASSERT_FALSE(S().SubmitEnabled);
    ChooseBlockSize(0, "x20000");
    EXPECT_TRUE(S().SubmitEnabled);
}

TEST_F(FormModelTest, OutOfRangeDataSizeIsReportedAtTheNextFocusEvent)
{
    Start();
    const std::string totals = S().Fields.TotalBytes;

    Type(DataSizeField(2), "5000");
    EXPECT_TRUE(view.Messages.empty());
    EXPECT_EQ(S().Fields.TotalBytes, totals);

    Enter(UpdatesField(0));
    ASSERT_EQ(view.Messages.size(), 1u);
    EXPECT_EQ(view.Messages[0].Text, "Please enter an integer between 1 and 4096.");
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Warning);
    ASSERT_EQ(view.Focus.size(), 1u);
    EXPECT_EQ(view.Focus[0], DataSizeField(2));
    EXPECT_EQ(S().Fields.TotalBytes, totals);
    EXPECT_FALSE(S().SubmitEnabled);
}

struct RefusedFieldCase
{
    std::string Name;
    FieldId Field;
    std::string Text;
    std::string Message;
};

class RefusedField : public FormModelTest, public testing::WithParamInterface<RefusedFieldCase>
{ };

TEST_P(RefusedField, IsReportedWithFocusOnItAndNoTotals)
{
    const RefusedFieldCase& c = GetParam();
    Start();
    const std::string totals = S().Fields.TotalBytes;
    Type(c.Field, c.Text);
    view.Clear();

    Enter(UpdatesField(5));
    ASSERT_EQ(view.Messages.size(), 1u) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(view.Messages[0].Text, c.Message);
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Warning);
    ASSERT_EQ(view.Focus.size(), 1u);
    EXPECT_EQ(view.Focus[0], c.Field);
    EXPECT_EQ(S().Fields.TotalBytes, totals);
    EXPECT_FALSE(S().SubmitEnabled);
}

INSTANTIATE_TEST_SUITE_P(Fields, RefusedField,
    testing::Values(RefusedFieldCase {"RecordsAbove16Bits", RecordsField(4), "40000",
                        "Please enter an integer between 1 and 30000."},
        RefusedFieldCase {"DataSizeAbove16Bits", DataSizeField(1), "32768",
            "Please enter an integer between 1 and 4096."},
        RefusedFieldCase {"UpdatesAbove32Bits", UpdatesField(0), "4294967297",
            "Please enter an integer between 1 and 100000000."},
        RefusedFieldCase {"UpdatesZero", UpdatesField(2), "0",
            "Please enter an integer between 1 and 100000000."},
        // The overhead column is hidden, but its fields are read all the same.
        RefusedFieldCase {"HiddenOverhead", OverheadField(3), "65537",
            "Please enter an integer between 0 and 65536."},
        RefusedFieldCase {
            "BlockOverheadNotANumber", BlockOverheadField(), "12a", "Please enter an integer."}),
    [](const testing::TestParamInfo<RefusedFieldCase>& info) { return info.param.Name; });

TEST_F(FormModelTest, FocusEventTakesValidInputsIntoTheTotals)
{
    Start();
    Type(RecordsField(0), "9");
    EXPECT_EQ(S().Fields.TotalUserDataBytes, "8064");

    Enter(UpdatesField(3));
    EXPECT_EQ(S().Fields.TotalUserDataBytes, "8576");
    EXPECT_EQ(S().Fields.TotalOverhead, "1616");
    EXPECT_TRUE(S().SubmitEnabled);
    EXPECT_TRUE(view.Messages.empty());
}

TEST_F(FormModelTest, InvalidValueInAHiddenRowStopsEveryFormRead)
{
    Start();
    Type(RecordsField(3), "31000");
    ChooseDataTypes(1); // its totals step reads the form and reports the hidden row
    ASSERT_FALSE(S().RowVisible[3]);
    view.Clear();
    const int calculations = S().Calculations;

    Enter(UpdatesField(0));
    model->UserClickFrequency(0, true);
    Submit();
    ASSERT_EQ(view.Messages.size(), 3u);
    for (size_t i = 0; i < view.Messages.size(); ++i) {
        EXPECT_EQ(view.Messages[i].Text, "Please enter an integer between 1 and 30000.");
        EXPECT_EQ(view.Focus[i], RecordsField(3));
    }
    EXPECT_EQ(S().Calculations, calculations);

    // Shown and corrected, the form reads again.
    ChooseDataTypes(6);
    view.Clear();
    Type(RecordsField(3), "8");
    Submit();
    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(S().Calculations, calculations + 1);
}

TEST_F(FormModelTest, SchemeChangeClearsAnInvalidValueInAHiddenRow)
{
    Start();
    Type(RecordsField(3), "31000");
    ChooseDataTypes(1);
    ASSERT_FALSE(view.Messages.empty());

    ChooseScheme("ECC8 Var-Length");
    view.Clear();
    EXPECT_EQ(S().Fields.Records[3], "8");
    Enter(UpdatesField(0));
    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_TRUE(S().SubmitEnabled);
}

TEST_F(FormModelTest, FrequencyClickEnablesSubmitWhenTheFormReads)
{
    Start();
    ASSERT_FALSE(S().SubmitEnabled);
    model->UserClickFrequency(4, true);
    EXPECT_EQ(S().Fields.Frequency[4], 1);
    EXPECT_EQ(S().In.Frequency[4], 1);
    EXPECT_TRUE(S().SubmitEnabled);
}

// ---------------------------------------------------------------------------
// Calculation

TEST_F(FormModelTest, SubmitComputesTheWorkedEnduranceExample)
{
    Start();
    ASSERT_EQ(model->GetSelectedScheme(), "ECC16 Var-Length");
    ChooseDataTypes(1);
    Type(DataSizeField(0), "512");
    Enter(UpdatesField(0));
    Type(UpdatesField(0), "10");
    Enter(RecordsField(0));
    Type(RecordsField(0), "8");
    model->UserClickFrequency(0, true);
    Type(LifeTimeField(), "20");
    ChooseBlockCount(2);
    ChooseBlockSize(0, "x4000");
    ChooseBlockSize(1, "x4000");
    ASSERT_TRUE(S().SubmitEnabled);
    const int calculations = S().Calculations;

    model->RunCalculation();
    const FormState& s = S();
    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(s.Calculations, calculations + 1);
    EXPECT_EQ(s.Fields.TotalUserDataBytes, "4096");
    EXPECT_EQ(s.Fields.TotalOverhead, "304");
    EXPECT_EQ(s.Fields.TotalBytes, "4400");
    EXPECT_EQ(s.FlashUsedLine, "Flash used for EEPROM emulation: 32 KB");
    EXPECT_DOUBLE_EQ(s.Out.FlashCycles, 10472.0);
    EXPECT_EQ(s.Fields.FlashCycles, "10472");
    EXPECT_EQ(s.LifetimeUpdatesText, "299,008,000");
    EXPECT_EQ(s.Fields.MaxUpdateRequirement, "73000");
    EXPECT_EQ(s.RefreshIntervalText, "0.69709702");
    EXPECT_FALSE(s.SubmitEnabled);
    EXPECT_DOUBLE_EQ(chart.OperatingCycles(), 10472.0);
    EXPECT_FLOAT_EQ(chart.OperatingLifeTime(), 20.0f);

    Repaint();
    EXPECT_EQ(s.VerdictLine, kInSpec);
    EXPECT_EQ(s.RecommendationLine, "");
    EXPECT_EQ(s.LifetimeNote, "");
}

TEST_F(FormModelTest, DataThatDoesNotFitStopsTheRunAndKeepsSubmitEnabled)
{
    Start();
    const std::string cycles = S().Fields.FlashCycles;
    const int calculations = S().Calculations;
    Type(RecordsField(0), "30000");
    Enter(UpdatesField(0));
    ASSERT_TRUE(S().SubmitEnabled);
    view.Clear();

    Submit();
    ASSERT_EQ(view.Messages.size(), 1u);
    EXPECT_EQ(view.Messages[0].Text, kBlocksTooSmall);
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Warning);
    EXPECT_TRUE(S().SubmitEnabled);
    EXPECT_EQ(S().Calculations, calculations);
    EXPECT_EQ(S().Fields.FlashCycles, cycles);
    EXPECT_EQ(S().Fields.TotalBytes, "16325296"); // the totals are already new
}

struct VerdictCase
{
    std::string Name;
    std::string LifeTime;
    std::string DailyUpdates; // of the single data type
    bool InSpec;
    std::string Second;
    std::string LifetimeNote;
};

class Verdict : public FormModelTest, public testing::WithParamInterface<VerdictCase>
{ };

TEST_P(Verdict, IsWrittenAfterTheChartsRepaint)
{
    const VerdictCase& c = GetParam();
    Start();
    ChooseDataTypes(1);
    Type(UpdatesField(0), c.DailyUpdates);
    model->UserClickFrequency(0, true);
    Type(LifeTimeField(), c.LifeTime);
    Submit();
    ASSERT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));

    const float lifeTime = S().In.LifeTime;
    const float years = chart.GetInSpecYears();
    if (c.InSpec) {
        EXPECT_EQ(S().VerdictLine, kInSpec);
    } else {
        char expected[128];
        std::snprintf(expected, sizeof expected,
            " - In spec for first %.1f years. Out of spec for last %.1f years",
            static_cast<double>(years), static_cast<double>(lifeTime - years));
        EXPECT_EQ(S().VerdictLine, expected);
    }
    EXPECT_EQ(S().RecommendationLine, c.Second);
    EXPECT_EQ(S().LifetimeNote, c.LifetimeNote);
}

INSTANTIATE_TEST_SUITE_P(Form, Verdict,
    testing::Values(VerdictCase {"InSpec", "20", "10", true, "", ""},
        VerdictCase {"LifetimeOverTwenty", "25", "10", false,
            "Cycling requirement is within specification",
            "Application lifetime exceeds 20.0 years specification"},
        VerdictCase {"TooManyCycles", "10", "100000", false,
            "Recommended:increase number of flash blocks for EEE or reduce the number of "
            "updates to EE data",
            ""}),
    [](const testing::TestParamInfo<VerdictCase>& info) { return info.param.Name; });

TEST_F(FormModelTest, RepaintKeepsTextTypedButNotYetTaken)
{
    Start();
    Type(DataSizeField(2), "100");
    Uncover();
    EXPECT_EQ(S().Fields.DataSize[2], "100");
    EXPECT_EQ(S().In.DataSize[2], 128);
    EXPECT_EQ(S().VerdictLine, kInSpec);

    Enter(UpdatesField(0));
    EXPECT_EQ(S().In.DataSize[2], 100);
    EXPECT_EQ(S().Fields.DataSize[2], "100");
}

TEST_F(FormModelTest, FocusAndSubmitDoNothingWhileNotReady)
{
    Start();
    Enter(UpdatesField(0));
    ASSERT_TRUE(S().SubmitEnabled);
    Type(DataSizeField(1), "5000");
    S().In.ReadyFlag = false;
    const int calculations = S().Calculations;

    Enter(UpdatesField(0));
    model->RunCalculation();
    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(S().Calculations, calculations);
    EXPECT_EQ(S().Fields.TotalBytes, "9648");
    EXPECT_TRUE(S().SubmitEnabled);
}

// ---------------------------------------------------------------------------
// Putting a session into the form

struct RefusedSessionCase
{
    std::string Name;
    std::function<void(SessionRecord&)> Set;
    std::string Error;
};

class RefusedSession : public FormModelTest, public testing::WithParamInterface<RefusedSessionCase>
{ };

TEST_P(RefusedSession, ChangesNothing)
{
    const RefusedSessionCase& c = GetParam();
    Start();
    ChooseScheme("ECC8 Var-Length");
    Type(LifeTimeField(), "30");
    ChooseBlockCount(3);
    view.Clear();
    const InputSnapshot before = Snapshot();
    const int calculations = S().Calculations;

    SessionRecord record = SmallSession();
    c.Set(record);
    std::string error;
    EXPECT_FALSE(model->ApplySessionData(record, error));
    EXPECT_EQ(error, c.Error);
    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_TRUE(Snapshot() == before);
    EXPECT_EQ(S().Calculations, calculations);
    EXPECT_EQ(data.BlockInfoRequests.size(), 2u); // start-up and the scheme change only
}

INSTANTIATE_TEST_SUITE_P(Ranges, RefusedSession,
    testing::Values(
        RefusedSessionCase {"LifeTimeBelowTenth", [](SessionRecord& r) { r.LifeTime = 0.05f; },
            "Invalid Life time. Please select a value between 0.1 and 99, both inclusive"},
        RefusedSessionCase {"LifeTimeAbove99", [](SessionRecord& r) { r.LifeTime = 100.0f; },
            "Invalid Life time. Please select a value between 0.1 and 99, both inclusive"},
        RefusedSessionCase {"OneBlock", [](SessionRecord& r) { r.BlocksSelected = 1; },
            "Invalid number of blocks. Please select a value between 2 and 6, both inclusive"},
        RefusedSessionCase {"SevenBlocks", [](SessionRecord& r) { r.BlocksSelected = 7; },
            "Invalid number of blocks. Please select a value between 2 and 6, both inclusive"}),
    [](const testing::TestParamInfo<RefusedSessionCase>& info) { return info.param.Name; });

struct AcceptedSessionCase
{
    std::string Name;
    std::function<void(SessionRecord&)> Set;
};

class AcceptedSession : public FormModelTest,
                        public testing::WithParamInterface<AcceptedSessionCase>
{ };

TEST_P(AcceptedSession, AtTheLimitsOfItsRanges)
{
    Start();
    SessionRecord record = SmallSession();
    GetParam().Set(record);
    std::string error;
    EXPECT_TRUE(model->ApplySessionData(record, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(model->GetBlockCount(), record.BlocksSelected);
    EXPECT_TRUE(S().In.ReadyFlag);
}

INSTANTIATE_TEST_SUITE_P(Ranges, AcceptedSession,
    testing::Values(
        AcceptedSessionCase {"LifeTimeTenth", [](SessionRecord& r) { r.LifeTime = 0.1f; }},
        AcceptedSessionCase {"LifeTime99", [](SessionRecord& r) { r.LifeTime = 99.0f; }},
        AcceptedSessionCase {"TwoBlocks", [](SessionRecord& r) { r.BlocksSelected = 2; }},
        AcceptedSessionCase {"SixBlocks",
            [](SessionRecord& r) {
                r.BlocksSelected = 6;
                r.BlockSize = {"x4000", "x8000", "x10000", "x20000", "x4000", "x8000"};
            }}),
    [](const testing::TestParamInfo<AcceptedSessionCase>& info) { return info.param.Name; });

TEST_F(FormModelTest, SessionWithUnknownSchemeIsRefusedWithAnEmptyReason)
{
    Start();
    const int selected = S().SchemeList.Selected;
    SessionRecord record = SmallSession();
    record.Scheme = "ECC64 Var-Length";

    std::string error = "stale";
    EXPECT_FALSE(model->ApplySessionData(record, error));
    EXPECT_EQ(error, "");
    ASSERT_EQ(view.Messages.size(), 1u);
    EXPECT_EQ(view.Messages[0].Text, "Unable to select Scheme 'ECC64 Var-Length'.");
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Error);
    EXPECT_EQ(S().SchemeList.Selected, selected);
}

TEST_F(FormModelTest, LoadingSessionWithUnknownSchemeFails)
{
    Start();
    SessionRecord record = SmallSession();
    record.Scheme = "ECC64 Var-Length";
    data.Sessions["/home/eng/other.xml"] = record;
    view.OpenAnswer = "/home/eng/other.xml";

    model->LoadSessionCommand();
    Repaint();
    ASSERT_EQ(view.Messages.size(), 2u) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(view.Messages[0].Text, "Unable to select Scheme 'ECC64 Var-Length'.");
    EXPECT_EQ(view.Messages[1].Text, "File /home/eng/other.xml loading failed!\n");
    EXPECT_EQ(view.Messages[1].Icon, MsgIcon::Error);
}

TEST_F(FormModelTest, LoadingSessionWithUnknownBlockSizeStillSucceeds)
{
    Start();
    SessionRecord record = SmallSession();
    record.BlockSize[1] = "x3000";
    data.Sessions["/home/eng/s.xml"] = record;
    view.OpenAnswer = "/home/eng/s.xml";
    const int calculations = S().Calculations;

    model->LoadSessionCommand();
    Repaint();
    ASSERT_EQ(view.Messages.size(), 2u) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(view.Messages[0].Text, "Unable to select block size 'x3000' at index '1'.");
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Error);
    EXPECT_EQ(view.Messages[1].Text, "File /home/eng/s.xml loaded successfully!");
    EXPECT_EQ(view.Messages[1].Icon, MsgIcon::Information);

    EXPECT_EQ(model->GetSelectedScheme(), "ECC8 Var-Length");
    EXPECT_EQ(S().BlockLists[0].SelectedText(), "x4000");
    EXPECT_EQ(S().BlockLists[1].SelectedText(), "x10000"); // kept from the scheme change
    EXPECT_EQ(S().Calculations, calculations + 1);
    EXPECT_FALSE(S().SubmitEnabled);
    EXPECT_EQ(S().VerdictLine, kInSpec);
}

TEST_F(FormModelTest, SessionLifetimeBelowOneIsAcceptedButTheNextFormReadFails)
{
    Start();
    SessionRecord record = SmallSession();
    record.LifeTime = 0.5f;
    std::string error;
    EXPECT_TRUE(model->ApplySessionData(record, error));
    view.Clear();

    EXPECT_FALSE(model->ReadForm());
    ASSERT_EQ(view.Messages.size(), 1u);
    EXPECT_EQ(view.Messages[0].Text, "Please enter a number between 1 and 99.");
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Warning);
    ASSERT_EQ(view.Focus.size(), 1u);
    EXPECT_EQ(view.Focus[0], LifeTimeField());
}

TEST_F(FormModelTest, SessionPutsEveryValueIntoTheForm)
{
    Start();
    SessionRecord record;
    record.Scheme = "ECC32 Var-Length";
    record.LifeTime = 7.5f;
    record.CusOverheadEn = true;
    record.BlockOverhead = 64;
    record.DataTypes = {{100, 5, 2, 0, 11}, {200, 6, 3, 1, 12}, {300, 7, 4, 0, 13}};
    record.BlockSize = {"x8000", "x20000", "x4000", "", "", ""};
    record.BlocksSelected = 3;
    std::string error;

    ASSERT_TRUE(model->ApplySessionData(record, error));
    const FormState& s = S();
    EXPECT_EQ(model->GetSelectedScheme(), "ECC32 Var-Length");
    EXPECT_FLOAT_EQ(s.In.LifeTime, 7.5f);
    EXPECT_EQ(model->GetBlockCount(), 3);
    EXPECT_EQ(s.BlockListVisible, (std::array<bool, 6> {true, true, true, false, false, false}));
    EXPECT_EQ(s.BlockLists[0].SelectedText(), "x8000");
    EXPECT_EQ(s.BlockLists[1].SelectedText(), "x20000");
    EXPECT_EQ(s.BlockLists[2].SelectedText(), "x4000");
    EXPECT_EQ(model->GetDataTypeSelection(), 3);
    EXPECT_EQ(s.RowVisible, (std::array<bool, 6> {true, true, true, false, false, false}));
    EXPECT_TRUE(s.CusOverheadChecked);
    EXPECT_TRUE(s.OverheadColumnVisible);
    EXPECT_EQ(
        s.OverheadFieldVisible, (std::array<bool, 6> {true, true, true, false, false, false}));
    EXPECT_TRUE(s.OverheadColumnVisible);
    EXPECT_EQ(s.Fields.BlockOverhead, "64");
    const std::array<std::string, 3> sizes {"100", "200", "300"};
    for (size_t r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(s.Fields.DataSize[r], sizes[r]);
        EXPECT_EQ(s.Fields.Updates[r], std::to_string(5 + r));
        EXPECT_EQ(s.Fields.Records[r], std::to_string(2 + r));
        EXPECT_EQ(s.Fields.Frequency[r], r == 1 ? 1 : 0);
        EXPECT_EQ(s.Fields.Overhead[r], std::to_string(11 + r));
    }
    // Customized: 64 + 11x2 + 12x3 + 13x4 = 174 bytes of overhead, recomputed by the load.
    EXPECT_EQ(s.Fields.TotalUserDataBytes, "2000");
    EXPECT_EQ(s.Fields.TotalOverhead, "174");
    EXPECT_TRUE(s.In.ReadyFlag);
}

TEST_F(FormModelTest, FixedLengthSessionCopiesTheFirstSizeIntoRowsItDoesNotSet)
{
    Start();
    SessionRecord record = SmallSession();
    record.Scheme = "ECC8 Fixed-Length";
    record.DataTypes = {{24, 10, 8, 0, 0}, {40, 10, 8, 0, 0}};
    std::string error;

    ASSERT_TRUE(model->ApplySessionData(record, error));
    const std::array<std::string, 6> expected {"24", "40", "24", "24", "24", "24"};
    EXPECT_EQ(S().Fields.DataSize, expected);
    EXPECT_EQ(S().DataSizeEnabled, (std::array<bool, 6> {true, false, false, false, false, false}));
}

// ---------------------------------------------------------------------------
// Session commands

TEST_F(FormModelTest, SaveThenLoadGivesBackEveryInput)
{
    Start();
    ChooseScheme("ECC32 Var-Length");
    Type(LifeTimeField(), "15");
    ChooseBlockCount(3);
    ChooseBlockSize(0, "x8000");
    ChooseBlockSize(1, "x20000");
    ChooseBlockSize(2, "x4000");
    ChooseDataTypes(4);
    const std::array<std::string, 4> sizes {"100", "200", "300", "40"};
    for (int r = 0; r < 4; ++r) {
        const auto row = static_cast<size_t>(r);
        Type(DataSizeField(r), sizes[row]);
        Type(UpdatesField(r), std::to_string(5 + r));
        Type(RecordsField(r), std::to_string(2 + r));
        Type(OverheadField(r), std::to_string(1 + r));
    }
    model->UserClickFrequency(1, true);
    model->UserClickFrequency(3, true);
    model->UserSetCustomizeOverhead(true);
    Type(BlockOverheadField(), "100");
    Enter(UpdatesField(0));
    view.Clear();

    const std::string path = "/home/eng/sessions/run1.xml";
    view.SaveAnswer = path;
    model->SaveSessionCommand();
    Repaint();
    ASSERT_EQ(view.Messages.size(), 1u) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(view.Messages[0].Text, "File run1.xml saved succesfully!");
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Information);

    ASSERT_EQ(data.Sessions.count(path), 1u);
    const SessionRecord& saved = data.Sessions[path];
    EXPECT_EQ(saved.Scheme, "ECC32 Var-Length");
    EXPECT_FLOAT_EQ(saved.LifeTime, 15.0f);
    EXPECT_EQ(saved.BlocksSelected, 3);
    EXPECT_EQ(
        saved.BlockSize, (std::array<std::string, 6> {"x8000", "x20000", "x4000", "", "", ""}));
    EXPECT_TRUE(saved.CusOverheadEn);
    EXPECT_EQ(saved.BlockOverhead, 100);
    EXPECT_EQ(saved.DataTypes,
        (std::vector<DataInfo> {
            {100, 5, 2, 0, 1}, {200, 6, 3, 1, 2}, {300, 7, 4, 0, 3}, {40, 8, 5, 1, 4}}));

    const InputSnapshot before = Snapshot();
    const std::string verdict = S().VerdictLine;

    model->RestoreDefaultCommand();
    Repaint();
    ASSERT_NE(model->GetSelectedScheme(), "ECC32 Var-Length");
    view.Clear();

    view.OpenAnswer = path;
    model->LoadSessionCommand();
    Repaint();
    ASSERT_EQ(view.Messages.size(), 1u) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(view.Messages[0].Text, "File /home/eng/sessions/run1.xml loaded successfully!");
    EXPECT_EQ(view.Messages[0].Icon, MsgIcon::Information);
    EXPECT_EQ(data.SessionReads.back(), path);

    const InputSnapshot after = Snapshot();
    EXPECT_EQ(after.Scheme, before.Scheme);
    EXPECT_EQ(after.BlockCount, before.BlockCount);
    EXPECT_EQ(after.BlockSelections[0], before.BlockSelections[0]);
    EXPECT_EQ(after.BlockSelections[1], before.BlockSelections[1]);
    EXPECT_EQ(after.BlockSelections[2], before.BlockSelections[2]);
    EXPECT_EQ(after.DataTypes, before.DataTypes);
    EXPECT_EQ(after.CusOverhead, before.CusOverhead);
    EXPECT_EQ(after.Frequency, before.Frequency);
    // Rows in use (four of six, four texts each), the block overhead, the results and the lifetime.
    for (size_t i = 0; i < 16; ++i)
        EXPECT_EQ(after.Texts[i], before.Texts[i]) << "text " << i;
    for (size_t i = 24; i < after.Texts.size(); ++i)
        EXPECT_EQ(after.Texts[i], before.Texts[i]) << "text " << i;
    EXPECT_EQ(
        S().OverheadFieldVisible, (std::array<bool, 6> {true, true, true, true, false, false}));
    EXPECT_TRUE(S().OverheadColumnVisible);
    EXPECT_EQ(S().VerdictLine, verdict);
    EXPECT_FALSE(S().SubmitEnabled);
}

TEST_F(FormModelTest, SaveWithCustomizeOverheadOffWritesZeroOverheads)
{
    Start();
    model->UserSetCustomizeOverhead(true);
    Type(BlockOverheadField(), "7");
    Type(OverheadField(0), "9");
    model->UserSetCustomizeOverhead(false);
    view.SaveAnswer = "/tmp/plain.xml";

    model->SaveSessionCommand();
    Repaint();
    ASSERT_EQ(data.Sessions.count("/tmp/plain.xml"), 1u);
    const SessionRecord& saved = data.Sessions["/tmp/plain.xml"];
    EXPECT_FALSE(saved.CusOverheadEn);
    EXPECT_EQ(saved.BlockOverhead, 0);
    ASSERT_EQ(saved.DataTypes.size(), 6u);
    for (const auto& info : saved.DataTypes)
        EXPECT_EQ(info.CusOverhead, 0);
    EXPECT_EQ(saved.DataTypes, DefaultsRecord().DataTypes);
    EXPECT_EQ(saved.BlockSize, DefaultsRecord().BlockSize);
}

TEST_F(FormModelTest, SaveIsNotOfferedWhenTheDataDoesNotFit)
{
    Start();
    Type(RecordsField(0), "30000");
    view.SaveAnswer = "/tmp/never.xml";

    model->SaveSessionCommand();
    Repaint();
    EXPECT_EQ(view.SaveDialogs, 0);
    EXPECT_TRUE(data.SessionWrites.empty());
    ASSERT_FALSE(view.Messages.empty());
    EXPECT_EQ(view.Messages.back().Text, kBlocksTooSmall);
}

TEST_F(FormModelTest, RestoreDefaultPutsTheDefaultsBack)
{
    Start();
    const InputSnapshot defaults = Snapshot();
    ChooseScheme("ECC8 Fixed-Length");
    Type(LifeTimeField(), "30");
    ChooseBlockCount(4);
    ChooseDataTypes(3);
    model->UserSetCustomizeOverhead(true);
    Type(BlockOverheadField(), "12");
    Enter(UpdatesField(0));
    view.Clear();
    const int calculations = S().Calculations;

    model->RestoreDefaultCommand();
    const FormState& s = S();
    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_EQ(data.SessionReads.back(), "Defaults.xml");
    EXPECT_EQ(s.Calculations, calculations + 1);
    EXPECT_TRUE(s.SubmitEnabled);
    Repaint();

    EXPECT_EQ(model->GetSelectedScheme(), "ECC16 Var-Length");
    EXPECT_EQ(s.Fields.LifeTime, "20");
    EXPECT_EQ(model->GetBlockCount(), 2);
    EXPECT_EQ(s.BlockListVisible, (std::array<bool, 6> {true, true, false, false, false, false}));
    EXPECT_EQ(s.BlockLists[0].SelectedText(), "x8000");
    EXPECT_EQ(s.BlockLists[1].SelectedText(), "x4000");
    EXPECT_EQ(model->GetDataTypeSelection(), 6);
    EXPECT_EQ(s.RowVisible, (std::array<bool, 6> {true, true, true, true, true, true}));
    EXPECT_EQ(s.DataSizeEnabled, (std::array<bool, 6> {true, true, true, true, true, true}));
    EXPECT_FALSE(s.CusOverheadChecked);
    EXPECT_FALSE(s.OverheadColumnVisible);
    EXPECT_FALSE(s.OverheadColumnVisible);
    EXPECT_EQ(s.Fields.BlockOverhead, "0");
    EXPECT_EQ(s.Fields.FlashCycles, "8");
    EXPECT_EQ(s.VerdictLine, kInSpec);

    InputSnapshot restored = Snapshot();
    restored.Submit = defaults.Submit;
    EXPECT_TRUE(restored == defaults);
}

TEST_F(FormModelTest, CancelledSaveDialogWritesNothingAndShowsNothing)
{
    Start();
    view.SaveAnswer.reset();
    model->SaveSessionCommand();
    Repaint();
    EXPECT_EQ(view.SaveDialogs, 1);
    EXPECT_TRUE(data.SessionWrites.empty());
    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
}

TEST_F(FormModelTest, CancelledOpenDialogReadsNothingAndShowsNothing)
{
    Start();
    const InputSnapshot before = Snapshot();
    view.OpenAnswer.reset();
    model->LoadSessionCommand();
    Repaint();
    EXPECT_EQ(view.OpenDialogs, 1);
    EXPECT_TRUE(data.SessionReads.empty());
    EXPECT_TRUE(view.Messages.empty()) << ::testing::PrintToString(Texts(view.Messages));
    EXPECT_TRUE(Snapshot() == before);
}

struct CommandMessageCase
{
    std::string Name;
    std::function<void(FakeDataSource&, RecordingView&)> Set;
    std::function<void(FormModel&)> Run;
    std::string Message;
    MsgIcon Icon;
};

class CommandMessage : public FormModelTest, public testing::WithParamInterface<CommandMessageCase>
{ };

TEST_P(CommandMessage, IsTheLastMessageShown)
{
    const CommandMessageCase& c = GetParam();
    Start();
    c.Set(data, view);
    c.Run(*model);
    Repaint();
    ASSERT_FALSE(view.Messages.empty());
    EXPECT_EQ(view.Messages.back().Text, c.Message);
    EXPECT_EQ(view.Messages.back().Icon, c.Icon);
}

INSTANTIATE_TEST_SUITE_P(Sessions, CommandMessage,
    testing::Values(
        CommandMessageCase {"SaveSucceeds",
            [](FakeDataSource&, RecordingView& v) { v.SaveAnswer = "/home/eng/session.xml"; },
            [](FormModel& m) { m.SaveSessionCommand(); }, "File session.xml saved succesfully!",
            MsgIcon::Information},
        CommandMessageCase {"SaveFails",
            [](FakeDataSource& d, RecordingView& v) {
                v.SaveAnswer = "/home/eng/session.xml";
                d.WriteError = "Error saving session XML file Access is denied..";
            },
            [](FormModel& m) { m.SaveSessionCommand(); },
            "File session.xml could not be saved!\nError saving session XML file Access is "
            "denied..",
            MsgIcon::Error},
        CommandMessageCase {"LoadUnreadable",
            [](FakeDataSource&, RecordingView& v) { v.OpenAnswer = "/home/eng/missing.xml"; },
            [](FormModel& m) { m.LoadSessionCommand(); },
            "File /home/eng/missing.xml loading failed!\nThe system cannot find the file "
            "specified.",
            MsgIcon::Error},
        CommandMessageCase {"LoadLifetimeOutOfRange",
            [](FakeDataSource& d, RecordingView& v) {
                SessionRecord r = SmallSession();
                r.LifeTime = 100.0f;
                d.Sessions["/home/eng/old.xml"] = r;
                v.OpenAnswer = "/home/eng/old.xml";
            },
            [](FormModel& m) { m.LoadSessionCommand(); },
            "File /home/eng/old.xml loading failed!\nInvalid Life time. Please select a value "
            "between 0.1 and 99, both inclusive",
            MsgIcon::Error},
        CommandMessageCase {"RestoreWithoutDefaults",
            [](FakeDataSource& d, RecordingView&) { d.Sessions.erase("Defaults.xml"); },
            [](FormModel& m) { m.RestoreDefaultCommand(); },
            "Defaults File Defaults.xml could not be loaded!\nThe system cannot find the file "
            "specified.",
            MsgIcon::Error},
        CommandMessageCase {"RestoreRefused",
            [](FakeDataSource& d, RecordingView&) {
                d.Sessions["Defaults.xml"].BlocksSelected = 7;
            },
            [](FormModel& m) { m.RestoreDefaultCommand(); },
            "Default values could not be restored!\nInvalid number of blocks. Please select a "
            "value between 2 and 6, both inclusive",
            MsgIcon::Error}),
    [](const testing::TestParamInfo<CommandMessageCase>& info) { return info.param.Name; });

TEST_F(FormModelTest, FailedRestoreStillEnablesSubmitAndKeepsTheForm)
{
    Start();
    data.Sessions.erase("Defaults.xml");
    Type(LifeTimeField(), "30");
    Submit();
    ASSERT_FALSE(S().SubmitEnabled);
    const InputSnapshot before = Snapshot();

    model->RestoreDefaultCommand();
    EXPECT_TRUE(S().SubmitEnabled);
    InputSnapshot after = Snapshot();
    after.Submit = before.Submit;
    EXPECT_TRUE(after == before);
}

} // namespace
} // namespace eee
