// The form read and write: parsing of a field's text, ranges, messages, the order
// of the fields and what a read that stops half-way has already taken.
#include "form/FieldRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace eee {
namespace {

constexpr double kUnchecked = std::numeric_limits<double>::quiet_NaN();

const char* KindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::DataSize:
        return "DataSize";
    case FieldKind::Updates:
        return "Updates";
    case FieldKind::Records:
        return "Records";
    case FieldKind::Overhead:
        return "Overhead";
    case FieldKind::BlockOverhead:
        return "BlockOverhead";
    case FieldKind::TotalUserDataBytes:
        return "TotalUserDataBytes";
    case FieldKind::TotalOverhead:
        return "TotalOverhead";
    case FieldKind::TotalBytes:
        return "TotalBytes";
    case FieldKind::MaxUpdateRequirement:
        return "MaxUpdateRequirement";
    case FieldKind::FlashCycles:
        return "FlashCycles";
    case FieldKind::LifeTime:
        return "LifeTime";
    }
    return "?";
}

bool IsRowKind(FieldKind kind)
{
    return kind == FieldKind::DataSize || kind == FieldKind::Updates || kind == FieldKind::Records
        || kind == FieldKind::Overhead;
}

std::string FieldName(FieldId id)
{
    if (IsRowKind(id.Kind))
        return "DataType" + std::to_string(id.Row + 1) + KindName(id.Kind);
    return KindName(id.Kind);
}

// Every text field of the form in the order in which the form is read.
std::vector<FieldId> FormOrder()
{
    std::vector<FieldId> order;
    for (int row = 0; row < kMaxDataTypes; ++row) {
        for (FieldKind kind :
            {FieldKind::DataSize, FieldKind::Updates, FieldKind::Records, FieldKind::Overhead})
            order.push_back({kind, row});
    }
    for (FieldKind kind : {FieldKind::BlockOverhead, FieldKind::TotalUserDataBytes,
             FieldKind::TotalOverhead, FieldKind::TotalBytes, FieldKind::MaxUpdateRequirement,
             FieldKind::FlashCycles, FieldKind::LifeTime})
        order.push_back({kind, 0});
    return order;
}

std::string& TextOf(FormFields& f, FieldId id)
{
    switch (id.Kind) {
    case FieldKind::DataSize:
        return f.DataSize[id.Row];
    case FieldKind::Updates:
        return f.Updates[id.Row];
    case FieldKind::Records:
        return f.Records[id.Row];
    case FieldKind::Overhead:
        return f.Overhead[id.Row];
    case FieldKind::BlockOverhead:
        return f.BlockOverhead;
    case FieldKind::TotalUserDataBytes:
        return f.TotalUserDataBytes;
    case FieldKind::TotalOverhead:
        return f.TotalOverhead;
    case FieldKind::TotalBytes:
        return f.TotalBytes;
    case FieldKind::MaxUpdateRequirement:
        return f.MaxUpdateRequirement;
    case FieldKind::FlashCycles:
        return f.FlashCycles;
    case FieldKind::LifeTime:
        return f.LifeTime;
    }
    return f.LifeTime;
}

double ValueOf(const CalcInputs& in, const CalcResults& out, FieldId id)
{
    switch (id.Kind) {
    case FieldKind::DataSize:
        return in.DataSize[id.Row];
    case FieldKind::Updates:
        return static_cast<double>(in.Updates[id.Row]);
    case FieldKind::Records:
        return in.Records[id.Row];
    case FieldKind::Overhead:
        return in.CusOverhead[id.Row];
    case FieldKind::BlockOverhead:
        return in.BlockOverhead;
    case FieldKind::TotalUserDataBytes:
        return static_cast<double>(out.TotalUserDataBytes);
    case FieldKind::TotalOverhead:
        return static_cast<double>(out.TotalOverhead);
    case FieldKind::TotalBytes:
        return static_cast<double>(out.TotalBytes);
    case FieldKind::MaxUpdateRequirement:
        return out.MaxUpdateRequirement;
    case FieldKind::FlashCycles:
        return out.FlashCycles;
    case FieldKind::LifeTime:
        return in.LifeTime;
    }
    return 0.0;
}

