// Numbers of a loaded session beyond the ranges of the form: they reach the
// form's fields as written, and the form read refuses them with the field's
// range message; none wraps round to a number inside the range.
#include "TestSupport.h"

#include "calc/Format.h"
#include "files/FileAccess.h"
#include "form/FieldRules.h"

#include <gtest/gtest.h>

namespace eee {
namespace {

struct LoadedNumber
{
    const char* Name;
    const char* Element; // DataSize or Records of the first data type
    std::string Text;
    std::string Message;
    int64_t Taken;
};

class LoadedBeyondRange : public ::testing::TestWithParam<LoadedNumber>
{ };

TEST_P(LoadedBeyondRange, GetsTheRangeMessageAndNeverWraps)
{
    const LoadedNumber& c = GetParam();
    test::TempModule module;
    // A lax schema: the reader's and the form's own rules are what is tested.
    module.Write("SessionData.xsd", test::LaxSchema("SessionData"));
    const bool size = std::string(c.Element) == "DataSize";
    module.Write("s.xml",
        test::SessionXml("<DataInfo><DataSize>" + (size ? c.Text : "512")
            + "</DataSize><Updates>10</Updates><Records>" + (size ? "8" : c.Text)
            + "</Records><Frequency>0</Frequency><CusOverhead>0</CusOverhead></DataInfo>"));
    FileAccess files(module.Path());
    SessionRecord record;
    std::string error;
    ASSERT_TRUE(files.ReadSession(record, "s.xml", error)) << error;
    ASSERT_EQ(record.DataTypes.size(), 1u);

    // The fields as a load writes them ("%d"), the other rows as the form starts.
    FormFields fields;
    CalcInputs in;
    CalcResults out;
    WriteFields(in, out, fields);
    fields.DataSize[0] = Format("%d", record.DataTypes[0].DataSize);
    fields.Records[0] = Format("%d", record.DataTypes[0].Records);
    const std::optional<FieldFailure> failure = ReadFields(fields, in, out);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Field, (FieldId {size ? FieldKind::DataSize : FieldKind::Records, 0}));
    EXPECT_EQ(failure->Message, c.Message);
    EXPECT_EQ(size ? in.DataSize[0] : in.Records[0], c.Taken);

    // What the form shows afterwards is the number that was loaded.
    WriteFields(in, out, fields);
    EXPECT_EQ(size ? fields.DataSize[0] : fields.Records[0], std::to_string(c.Taken));
}

const std::string kSizeRange = "Please enter an integer between 1 and 4096.";
const std::string kRecordsRange = "Please enter an integer between 1 and 30000.";

INSTANTIATE_TEST_SUITE_P(Numbers, LoadedBeyondRange,
    ::testing::Values(LoadedNumber {"SizeOf65537", "DataSize", "65537", kSizeRange, 65537},
        LoadedNumber {"SizeOf32768", "DataSize", "32768", kSizeRange, 32768},
        LoadedNumber {"SizeOf65536", "DataSize", "65536", kSizeRange, 65536},
        LoadedNumber {"NegativeSizeWrappingTo1", "DataSize", "-65535", kSizeRange, -65535},
        LoadedNumber {"SizeBeyond32Bits", "DataSize", "4294967297", kSizeRange, 2147483647},
        LoadedNumber {"RecordsOf65537", "Records", "65537", kRecordsRange, 65537},
        LoadedNumber {"RecordsOf65544", "Records", "65544", kRecordsRange, 65544},
        LoadedNumber {
            "RecordsBelow32Bits", "Records", "-4294967295", kRecordsRange, -2147483647 - 1}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace eee
