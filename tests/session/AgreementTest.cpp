// Every session file the test suite ships, loaded in the window through File >
// Load Session, shows exactly what eee-calc-cli evaluate --json reports for it.
#include "SessionTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>
#include <cstdio>

#ifndef EEE_SESSIONS_DIR
#define EEE_SESSIONS_DIR ""
#endif

namespace eee::test {
namespace {

std::vector<std::string> SessionFiles()
{
    std::vector<std::string> files;
    const QDir folder(EEE_SESSIONS_DIR);
    for (const QFileInfo& info : folder.entryInfoList({"*.xml"}, QDir::Files, QDir::Name))
        files.push_back(info.absoluteFilePath().toStdString());
    return files;
}

TEST(SessionFilesFolder, HoldsAtLeastTwentyFiles)
{
    EXPECT_GE(SessionFiles().size(), 20u) << "in " << EEE_SESSIONS_DIR;
}

// printf's %g with an exponent of at least three digits, as the window writes numbers.
std::string FormatG(double value, int precision)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    std::string text = buffer;
    const size_t e = text.find('e');
    if (e != std::string::npos) {
        const size_t digits = e + 2; // after the sign
        while (text.size() - digits < 3)
            text.insert(digits, "0");
    }
    return text;
}

std::string Str(const QJsonValue& value)
{
    return value.toString().toStdString();
}
std::string Int(const QJsonValue& value)
{
    return std::to_string(value.toInteger());
}

std::vector<std::string> Strings(const QJsonValue& value)
{
    std::vector<std::string> strings;
    for (const QJsonValue& item : value.toArray())
        strings.push_back(Str(item));
    return strings;
}

// The window's texts that an evaluation report stands for, in the keys of InputTexts/OutputTexts.
Texts ExpectedTexts(const QJsonObject& json)
{
    Texts t;
    t["Scheme"] = Str(json["scheme"]);
    t["LifeTime (Years)"] = FormatG(json["lifetimeYears"].toDouble(), 6);
    const std::vector<std::string> blocks = Strings(json["blocks"]);
    t["No. of Blocks"] = std::to_string(blocks.size());
    for (size_t k = 0; k < blocks.size(); ++k)
        t["Block Size " + std::to_string(k + 1)] = blocks[k];
    const bool custom = json["customOverheadEnabled"].toBool();
    t["Customize Overhead"] = custom ? "on" : "off";
    if (custom)
        t["Block Overhead"] = Int(json["blockOverhead"]);
    const QJsonArray types = json["dataTypes"].toArray();
    t["Total Data Types"] = std::to_string(types.size());
    for (qsizetype row = 0; row < types.size(); ++row) {
        const QJsonObject type = types[row].toObject();
        const std::string name = "DataType" + std::to_string(row + 1) + " ";
        t[name + "size"] = Int(type["dataSize"]);
        t[name + "updates"] = Int(type["updates"]);
        t[name + "records"] = Int(type["records"]);
        t[name + "frequency"] = Str(type["frequency"]) == "daily" ? "Daily" : "Total";
        if (custom)
            t[name + "overhead"] = Int(type["customOverhead"]);
    }

    t["Total User Data Bytes"] = Int(json["totalUserDataBytes"]);
    t["Total Overhead"] = Int(json["totalOverhead"]);
    t["Total User Bytes + Overhead"] = Int(json["totalBytes"]);
    t["Total Application Lifetime Updates"] = Str(json["lifetimeUpdatesText"]);
    t["Maximum EEPROM Update Requirements"] = FormatG(json["maxUpdateRequirement"].toDouble(), 15);
    t["Estimated Flash Cycles"] = FormatG(json["flashCycles"].toDouble(), 15);
    if (!json["refreshIntervalText"].isNull())
        t["Mean Time between Refresh Cycles (days)"] = Str(json["refreshIntervalText"]);
    const std::vector<std::string> verdict = Strings(json["verdict"]);
    t["verdict"] = verdict.size() > 0 ? verdict[0] : "<missing>";
    t["recommendation"] = verdict.size() > 1 ? verdict[1] : "<missing>";
    t["lifetime note"] = verdict.size() > 2 ? verdict[2] : "<missing>";
    t["memory usage"] = Str(json["flashUsedText"]);
    return t;
}

class WindowAgreesWithCli : public SessionWindowTest,
                            public ::testing::WithParamInterface<std::string>
{ };

TEST_P(WindowAgreesWithCli, AfterLoadSession)
{
#ifndef EEE_CLI
    GTEST_SKIP() << "eee-calc-cli is not built";
#else
    const QString file = QString::fromStdString(GetParam());
    QProcess cli;
    cli.setWorkingDirectory(UserPath());
    cli.start(EEE_CLI, {"evaluate", file, "--json"});
    ASSERT_TRUE(cli.waitForFinished(60000)) << cli.errorString().toStdString();
    const QByteArray out = cli.readAllStandardOutput().trimmed();
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(out, &error);
    ASSERT_TRUE(document.isObject()) << error.errorString().toStdString() << "\n"
                                     << out.toStdString();
    const QJsonObject json = document.object();
    EXPECT_EQ(Str(json["file"]), file.toStdString());
    const bool ok = json["ok"].toBool();

    OpenWindow(DeliveredFolder());
    const int before = Calculations();
    Load(file);
    const std::vector<Msg> shown = TakeMessages();
    EXPECT_EQ(Calculations() > before, ok)
        << "the window calculated exactly when the evaluator did";

    std::vector<std::string> problems;
    for (const Msg& m : shown) {
        if (m.Icon != MsgIcon::Information)
            problems.push_back(m.Text);
    }
    if (!ok) {
        ASSERT_FALSE(problems.empty())
            << "the window showed no warning or error; the evaluator reports "
            << Str(json["error"]);
        EXPECT_EQ(problems.back(), Str(json["error"]));
        problems.pop_back();
        EXPECT_EQ(problems, Strings(json["warnings"]));
        return;
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(),
        (Msg {"File " + file.toStdString() + " loaded successfully!", MsgIcon::Information}));
    EXPECT_EQ(problems, Strings(json["warnings"]));

    Texts actual = InputTexts(Window());
    actual.merge(OutputTexts(Window()));
    // With no flash cycles no interval is computed; the field keeps an older text.
    if (json["refreshIntervalText"].isNull())
        actual.erase("Mean Time between Refresh Cycles (days)");
    EXPECT_TRUE(SameTexts(actual, ExpectedTexts(json)));
#endif
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name
        = QFileInfo(QString::fromStdString(info.param)).completeBaseName().toStdString();
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    SessionFiles, WindowAgreesWithCli, ::testing::ValuesIn(SessionFiles()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WindowAgreesWithCli);

} // namespace
} // namespace eee::test