// Values that differ from every value the form below holds.
void SetOldValues(CalcInputs& in, CalcResults& out)
{
    for (int row = 0; row < kMaxDataTypes; ++row) {
        in.DataSize[row] = 100;
        in.Updates[row] = 5;
        in.Records[row] = 3;
        in.Frequency[row] = 0;
        in.CusOverhead[row] = 9;
    }
    in.BlockOverhead = 11;
    out.TotalUserDataBytes = 1;
    out.TotalOverhead = 2;
    out.TotalBytes = 3;
    out.MaxUpdateRequirement = 4.0;
    out.FlashCycles = 6.0;
    in.LifeTime = 5.0f;
}

double OldValue(FieldId id)
{
    CalcInputs in;
    CalcResults out;
    SetOldValues(in, out);
    return ValueOf(in, out, id);
}

double NewValue(FieldId id)
{
    switch (id.Kind) {
    case FieldKind::DataSize:
        return 200 + id.Row;
    case FieldKind::Updates:
        return 1000 + id.Row;
    case FieldKind::Records:
        return 10 + id.Row;
    case FieldKind::Overhead:
        return 20 + id.Row;
    case FieldKind::BlockOverhead:
        return 33;
    case FieldKind::TotalUserDataBytes:
        return 4096;
    case FieldKind::TotalOverhead:
        return 304;
    case FieldKind::TotalBytes:
        return 4400;
    case FieldKind::MaxUpdateRequirement:
        return 73000;
    case FieldKind::FlashCycles:
        return 10472;
    case FieldKind::LifeTime:
        return 20.5;
    }
    return 0.0;
}

// A valid form holding the new values, with every row set to Daily.
FormFields NewFields()
{
    FormFields f;
    for (FieldId id : FormOrder()) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", NewValue(id));
        TextOf(f, id) = text;
    }
    f.Frequency.fill(1);
    return f;
}

TEST(ReadFields, TakesEveryFieldOfAValidForm)
{
    CalcInputs in;
    CalcResults out;
    SetOldValues(in, out);
    in.DataTypeCount = 2;
    std::optional<FieldFailure> failure = ReadFields(NewFields(), in, out);
    EXPECT_FALSE(failure.has_value()) << failure->Message;
    for (FieldId id : FormOrder())
        EXPECT_EQ(ValueOf(in, out, id), NewValue(id)) << FieldName(id);
    for (int row = 0; row < kMaxDataTypes; ++row)
        EXPECT_EQ(in.Frequency[row], 1) << "row " << row;
    EXPECT_EQ(in.DataTypeCount, 2);
}

TEST(ReadFields, TextAddressesTheNamedField)
{
    FormFields f = NewFields();
    for (FieldId id : FormOrder()) {
        EXPECT_EQ(&f.Text(id), &TextOf(f, id)) << FieldName(id);
        const FormFields& cf = f;
        EXPECT_EQ(&cf.Text(id), &TextOf(f, id)) << FieldName(id);
    }
}

// One field of a valid form is spoiled, either with letters or with a number out of range.
struct SpoiledField
{
    FieldId Field;
    bool Letters;
    std::string Text;
    std::string Message;
    double Taken; // value the inputs hold for the spoiled field afterwards
};

std::string RangeText(FieldKind kind)
{
    switch (kind) {
    case FieldKind::DataSize:
        return "4097";
    case FieldKind::Updates:
        return "0";
    case FieldKind::Records:
        return "31000";
    case FieldKind::Overhead:
        return "65537";
    case FieldKind::BlockOverhead:
        return "-1";
    case FieldKind::LifeTime:
        return "100";
    default:
        return "";
    }
}

std::string RangeMessage(FieldKind kind)
{
    switch (kind) {
    case FieldKind::DataSize:
        return "Please enter an integer between 1 and 4096.";
    case FieldKind::Updates:
        return "Please enter an integer between 1 and 100000000.";
    case FieldKind::Records:
        return "Please enter an integer between 1 and 30000.";
    case FieldKind::Overhead:
    case FieldKind::BlockOverhead:
        return "Please enter an integer between 0 and 65536.";
    case FieldKind::LifeTime:
        return "Please enter a number between 1 and 99.";
    default:
        return "";
    }
}

bool IsNumberKind(FieldKind kind)
{
    return kind == FieldKind::MaxUpdateRequirement || kind == FieldKind::FlashCycles
        || kind == FieldKind::LifeTime;
}

