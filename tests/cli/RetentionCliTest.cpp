// The retention check of eee-calc-cli end to end: evaluate --profile/--mission
// in JSON and text, the profiles command, the user's own profiles file, and
// the exit status of --check.
#include "CliTestSupport.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>

namespace eee::test {
namespace {

const std::string kEeprom = "EEPROM emulation, 55 °C";
const std::string kEnvelope = "Envelope 100k cycles / 20 years";
const std::string kAutomotive = "Automotive data flash, 85 °C";
const std::string kOwnName = "My flash, 70 °C";

// Ea 0.7 eV from 55 °C: exp((0.7 / k_B) x (1 / 328.15 K - 1 / T)).
constexpr double kFactorAt30 = 0.1298424840809596;
constexpr double kFactorAt50 = 0.6818009861217230;
// 14 years at 30 °C and 6 at 50 °C against the 10-year tier of 10472 cycles.
constexpr double kMissionPercent = 100.0 * (14 * kFactorAt30 + 6 * kFactorAt50) / 10.0;

std::string ProfilesXml(const std::string& profiles)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<DeviceProfiles xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xsi:noNamespaceSchemaLocation=\"DeviceProfiles.xsd\">"
        + profiles + "</DeviceProfiles>\n";
}

std::string OwnProfilesXml(const std::string& name = kOwnName)
{
    return ProfilesXml("<Profile><Name>" + name
        + "</Name><EnduranceCycles>50000</EnduranceCycles><ReferenceCelsius>70</ReferenceCelsius>"
          "<ActivationEnergyEv>0.6</ActivationEnergyEv>"
          "<Tier><MaxCycles>50000</MaxCycles><Years>15</Years></Tier></Profile>");
}

// Sets an environment variable for the programs started while it lives.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const std::string& value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class RetentionCliTest : public ::testing::Test
{
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir / name;
        WriteFile(path, text);
        return path;
    }
    std::string Worked() { return Write("worked.xml", WorkedExampleXml()); }

    TempDir m_dir;
    // No user's own profiles file unless a test puts one there.
    TempDir m_config;
    ScopedEnv m_configHome {"XDG_CONFIG_HOME", m_config.Path().string()};
};

TEST_F(RetentionCliTest, JsonCarriesTheCheckWithEveryFigure)
{
    const RunResult r = RunCli({"evaluate", "--json", Worked(), "--profile",
        "eeprom EMULATION, 55 °C", "--mission", "14@30, 6@50"});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    const QJsonObject retention = JsonObject(r.Out)["retention"].toObject();
    EXPECT_EQ(retention["profile"].toString().toStdString(), kEeprom);
    EXPECT_EQ(retention["cyclesPerBlock"].toDouble(), 10472.0);
    EXPECT_EQ(retention["tierCycles"].toInteger(), 100000);
    EXPECT_EQ(retention["tierYears"].toDouble(), 10.0);
    EXPECT_EQ(retention["referenceC"].toDouble(), 55.0);
    EXPECT_EQ(retention["activationEnergyEv"].toDouble(), 0.7);
    const QJsonArray mission = retention["mission"].toArray();
    ASSERT_EQ(mission.size(), 2);
    EXPECT_EQ(mission[0].toObject()["years"].toDouble(), 14.0);
    EXPECT_EQ(mission[0].toObject()["celsius"].toDouble(), 30.0);
    EXPECT_NEAR(mission[0].toObject()["accelerationFactor"].toDouble(), kFactorAt30, 1e-12);
    EXPECT_NEAR(mission[1].toObject()["accelerationFactor"].toDouble(), kFactorAt50, 1e-12);
    EXPECT_NEAR(retention["consumedPercent"].toDouble(), kMissionPercent, 1e-9);
    EXPECT_NEAR(retention["effectiveYears"].toDouble(), 20.0 / (kMissionPercent / 100.0), 1e-9);
    EXPECT_NEAR(retention["margin"].toDouble(), 100.0 / kMissionPercent, 1e-12);
    EXPECT_TRUE(retention["inSpec"].toBool());
    EXPECT_EQ(retention["note"].toString().toStdString(),
        "in spec: the mission uses 59.1% of the 10-year retention");
}

