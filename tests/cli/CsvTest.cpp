// Comma-separated output: quoting, the columns taken from JSON objects and the
// values written under them.
#include "cli/Csv.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace eee {
namespace {

TEST(Csv, QuotesOnlyTheFieldsThatNeedIt)
{
    EXPECT_EQ(CsvField("x4000"), "x4000");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("cr\r"), "\"cr\r\"");
    EXPECT_EQ(CsvLine({"a", "b,c", ""}), "a,\"b,c\",\n");
}

TEST(Csv, ColumnsAreTheScalarKeysOfEveryObjectInKeyOrder)
{
    const QJsonObject evaluated {{"ok", true}, {"scheme", "ECC16"}, {"blocks", QJsonArray {"x"}},
        {"refresh", QJsonValue(QJsonValue::Null)}, {"nested", QJsonObject {{"k", 1}}}};
    const QJsonObject refused {{"ok", false}, {"error", "no"}, {"warnings", QJsonArray {}}};
    EXPECT_EQ(ScalarKeys({evaluated, refused}), (QStringList {"error", "ok", "refresh", "scheme"}));
}

TEST(Csv, RowWritesValuesAsTheJsonDoesAndLeavesNullAndMissingEmpty)
{
    const QJsonObject object {{"b", true}, {"n", 10472}, {"x", 0.1}, {"big", 1e21},
        {"t", "a, \"b\""}, {"z", QJsonValue(QJsonValue::Null)}, {"f", false}};
    EXPECT_EQ(CsvRow(object, {"n", "x", "big", "t", "b", "f", "z", "missing"}),
        "10472,0.1,1e+21,\"a, \"\"b\"\"\",true,false,,\n");
}

} // namespace
} // namespace eee