std::vector<SpoiledField> AllSpoiledFields()
{
    std::vector<SpoiledField> cases;
    for (FieldId id : FormOrder()) {
        cases.push_back({id, true, "abc",
            IsNumberKind(id.Kind) ? "Please enter a number." : "Please enter an integer.",
            OldValue(id)});
        std::string range = RangeText(id.Kind);
        if (!range.empty())
            cases.push_back({id, false, range, RangeMessage(id.Kind), std::stod(range)});
    }
    return cases;
}

class ReadFieldsStops : public testing::TestWithParam<SpoiledField>
{ };

TEST_P(ReadFieldsStops, AtTheSpoiledFieldHavingTakenThoseBefore)
{
    const SpoiledField& c = GetParam();
    FormFields fields = NewFields();
    TextOf(fields, c.Field) = c.Text;
    CalcInputs in;
    CalcResults out;
    SetOldValues(in, out);
    in.DataTypeCount = 1; // hidden rows are read all the same

    std::optional<FieldFailure> failure = ReadFields(fields, in, out);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Field, c.Field) << FieldName(failure->Field);
    EXPECT_EQ(failure->Message, c.Message);

    const std::vector<FieldId> order = FormOrder();
    bool before = true;
    for (FieldId id : order) {
        if (id == c.Field) {
            EXPECT_EQ(ValueOf(in, out, id), c.Taken) << FieldName(id);
            before = false;
        } else if (before) {
            EXPECT_EQ(ValueOf(in, out, id), NewValue(id)) << FieldName(id) << " not taken";
        } else {
            EXPECT_EQ(ValueOf(in, out, id), OldValue(id)) << FieldName(id) << " taken";
        }
    }
    // The Total/Daily choice of a row is read between its records and its overhead.
    for (int row = 0; row < kMaxDataTypes; ++row) {
        bool taken = !IsRowKind(c.Field.Kind) || row < c.Field.Row
            || (row == c.Field.Row && c.Field.Kind == FieldKind::Overhead);
        EXPECT_EQ(in.Frequency[row], taken ? 1 : 0) << "Frequency of row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryField, ReadFieldsStops, testing::ValuesIn(AllSpoiledFields()),
    [](const testing::TestParamInfo<SpoiledField>& info) {
        return FieldName(info.param.Field) + (info.param.Letters ? "Letters" : "OutOfRange");
    });

// One field's text in an otherwise valid form.
struct FieldTextCase
{
    std::string Name;
    FieldId Field;
    std::string Text;
    std::string Message; // empty: the form is read without failure
    double Taken; // value held afterwards; kUnchecked when not checked
};

class ReadFieldText : public testing::TestWithParam<FieldTextCase>
{ };

TEST_P(ReadFieldText, AcceptsOrRefusesWithItsMessage)
{
    const FieldTextCase& c = GetParam();
    FormFields fields = NewFields();
    TextOf(fields, c.Field) = c.Text;
    CalcInputs in;
    CalcResults out;
    SetOldValues(in, out);

    std::optional<FieldFailure> failure = ReadFields(fields, in, out);
    if (c.Message.empty()) {
        EXPECT_FALSE(failure.has_value()) << failure->Message;
    } else {
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->Field, c.Field) << FieldName(failure->Field);
        EXPECT_EQ(failure->Message, c.Message);
    }
    if (!std::isnan(c.Taken)) {
        EXPECT_EQ(ValueOf(in, out, c.Field), c.Taken);
    }
}

constexpr FieldId kSize2 {FieldKind::DataSize, 1};
constexpr FieldId kUpdates3 {FieldKind::Updates, 2};
constexpr FieldId kRecords4 {FieldKind::Records, 3};
constexpr FieldId kOverhead5 {FieldKind::Overhead, 4};
constexpr FieldId kBlockOverhead {FieldKind::BlockOverhead, 0};
constexpr FieldId kLifeTime {FieldKind::LifeTime, 0};
const std::string kInteger = "Please enter an integer.";
const std::string kNumber = "Please enter a number.";
const std::string kSizeRange = "Please enter an integer between 1 and 4096.";
const std::string kUpdatesRange = "Please enter an integer between 1 and 100000000.";
const std::string kRecordsRange = "Please enter an integer between 1 and 30000.";
const std::string kOverheadRange = "Please enter an integer between 0 and 65536.";
const std::string kLifeTimeRange = "Please enter a number between 1 and 99.";