TEST_F(RetentionCliTest, BeyondTheEnduranceLeavesTheTierFiguresNull)
{
    const RunResult r = RunCli({"evaluate", "--json", Worked(), "--profile", kAutomotive});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    const QJsonObject retention = JsonObject(r.Out)["retention"].toObject();
    for (const char* key :
        {"tierCycles", "tierYears", "consumedPercent", "effectiveYears", "margin"})
        EXPECT_TRUE(retention[key].isNull()) << key;
    EXPECT_FALSE(retention["inSpec"].toBool());
    EXPECT_EQ(retention["note"].toString().toStdString(), "beyond the rated endurance");
    EXPECT_EQ(retention["activationEnergyEv"].toDouble(), 0.75);
}

TEST_F(RetentionCliTest, TextEndsWithTheRetentionLines)
{
    const RunResult r
        = RunCli({"evaluate", Worked(), "--profile", kEeprom, "--mission", "14@30,6@50"});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    const std::string expected
        = "Data retention: in spec: the mission uses 59.1% of the 10-year retention\n"
          "  Profile: EEPROM emulation, 55 °C\n"
          "  Flash cycles per block: 10472; retention tier: 10 years up to 100000 cycles at 55 °C\n"
          "  Mission: 14 years at 30 °C (acceleration 0.13), 6 years at 50 °C (acceleration "
          "0.682)\n"
          "  Effective retention: 33.8 years for this mission, margin 1.69\n";
    ASSERT_GE(r.Out.size(), expected.size());
    EXPECT_EQ(r.Out.substr(r.Out.size() - expected.size()), expected) << r.Out;
}