INSTANTIATE_TEST_SUITE_P(Ranges, ReadFieldText,
    testing::Values(FieldTextCase {"SizeLowest", kSize2, "1", "", 1},
        FieldTextCase {"SizeHighest", kSize2, "4096", "", 4096},
        FieldTextCase {"SizeWithBlanks", kSize2, " 512 ", "", 512},
        FieldTextCase {"SizeZero", kSize2, "0", kSizeRange, 0},
        FieldTextCase {"SizeAboveRange", kSize2, "5000", kSizeRange, 5000},
        FieldTextCase {"SizeNegative", kSize2, "-1", kSizeRange, -1},
        // Numbers beyond 16 bits are taken whole and never wrap into the range;
        // beyond 32 bits they are taken as the nearest 32-bit number.
        FieldTextCase {"SizeBeyond16Bits", kSize2, "32768", kSizeRange, 32768},
        FieldTextCase {"Size65537", kSize2, "65537", kSizeRange, 65537},
        FieldTextCase {"Size65536", kSize2, "65536", kSizeRange, 65536},
        FieldTextCase {"SizeMinus65535", kSize2, "-65535", kSizeRange, -65535},
        FieldTextCase {"SizeBeyond32Bits", kSize2, "4294967297", kSizeRange, 2147483647},
        FieldTextCase {"SizeBeyond64Bits", kSize2, "99999999999999999999", kSizeRange, 2147483647},
        FieldTextCase {"SizeBelow32Bits", kSize2, "-4294967295", kSizeRange, -2147483648.0},
        FieldTextCase {"SizeEmpty", kSize2, "", kInteger, 100},
        FieldTextCase {"SizeFraction", kSize2, "1.5", kInteger, 100},
        FieldTextCase {"SizeTrailingLetters", kSize2, "12abc", kInteger, 100},
        FieldTextCase {"SizeBlankInside", kSize2, "5 12", kInteger, 100},
        FieldTextCase {"UpdatesLowest", kUpdates3, "1", "", 1},
        FieldTextCase {"UpdatesHighest", kUpdates3, "100000000", "", 100000000},
        FieldTextCase {"UpdatesAboveRange", kUpdates3, "100000001", kUpdatesRange, 100000001},
        FieldTextCase {"UpdatesZero", kUpdates3, "0", kUpdatesRange, 0},
        FieldTextCase {"UpdatesTwoTo32Plus1", kUpdates3, "4294967297", kUpdatesRange, 4294967297.0},
        FieldTextCase {
            "UpdatesBeyond64Bits", kUpdates3, "99999999999999999999", kUpdatesRange, kUnchecked},
        FieldTextCase {"UpdatesNegative", kUpdates3, "-5", kUpdatesRange, -5},
        FieldTextCase {"UpdatesLetters", kUpdates3, "ten", kInteger, 5},
        FieldTextCase {"RecordsHighest", kRecords4, "30000", "", 30000},
        FieldTextCase {"RecordsAboveRange", kRecords4, "30001", kRecordsRange, 30001},
        FieldTextCase {"RecordsZero", kRecords4, "0", kRecordsRange, 0},
        FieldTextCase {"RecordsBeyond16Bits", kRecords4, "40000", kRecordsRange, 40000},
        FieldTextCase {"Records65538", kRecords4, "65538", kRecordsRange, 65538},
        FieldTextCase {"RecordsBeyond32Bits", kRecords4, "8589934593", kRecordsRange, 2147483647},
        FieldTextCase {"OverheadZero", kOverhead5, "0", "", 0},
        FieldTextCase {"OverheadHighest", kOverhead5, "65536", "", 65536},
        FieldTextCase {"OverheadAboveRange", kOverhead5, "65537", kOverheadRange, 65537},
        FieldTextCase {"OverheadNegative", kOverhead5, "-1", kOverheadRange, -1},
        FieldTextCase {
            "OverheadBeyond32Bits", kOverhead5, "4294967297", kOverheadRange, 2147483647},
        FieldTextCase {"BlockOverheadHighest", kBlockOverhead, "65536", "", 65536},
        FieldTextCase {"BlockOverheadAboveRange", kBlockOverhead, "65537", kOverheadRange, 65537},
        FieldTextCase {"BlockOverheadNegative", kBlockOverhead, "-1", kOverheadRange, -1},
        FieldTextCase {"BlockOverheadBelow32Bits", kBlockOverhead, "-4294967295", kOverheadRange,
            -2147483648.0},
        FieldTextCase {"BlockOverheadEmpty", kBlockOverhead, "", kInteger, 11},
        FieldTextCase {"LifeTimeLowest", kLifeTime, "1", "", 1},
        FieldTextCase {"LifeTimeHighest", kLifeTime, "99", "", 99},
        FieldTextCase {"LifeTimeFraction", kLifeTime, "20.5", "", 20.5},
        FieldTextCase {"LifeTimeSinglePrecision", kLifeTime, "1.1", "", static_cast<double>(1.1f)},
        FieldTextCase {"LifeTimeExponent", kLifeTime, "2.5e1", "", 25},
        FieldTextCase {"LifeTimeZero", kLifeTime, "0", kLifeTimeRange, 0},
        FieldTextCase {"LifeTimeHundred", kLifeTime, "100", kLifeTimeRange, 100},
        FieldTextCase {"LifeTimeHalfYear", kLifeTime, "0.5", kLifeTimeRange, 0.5},
        FieldTextCase {"LifeTimeAboveRange", kLifeTime, "99.5", kLifeTimeRange, 99.5},
        FieldTextCase {"LifeTimeNegative", kLifeTime, "-20", kLifeTimeRange, -20},
        FieldTextCase {"LifeTimeEmpty", kLifeTime, "", kNumber, 5},
        FieldTextCase {"LifeTimeTrailingLetters", kLifeTime, "20x", kNumber, 5},
        FieldTextCase {"LifeTimeLetters", kLifeTime, "abc", kNumber, 5},
        // What WriteFields puts into the result fields is read back.
        FieldTextCase {"CyclesThreeDigitExponent", {FieldKind::FlashCycles, 0}, "1e+016", "", 1e16},
        FieldTextCase {"MaxUpdatesFraction", {FieldKind::MaxUpdateRequirement, 0},
            "266450.006961823", "", 266450.006961823},
        FieldTextCase {"TotalOverheadBeyond32Bits", {FieldKind::TotalOverhead, 0}, "11796545536",
            "", 11796545536.0},
        FieldTextCase {"TotalBytesLetters", {FieldKind::TotalBytes, 0}, "n/a", kInteger, 3},
        FieldTextCase {"TotalBytesFraction", {FieldKind::TotalBytes, 0}, "4400.5", kInteger, 3}),
    [](const testing::TestParamInfo<FieldTextCase>& info) { return info.param.Name; });

TEST(ReadFields, RefusesLifetimesThatAreNotFinite)
{
    for (const char* text : {"nan", "inf", "-inf", "1e999"}) {
        FormFields fields = NewFields();
        fields.LifeTime = text;
        CalcInputs in;
        CalcResults out;
        std::optional<FieldFailure> failure = ReadFields(fields, in, out);
        ASSERT_TRUE(failure.has_value()) << text;
        EXPECT_EQ(failure->Field, kLifeTime) << text;
    }
}

struct OrderCase
{
    std::string Name;
    FieldId Earlier;
    FieldId Later;
};

class ReadFieldsOrder : public testing::TestWithParam<OrderCase>
{ };

TEST_P(ReadFieldsOrder, ReportsTheEarlierOfTwoBadFields)
{
    const OrderCase& c = GetParam();
    FormFields fields = NewFields();
    TextOf(fields, c.Earlier) = "bad";
    TextOf(fields, c.Later) = "bad";
    CalcInputs in;
    CalcResults out;
    std::optional<FieldFailure> failure = ReadFields(fields, in, out);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Field, c.Earlier) << FieldName(failure->Field);
}

INSTANTIATE_TEST_SUITE_P(Order, ReadFieldsOrder,
    testing::Values(
        OrderCase {"SizeBeforeUpdates", {FieldKind::DataSize, 0}, {FieldKind::Updates, 0}},
        OrderCase {"UpdatesBeforeRecords", {FieldKind::Updates, 2}, {FieldKind::Records, 2}},
        OrderCase {"RecordsBeforeOverhead", {FieldKind::Records, 4}, {FieldKind::Overhead, 4}},
        OrderCase {"RowOverheadBeforeNextRow", {FieldKind::Overhead, 0}, {FieldKind::DataSize, 1}},
        OrderCase {"LastRowBeforeBlockOverhead", {FieldKind::Overhead, 5}, kBlockOverhead},
        OrderCase {
            "BlockOverheadBeforeResults", kBlockOverhead, {FieldKind::TotalUserDataBytes, 0}},
        OrderCase {"UserBytesBeforeOverhead", {FieldKind::TotalUserDataBytes, 0},
            {FieldKind::TotalOverhead, 0}},
        OrderCase {
            "OverheadBeforeTotal", {FieldKind::TotalOverhead, 0}, {FieldKind::TotalBytes, 0}},
        OrderCase {"TotalBeforeMaxUpdates", {FieldKind::TotalBytes, 0},
            {FieldKind::MaxUpdateRequirement, 0}},
        OrderCase {"MaxUpdatesBeforeCycles", {FieldKind::MaxUpdateRequirement, 0},
            {FieldKind::FlashCycles, 0}},
        OrderCase {"CyclesBeforeLifeTime", {FieldKind::FlashCycles, 0}, kLifeTime},
        OrderCase {"HiddenRowBeforeLifeTime", {FieldKind::Records, 5}, kLifeTime}),
    [](const testing::TestParamInfo<OrderCase>& info) { return info.param.Name; });