TEST_F(RetentionCliTest, EnvelopeProfileWithoutActivationEnergyKeepsToItsTemperature)
{
    // The lifetime must be spent at 55 °C; the envelope knows no other temperature.
    const RunResult r
        = RunCli({"evaluate", Worked(), "--profile", kEnvelope, "--mission", "20@60"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(Contains(r.Out,
        "Data retention: not checked: Device profile \"" + kEnvelope
            + "\" gives no activation energy"))
        << r.Out;
    EXPECT_TRUE(Contains(r.Err, "worked.xml: error: Device profile")) << r.Err;
}

TEST_F(RetentionCliTest, MissionThatDoesNotAddUpToTheLifetimeNamesBothSums)
{
    const RunResult r = RunCli(
        {"evaluate", "--json", "--check", Worked(), "--profile", kEeprom, "--mission", "14@30"});
    // Not checked is not a pass or a miss: the file's evaluation is incomplete.
    EXPECT_EQ(r.Exit, 1);
    const QJsonObject json = JsonObject(r.Out);
    EXPECT_TRUE(json["ok"].toBool());
    EXPECT_EQ(json["retention"].toObject(),
        (QJsonObject {{"profile", QString::fromStdString(kEeprom)},
            {"error", "The mission adds up to 14 years, but the lifetime is 20 years."}}));
}

struct UsageCase
{
    const char* Name;
    std::vector<std::string> Args;
    std::string Message;
};

void PrintTo(const UsageCase& c, std::ostream* os)
{
    *os << c.Name;
}

class RetentionUsageTest : public RetentionCliTest, public ::testing::WithParamInterface<UsageCase>
{ };

TEST_P(RetentionUsageTest, IsRefusedBeforeAnyFileIsEvaluated)
{
    std::vector<std::string> args {"evaluate", Worked()};
    args.insert(args.end(), GetParam().Args.begin(), GetParam().Args.end());
    const RunResult r = RunCli(args, m_dir.Path().string());
    EXPECT_EQ(r.Exit, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_TRUE(Contains(r.Err, "eee-calc-cli: evaluate: " + GetParam().Message)) << r.Err;
    EXPECT_TRUE(Contains(r.Err, "Try 'eee-calc-cli evaluate --help'.")) << r.Err;
}

INSTANTIATE_TEST_SUITE_P(Cli, RetentionUsageTest,
    ::testing::Values(
        UsageCase {"UnknownProfile", {"--profile", "Nope"},
            "unknown device profile \"Nope\"; choose one of \"Envelope 100k cycles / 20 years\", "
            "\"EEPROM emulation, 55 °C\", \"Data flash, tiered, 55 °C\", \"Automotive data "
            "flash, 85 °C\" (eee-calc-cli profiles lists them)"},
        UsageCase {"MissionNotYearsAtCelsius", {"--profile", kEeprom, "--mission", "14@30,6"},
            "--mission: Mission segment 2 \"6\" is not written as years@°C (e.g. 14@30,6@50)."},
        UsageCase {
            "MissionWithoutProfile", {"--mission", "20@55"}, "--mission needs --profile NAME"},
        UsageCase {"EmptyProfilesFile", {"--profile", kEeprom, "--profiles", ""},
            "--profiles needs a file name"},
        UsageCase {"MissingProfilesFile", {"--profile", kEeprom, "--profiles", "absent.xml"},
            "your own device profiles could not be loaded from "}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RetentionCliTest, OwnFileOfARelativeNameIsReadFromTheWorkingFolder)
{
    Write("mine.xml", OwnProfilesXml());
    const RunResult r
        = RunCli({"evaluate", "--json", Worked(), "--profiles", "mine.xml", "--profile", kOwnName},
            m_dir.Path().string());
    ASSERT_EQ(r.Exit, 0) << r.Err;
    const QJsonObject retention = JsonObject(r.Out)["retention"].toObject();
    EXPECT_EQ(retention["profile"].toString().toStdString(), kOwnName);
    EXPECT_EQ(retention["tierYears"].toDouble(), 15.0);
    EXPECT_EQ(retention["referenceC"].toDouble(), 70.0);
}

TEST_F(RetentionCliTest, OwnFileRepeatingADeliveredNameIsRefused)
{
    const std::string mine = Write("mine.xml", OwnProfilesXml("envelope 100K cycles / 20 years"));
    const RunResult r = RunCli({"evaluate", Worked(), "--profiles", mine, "--profile", kEnvelope});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(Contains(r.Err, "is already listed and was left out; give it a name of its own."))
        << r.Err;
}

TEST_F(RetentionCliTest, ProfilesListsTheDeliveredOnesThenTheOwnFile)
{
    const std::string mine = Write("mine.xml", OwnProfilesXml());
    const RunResult r = RunCli({"profiles", "--json", "--profiles", mine});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    const std::vector<std::string> lines = Lines(r.Out);
    ASSERT_EQ(lines.size(), 5u) << r.Out;
    std::vector<std::string> names;
    for (const std::string& line : lines)
        names.push_back(JsonObject(line)["name"].toString().toStdString());
    EXPECT_EQ(names,
        (std::vector<std::string> {
            kEnvelope, kEeprom, "Data flash, tiered, 55 °C", kAutomotive, kOwnName}));
    EXPECT_EQ(JsonObject(lines[1]),
        (QJsonObject {{"name", QString::fromStdString(kEeprom)}, {"enduranceCycles", 100000},
            {"referenceC", 55}, {"activationEnergyEv", 0.7}, {"source", "delivered"},
            {"tiers",
                QJsonArray {QJsonObject {{"maxCycles", 10000}, {"years", 20}},
                    QJsonObject {{"maxCycles", 100000}, {"years", 10}}}}}));
    EXPECT_TRUE(JsonObject(lines[0])["activationEnergyEv"].isNull());
    EXPECT_EQ(JsonObject(lines[4])["source"].toString().toStdString(), mine);
}

TEST_F(RetentionCliTest, OwnFileOfTheConfigurationFolderIsListedWhenItExists)
{
    const fs::path folder = m_config.Path() / "Corvant" / "Varn EEE-CALC";
    const std::string own = (folder / "DeviceProfiles.xml").string();
    RunResult r = RunCli({"profiles"});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    EXPECT_TRUE(Contains(r.Out, "Your own profiles: " + own + " (none there)\n")) << r.Out;

    fs::create_directories(folder);
    WriteFile(own, OwnProfilesXml());
    r = RunCli({"profiles"});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    EXPECT_TRUE(Contains(r.Out,
        kOwnName
            + "\n  endurance 50000 cycles; retention at 70 °C: 15 years up to 50000 cycles; "
              "activation energy 0.6 eV\nYour own profiles: "
            + own + "\n"))
        << r.Out;
    r = RunCli({"evaluate", "--json", Worked(), "--profile", kOwnName});
    EXPECT_EQ(r.Exit, 0) << r.Err;

    // A broken file of the folder is reported, and the delivered profiles still serve.
    WriteFile(own, "<DeviceProfiles>");
    r = RunCli({"evaluate", Worked(), "--profile", kEeprom});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_TRUE(Contains(
        r.Err, "eee-calc-cli: warning: your own device profiles could not be loaded from " + own))
        << r.Err;
    EXPECT_TRUE(Contains(r.Out, "Data retention: out of spec")) << r.Out;
}

// --check: 3 for a file out of spec or missing its retention once everything is
// printed; a refused file keeps 1 and a usage error 2.
struct CheckCase
{
    const char* Name;
    std::vector<std::string> Files;
    std::vector<std::string> Options;
    int Exit;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CheckExitTest : public RetentionCliTest, public ::testing::WithParamInterface<CheckCase>
{ };

TEST_P(CheckExitTest, ExitStatus)
{
    Write("worked.xml", WorkedExampleXml());
    Write("long.xml", WorkedExampleXml("25"));
    Write("broken.xml", "<SessionData>");
    std::vector<std::string> args {"evaluate"};
    for (const std::string& file : GetParam().Files)
        args.push_back(m_dir / file);
    args.insert(args.end(), GetParam().Options.begin(), GetParam().Options.end());
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.Exit, GetParam().Exit) << r.Err;
    // Every evaluated file is reported, whatever the status.
    if (GetParam().Exit != 2) {
        size_t reports = 0;
        for (const std::string& line : Lines(r.Out))
            reports += line.starts_with("File: ");
        size_t evaluated = 0;
        for (const std::string& file : GetParam().Files)
            evaluated += file != "broken.xml";
        EXPECT_EQ(reports, evaluated) << r.Out;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, CheckExitTest,
    ::testing::Values(CheckCase {"InSpec", {"worked.xml"}, {"--check"}, 0},
        CheckCase {"OutOfSpecWithoutCheck", {"long.xml"}, {}, 0},
        CheckCase {"OutOfSpec", {"long.xml", "worked.xml"}, {"--check"}, 3},
        CheckCase {"RetentionMet", {"worked.xml"}, {"--check", "--profile", kEnvelope}, 0},
        CheckCase {"RetentionMissed", {"worked.xml"}, {"--check", "--profile", kEeprom}, 3},
        CheckCase {"RetentionMetAtLowTemperature", {"worked.xml"},
            {"--check", "--profile", kEeprom, "--mission", "14@30,6@50"}, 0},
        CheckCase {"RefusedBeatsOutOfSpec", {"long.xml", "broken.xml"}, {"--check"}, 1},
        CheckCase {"RefusedBeatsRetentionMiss", {"worked.xml", "broken.xml"},
            {"--check", "--profile", kEeprom}, 1},
        CheckCase {"UsageErrorFirst", {"long.xml"}, {"--check", "--profile", "Nope"}, 2}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RetentionCliHelp, DocumentsTheCheckAndItsPrecedence)
{
    const RunResult r = RunCli({"evaluate", "--help"});
    ASSERT_EQ(r.Exit, 0);
    for (const char* part : {"--profile <NAME>", "--mission <Y@C,...>", "--profiles <FILE>",
             "--check", "A refused file still gives 1"})
        EXPECT_TRUE(Contains(r.Out, part)) << part << "\n" << r.Out;
}

} // namespace
} // namespace eee::test