TEST(RangeMessages, FillInTheBounds)
{
    EXPECT_EQ(IntegerRangeMessage(1, 4096), "Please enter an integer between 1 and 4096.");
    EXPECT_EQ(IntegerRangeMessage(0, 65536), "Please enter an integer between 0 and 65536.");
    EXPECT_EQ(
        IntegerRangeMessage(1, 100000000), "Please enter an integer between 1 and 100000000.");
    EXPECT_EQ(NumberRangeMessage(1, 99), "Please enter a number between 1 and 99.");
    EXPECT_STREQ(kMsgInteger, "Please enter an integer.");
    EXPECT_STREQ(kMsgNumber, "Please enter a number.");
}

struct IntegerTextCase
{
    std::string Name;
    std::string Text;
    std::optional<int64_t> Value;
};

class IntegerField : public testing::TestWithParam<IntegerTextCase>
{ };

TEST_P(IntegerField, ParsesWholeDecimalText)
{
    EXPECT_EQ(ParseIntegerField(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Integers, IntegerField,
    testing::Values(IntegerTextCase {"Plain", "4096", 4096},
        IntegerTextCase {"Blanks", "  42  ", 42}, IntegerTextCase {"Minus", "-7", -7},
        IntegerTextCase {"Plus", "+7", 7}, IntegerTextCase {"LeadingZeros", "007", 7},
        IntegerTextCase {"Largest", "9223372036854775807", INT64_MAX},
        IntegerTextCase {"Smallest", "-9223372036854775808", INT64_MIN},
        IntegerTextCase {"SaturatesHigh", "99999999999999999999", INT64_MAX},
        IntegerTextCase {"SaturatesLow", "-99999999999999999999", INT64_MIN},
        IntegerTextCase {"Empty", "", std::nullopt},
        IntegerTextCase {"OnlyBlanks", "   ", std::nullopt},
        IntegerTextCase {"OnlySign", "-", std::nullopt},
        IntegerTextCase {"Letters", "abc", std::nullopt},
        IntegerTextCase {"TrailingLetters", "12abc", std::nullopt},
        IntegerTextCase {"Fraction", "1.5", std::nullopt},
        IntegerTextCase {"Exponent", "1e3", std::nullopt},
        IntegerTextCase {"Hexadecimal", "0x10", std::nullopt},
        IntegerTextCase {"BlankInside", "4 2", std::nullopt}),
    [](const testing::TestParamInfo<IntegerTextCase>& info) { return info.param.Name; });

struct NumberTextCase
{
    std::string Name;
    std::string Text;
    std::optional<double> Value;
};

class NumberField : public testing::TestWithParam<NumberTextCase>
{ };

TEST_P(NumberField, ParsesWholeDecimalNumber)
{
    EXPECT_EQ(ParseNumberField(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Numbers, NumberField,
    testing::Values(NumberTextCase {"Whole", "20", 20.0}, NumberTextCase {"Fraction", "20.5", 20.5},
        NumberTextCase {"Blanks", " 20.5 ", 20.5}, NumberTextCase {"LeadingPoint", ".5", 0.5},
        NumberTextCase {"Minus", "-3", -3.0}, NumberTextCase {"Exponent", "1.5e1", 15.0},
        NumberTextCase {"ThreeDigitExponent", "1e+016", 1e16},
        NumberTextCase {"NegativeExponent", "3.650000e-005", 3.65e-5},
        NumberTextCase {"Empty", "", std::nullopt},
        NumberTextCase {"OnlyBlanks", "  ", std::nullopt},
        NumberTextCase {"Letters", "abc", std::nullopt},
        NumberTextCase {"TrailingLetters", "20x", std::nullopt},
        NumberTextCase {"ExponentWithoutDigits", "1e", std::nullopt},
        NumberTextCase {"TwoPoints", "1.2.3", std::nullopt},
        NumberTextCase {"BlankInside", "2 0", std::nullopt}),
    [](const testing::TestParamInfo<NumberTextCase>& info) { return info.param.Name; });

TEST(LeadingConversions, ReadTheNumberAtTheStart)
{
    EXPECT_EQ(LeadingInteger("4400"), 4400);
    EXPECT_EQ(LeadingInteger("  12abc"), 12);
    EXPECT_EQ(LeadingInteger("-7 bytes"), -7);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("99999999999"), INT32_MAX);
    EXPECT_EQ(LeadingInteger("-99999999999"), INT32_MIN);
    EXPECT_EQ(LeadingNumber("1.5abc"), 1.5);
    EXPECT_EQ(LeadingNumber(" 2e3"), 2000.0);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
}

// One value of the inputs or results and the text the form shows for it.
struct WriteCase
{
    std::string Name;
    std::function<void(CalcInputs&, CalcResults&)> Set;
    FieldId Field;
    std::string Expected;
};

class WriteFieldsText : public testing::TestWithParam<WriteCase>
{ };

TEST_P(WriteFieldsText, FormatsTheValue)
{
    const WriteCase& c = GetParam();
    CalcInputs in;
    CalcResults out;
    c.Set(in, out);
    FormFields fields;
    WriteFields(in, out, fields);
    EXPECT_EQ(TextOf(fields, c.Field), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, WriteFieldsText,
    testing::Values(WriteCase {"LifeTimeWhole",
                        [](CalcInputs& in, CalcResults&) { in.LifeTime = 20.0f; }, kLifeTime, "20"},
        WriteCase {"LifeTimeHalf", [](CalcInputs& in, CalcResults&) { in.LifeTime = 20.5f; },
            kLifeTime, "20.5"},
        WriteCase {"LifeTimeSixDigits", [](CalcInputs& in, CalcResults&) { in.LifeTime = 1.1f; },
            kLifeTime, "1.1"},
        WriteCase {"LifeTimeTenth", [](CalcInputs& in, CalcResults&) { in.LifeTime = 0.1f; },
            kLifeTime, "0.1"},
        WriteCase {"LifeTimeRoundedToSixDigits",
            [](CalcInputs& in, CalcResults&) { in.LifeTime = 12.345678f; }, kLifeTime, "12.3457"},
        WriteCase {"MaxUpdatesWhole",
            [](CalcInputs&, CalcResults& out) { out.MaxUpdateRequirement = 73000.0; },
            {FieldKind::MaxUpdateRequirement, 0}, "73000"},
        WriteCase {"MaxUpdatesFifteenDigits",
            [](CalcInputs&, CalcResults& out) {
                out.MaxUpdateRequirement = 36500.0 * static_cast<double>(7.3f);
            },
            {FieldKind::MaxUpdateRequirement, 0}, "266450.006961823"},
        WriteCase {"MaxUpdatesExponent",
            [](CalcInputs&, CalcResults& out) { out.MaxUpdateRequirement = 1e16; },
            {FieldKind::MaxUpdateRequirement, 0}, "1e+016"},
        WriteCase {"CyclesWhole", [](CalcInputs&, CalcResults& out) { out.FlashCycles = 10472.0; },
            {FieldKind::FlashCycles, 0}, "10472"},
        WriteCase {"CyclesZero", [](CalcInputs&, CalcResults& out) { out.FlashCycles = 0.0; },
            {FieldKind::FlashCycles, 0}, "0"},
        WriteCase {"CyclesExponent", [](CalcInputs&, CalcResults& out) { out.FlashCycles = 1e16; },
            {FieldKind::FlashCycles, 0}, "1e+016"},
        WriteCase {"CyclesSmallExponent",
            [](CalcInputs&, CalcResults& out) { out.FlashCycles = 2.5e-7; },
            {FieldKind::FlashCycles, 0}, "2.5e-007"},
        WriteCase {"DataSize", [](CalcInputs& in, CalcResults&) { in.DataSize[1] = 4096; }, kSize2,
            "4096"},
        WriteCase {"UpdatesBeyond32Bits",
            [](CalcInputs& in, CalcResults&) { in.Updates[2] = 4294967297LL; }, kUpdates3,
            "4294967297"},
        WriteCase {"Records", [](CalcInputs& in, CalcResults&) { in.Records[3] = 30000; },
            kRecords4, "30000"},
        WriteCase {"DataSizeBeyond16Bits",
            [](CalcInputs& in, CalcResults&) { in.DataSize[1] = 65537; }, kSize2, "65537"},
        WriteCase {"RecordsBeyond16Bits",
            [](CalcInputs& in, CalcResults&) { in.Records[3] = 40000; }, kRecords4, "40000"},
        WriteCase {"Overhead", [](CalcInputs& in, CalcResults&) { in.CusOverhead[4] = 65536; },
            kOverhead5, "65536"},
        WriteCase {"BlockOverheadNegative",
            [](CalcInputs& in, CalcResults&) { in.BlockOverhead = -1; }, kBlockOverhead, "-1"},
        WriteCase {"TotalBytes", [](CalcInputs&, CalcResults& out) { out.TotalBytes = 4400; },
            {FieldKind::TotalBytes, 0}, "4400"},
        WriteCase {"TotalUserBytes",
            [](CalcInputs&, CalcResults& out) { out.TotalUserDataBytes = 737280000; },
            {FieldKind::TotalUserDataBytes, 0}, "737280000"},
        WriteCase {"TotalOverheadBeyond32Bits",
            [](CalcInputs&, CalcResults& out) { out.TotalOverhead = 11796545536LL; },
            {FieldKind::TotalOverhead, 0}, "11796545536"},
        WriteCase {"TotalOverheadNegative",
            [](CalcInputs&, CalcResults& out) { out.TotalOverhead = -9; },
            {FieldKind::TotalOverhead, 0}, "-9"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.Name; });

TEST(WriteFields, WritesTheInitialInputs)
{
    CalcInputs in;
    CalcResults out;
    FormFields fields;
    WriteFields(in, out, fields);
    const char* sizes[] = {"512", "256", "128", "64", "32", "16"};
    const char* updates[] = {"10", "20", "30", "40", "50", "100"};
    for (int row = 0; row < kMaxDataTypes; ++row) {
        EXPECT_EQ(fields.DataSize[row], sizes[row]);
        EXPECT_EQ(fields.Updates[row], updates[row]);
        EXPECT_EQ(fields.Records[row], "8");
        EXPECT_EQ(fields.Overhead[row], "0");
        EXPECT_EQ(fields.Frequency[row], 0);
    }
    EXPECT_EQ(fields.BlockOverhead, "0");
    EXPECT_EQ(fields.TotalUserDataBytes, "0");
    EXPECT_EQ(fields.TotalOverhead, "0");
    EXPECT_EQ(fields.TotalBytes, "0");
    EXPECT_EQ(fields.MaxUpdateRequirement, "0");
    EXPECT_EQ(fields.FlashCycles, "0");
    EXPECT_EQ(fields.LifeTime, "20");
}

TEST(WriteFields, WhatIsWrittenReadsBackUnchanged)
{
    CalcInputs in;
    CalcResults out;
    in.LifeTime = 7.3f;
    in.DataSize = {1, 4096, 300, 64, 17, 2};
    in.Updates = {1, 100000000, 77, 5, 123456, 9};
    in.Records = {30000, 1, 2, 3, 4, 5};
    in.Frequency = {0, 1, 1, 0, 1, 0};
    in.CusOverhead = {0, 65536, 7, 8, 9, 10};
    in.BlockOverhead = 65536;
    out.TotalUserDataBytes = 8064;
    out.TotalOverhead = 11796545536LL;
    out.TotalBytes = 11796553600LL;
    out.MaxUpdateRequirement = 5475.5;
    out.FlashCycles = 1e16;

    FormFields fields;
    WriteFields(in, out, fields);
    CalcInputs back;
    CalcResults backOut;
    SetOldValues(back, backOut);
    std::optional<FieldFailure> failure = ReadFields(fields, back, backOut);
    ASSERT_FALSE(failure.has_value()) << failure->Message;
    for (FieldId id : FormOrder())
        EXPECT_EQ(ValueOf(back, backOut, id), ValueOf(in, out, id)) << FieldName(id);
    EXPECT_EQ(back.Frequency, in.Frequency);
}

} // namespace
} // namespace eee
