// Device profiles files: the delivered profiles, the reading of numbers and
// elements, broken and hostile files, and a user's own file after the delivered one.
#include "TestSupport.h"

#include "files/DeviceProfiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace eee {
namespace {

using ::testing::StartsWith;

std::string ProfilesXml(const std::string& body)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DeviceProfiles xmlns:xsi=\"")
        + test::kXsi + "\" xsi:noNamespaceSchemaLocation=\"DeviceProfiles.xsd\">\n" + body
        + "</DeviceProfiles>\n";
}

std::string ProfileXml(const std::string& name, const std::string& tiers = "",
    const std::string& endurance = "1000", const std::string& extra = "")
{
    return "<Profile><Name>" + name + "</Name><EnduranceCycles>" + endurance
        + "</EnduranceCycles><ReferenceCelsius>55</ReferenceCelsius>" + extra
        + (tiers.empty() ? "<Tier><MaxCycles>1000</MaxCycles><Years>10</Years></Tier>" : tiers)
        + "</Profile>\n";
}

class DeviceProfiles : public ::testing::Test
{
protected:
    DeviceProfiles()
    {
        module.CopyDelivered("DeviceProfiles.xsd");
        module.CopyDelivered("DeviceProfiles.xml");
    }
    // Reads text as the delivered file; profiles keep their old content on failure.
    bool Read(const std::string& text)
    {
        module.Write("DeviceProfiles.xml", text);
        return files.ReadDeviceProfiles("DeviceProfiles.xml", profiles, error);
    }
    test::TempModule module;
    FileAccess files {module.Path()};
    std::vector<DeviceProfile> profiles;
    std::string error;
};

const std::vector<DeviceProfile> kDelivered {
    {"Envelope 100k cycles / 20 years", 100000, {{100000, 20.0}}, 55.0, std::nullopt},
    {"EEPROM emulation, 55 °C", 100000, {{10000, 20.0}, {100000, 10.0}}, 55.0, 0.7},
    {"Data flash, tiered, 55 °C", 25000, {{100, 25.0}, {2500, 20.0}, {25000, 10.0}}, 55.0, 0.7},
    {"Automotive data flash, 85 °C", 10000, {{1000, 20.0}, {10000, 10.0}}, 85.0, 0.75},
};

TEST_F(DeviceProfiles, DeliveredFileHoldsTheFourProfiles)
{
    ASSERT_TRUE(files.ReadDeviceProfiles(kDeviceProfilesFile, profiles, error)) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(profiles, kDelivered);
}

TEST_F(DeviceProfiles, NumbersMayCarryWhiteSpaceAndSigns)
{
    ASSERT_TRUE(Read(ProfilesXml("<Profile><Name>\n  Spaced\t  out \n</Name>"
                                 "<EnduranceCycles>\n  +5000 \t</EnduranceCycles>"
                                 "<ReferenceCelsius> -40.5 </ReferenceCelsius>"
                                 "<ActivationEnergyEv>\n.6\n</ActivationEnergyEv>"
                                 "<Tier><MaxCycles> 5000 </MaxCycles><Years>\t7. </Years></Tier>"
                                 "</Profile>")))
        << error;
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_EQ(profiles[0], (DeviceProfile {"Spaced out", 5000, {{5000, 7.0}}, -40.5, 0.6}));
}

TEST_F(DeviceProfiles, CommentsAndProcessingInstructionsAreNotElements)
{
    const std::string tiers = "<!-- first --><Tier><?note a?><MaxCycles>1<!-- x -->00</MaxCycles>"
                              "<!-- y --><Years>25</Years></Tier><?note b?>"
                              "<Tier><MaxCycles>1000</MaxCycles><Years>10</Years></Tier>";
    ASSERT_TRUE(Read(ProfilesXml("<!-- before -->\n<?tool x?>\n" + ProfileXml("A", tiers)
        + "<!-- between -->" + ProfileXml("B") + "<?tool y?>")))
        << error;
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(profiles[0].Tiers, (std::vector<RetentionTier> {{100, 25.0}, {1000, 10.0}}));
    EXPECT_EQ(profiles[1].Name, "B");
}

TEST_F(DeviceProfiles, FileWithoutProfilesIsAnEmptyList)
{
    profiles = kDelivered;
    ASSERT_TRUE(Read(ProfilesXml("<!-- none yet -->"))) << error;
    EXPECT_TRUE(profiles.empty());
}

// ---- Broken and hostile files ----

struct BadFile
{
    const char* Name;
    std::string Text;
    std::string Reason; // the start of the error text, or all of it
};

class BadProfilesFile : public DeviceProfiles, public ::testing::WithParamInterface<BadFile>
{ };

TEST_P(BadProfilesFile, FailsClearlyAndChangesNothing)
{
    profiles = kDelivered;
    EXPECT_FALSE(Read(GetParam().Text));
    EXPECT_THAT(error, StartsWith(GetParam().Reason));
    EXPECT_EQ(profiles, kDelivered);
}

std::string EntityBomb()
{
    std::string dtd = "<!DOCTYPE DeviceProfiles [<!ENTITY a0 \"lol\">";
    for (int i = 1; i < 12; ++i) {
        dtd += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            dtd += "&a" + std::to_string(i - 1) + ";";
        dtd += "\">";
    }
    return "<?xml version=\"1.0\"?>\n" + dtd + "]>\n" + ProfilesXml(ProfileXml("&a11;"));
}

// The start of the text of a schema violation found at an element.
std::string Invalid(const std::string& element)
{
    return "Validation failed on DeviceProfiles.xml\n=====================\nReason: Element '"
        + element + "': ";
}

const std::string kNoDoctype = "Line 2: A document type declaration (DOCTYPE) is not allowed.";

const std::string kNotProfiles = "DeviceProfiles.xml is not a device profiles file: its root "
                                 "element must be DeviceProfiles with the attributes xmlns:xsi=\""
    + std::string(test::kXsi) + "\" and xsi:noNamespaceSchemaLocation=\"DeviceProfiles.xsd\".";

INSTANTIATE_TEST_SUITE_P(Files, BadProfilesFile,
    testing::Values(BadFile {"Empty", "", "Document is empty."},
        BadFile {"NotWellFormed", ProfilesXml("<Profile><Name>A</Profile>"), "Line"},
        BadFile {"EntityBomb", EntityBomb(), kNoDoctype},
        BadFile {"ExternalEntity",
            "<?xml version=\"1.0\"?>\n<!DOCTYPE DeviceProfiles [<!ENTITY x SYSTEM "
            "\"file:///etc/passwd\">]>\n"
                + ProfilesXml(ProfileXml("&x;")),
            kNoDoctype},
        BadFile {"WrongRoot", test::CatalogueXml(""), kNotProfiles},
        BadFile {"RootWithoutAttributes", "<DeviceProfiles/>", kNotProfiles},
        BadFile {"AttributesSwapped",
            "<DeviceProfiles xsi:noNamespaceSchemaLocation=\"DeviceProfiles.xsd\" xmlns:xsi=\""
                + std::string(test::kXsi) + "\"/>",
            kNotProfiles},
        BadFile {"OtherSchema",
            "<DeviceProfiles xmlns:xsi=\"" + std::string(test::kXsi)
                + "\" xsi:noNamespaceSchemaLocation=\"SchemeInfo.xsd\"/>",
            "Attribute of Root Node has invalid Schema filename!"},
        BadFile {"DuplicateName", ProfilesXml(ProfileXml("Twice") + ProfileXml("Twice")),
            Invalid("Profile") + "Duplicate key-sequence ['Twice']"},
        BadFile {"DuplicateNameOtherCase",
            ProfilesXml(ProfileXml("Twice, 55 °C") + ProfileXml("TWICE, 55 °C")),
            "Device profile \"TWICE, 55 °C\" is listed twice in DeviceProfiles.xml (letter case "
            "aside)."},
        BadFile {"TiersDescending",
            ProfilesXml(ProfileXml("Down",
                "<Tier><MaxCycles>1000</MaxCycles><Years>10</Years></Tier>"
                "<Tier><MaxCycles>100</MaxCycles><Years>20</Years></Tier>")),
            "Device profile \"Down\" in DeviceProfiles.xml lists its tiers out of ascending "
            "cycles (100 after 1000)."},
        BadFile {"NoTier",
            ProfilesXml("<Profile><Name>A</Name><EnduranceCycles>1</EnduranceCycles>"
                        "<ReferenceCelsius>55</ReferenceCelsius></Profile>"),
            Invalid("Profile")},
        BadFile {"ZeroYears",
            ProfilesXml(
                ProfileXml("A", "<Tier><MaxCycles>1000</MaxCycles><Years>0</Years></Tier>")),
            Invalid("Years")},
        BadFile {"HugeCycles", ProfilesXml(ProfileXml("A", "", "99999999999999999999999999")),
            Invalid("EnduranceCycles")},
        BadFile {"ZeroActivationEnergy",
            ProfilesXml(ProfileXml("A", "", "1000", "<ActivationEnergyEv>0</ActivationEnergyEv>")),
            Invalid("ActivationEnergyEv")},
        BadFile {"Exponent", ProfilesXml(ProfileXml("A", "", "1e3")), Invalid("EnduranceCycles")},
        BadFile {"BlankName", ProfilesXml(ProfileXml(" \n ")), Invalid("Name")},
        BadFile {"UnknownElement", ProfilesXml(ProfileXml("A", "", "1000", "<Colour>red</Colour>")),
            Invalid("Colour")},
        BadFile {"TooLarge", ProfilesXml(std::string(1u << 20, ' ')),
            "DeviceProfiles.xml is larger than 1048576 bytes."}),
    [](const testing::TestParamInfo<BadFile>& info) { return info.param.Name; });

TEST_F(DeviceProfiles, MissingFileOrSchemaIsNamed)
{
    module.Remove("DeviceProfiles.xsd");
    EXPECT_FALSE(files.ReadDeviceProfiles(kDeviceProfilesFile, profiles, error));
    EXPECT_EQ(
        error, "Schema File DeviceProfiles.xsd does not exist for validating DeviceProfiles.xml");
    module.Remove("DeviceProfiles.xml");
    EXPECT_FALSE(files.ReadDeviceProfiles(kDeviceProfilesFile, profiles, error));
    EXPECT_EQ(error, "Cannot open DeviceProfiles.xml: No such file or directory");
}

// A schema changed on disk counts at the next validation, except while a SchemaReuse
// lives: then it is read and compiled once for every file it validates.
TEST_F(DeviceProfiles, SchemaIsReadOnceWhileReused)
{
    {
        const FileAccess::SchemaReuse reuse(files);
        ASSERT_TRUE(files.ReadDeviceProfiles(kDeviceProfilesFile, profiles, error)) << error;
        module.Write("DeviceProfiles.xsd", "not a schema");
        EXPECT_TRUE(files.ReadDeviceProfiles(kDeviceProfilesFile, profiles, error)) << error;
    }
    EXPECT_FALSE(files.ReadDeviceProfiles(kDeviceProfilesFile, profiles, error));
    EXPECT_THAT(error, ::testing::HasSubstr("Schema DeviceProfiles.xsd is not usable"));
}

// ---- The user's own file ----

class OwnProfiles : public DeviceProfiles
{
protected:
    OwnProfiles()
        : ownFile(elsewhere.File("MyProfiles.xml"))
    { }
    // Loads the delivered and the own file; false when the Retention Check would
    // tell of a problem, which error then holds.
    bool Load(OwnFileUse own)
    {
        list = LoadProfileList(files, ownFile, own);
        profiles = list.Profiles;
        error = ProfileListProblems(list);
        return error.empty();
    }
    test::TempModule elsewhere; // the user's configuration folder
    std::string ownFile;
    ProfileList list;
};

TEST_F(OwnProfiles, AreListedAfterTheDeliveredOnes)
{
    elsewhere.Write("MyProfiles.xml", ProfilesXml(ProfileXml("Mine B") + ProfileXml("Mine A")));
    ASSERT_TRUE(Load(OwnFileUse::IfPresent)) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(list.DeliveredCount, 4u);
    EXPECT_TRUE(list.OwnFileFound && list.OwnFileRead);
    ASSERT_EQ(profiles.size(), 6u);
    EXPECT_TRUE(std::equal(kDelivered.begin(), kDelivered.end(), profiles.begin()));
    EXPECT_EQ(profiles[4].Name, "Mine B");
    EXPECT_EQ(profiles[5].Name, "Mine A");
}

TEST_F(OwnProfiles, WithoutAnOwnFileTheDeliveredOnesAreListed)
{
    ownFile.clear();
    ASSERT_TRUE(Load(OwnFileUse::Named)) << error;
    EXPECT_EQ(profiles, kDelivered);
}

// The file of the configuration folder may be missing; a file the user named may not.
TEST_F(OwnProfiles, MissingOwnFileIsAProblemOnlyWhenNamed)
{
    ASSERT_TRUE(Load(OwnFileUse::IfPresent)) << error;
    EXPECT_EQ(profiles, kDelivered);
    EXPECT_FALSE(list.OwnFileFound);
    EXPECT_EQ(list.OwnFile, ownFile);

    EXPECT_FALSE(Load(OwnFileUse::Named));
    EXPECT_FALSE(list.OwnFileRead);
    EXPECT_EQ(list.OwnError, "Cannot open MyProfiles.xml: No such file or directory");
    EXPECT_EQ(profiles, kDelivered);
}

TEST_F(OwnProfiles, NameOfADeliveredProfileIsLeftOut)
{
    elsewhere.Write("MyProfiles.xml",
        ProfilesXml(ProfileXml("envelope 100K cycles / 20 years") + ProfileXml("Mine")));
    EXPECT_FALSE(Load(OwnFileUse::IfPresent));
    EXPECT_EQ(error,
        "Device profile \"envelope 100K cycles / 20 years\" of " + ownFile
            + " is already listed and was left out; give it a name of its own.");
    ASSERT_EQ(profiles.size(), 5u);
    EXPECT_EQ(profiles[0], kDelivered[0]);
    EXPECT_EQ(profiles[4].Name, "Mine");
}

TEST_F(OwnProfiles, BrokenOwnFileKeepsTheDeliveredOnes)
{
    elsewhere.Write("MyProfiles.xml", ProfilesXml("<Profile>"));
    EXPECT_FALSE(Load(OwnFileUse::IfPresent));
    EXPECT_THAT(error,
        StartsWith("Your own device profiles could not be loaded from " + ownFile + "!\nLine "));
    EXPECT_EQ(profiles, kDelivered);
}

TEST_F(OwnProfiles, BrokenDeliveredFileKeepsTheOwnOnes)
{
    elsewhere.Write("MyProfiles.xml", ProfilesXml(ProfileXml("Mine")));
    module.Write("DeviceProfiles.xml", "<DeviceProfiles/>");
    EXPECT_FALSE(Load(OwnFileUse::IfPresent));
    EXPECT_EQ(error,
        "The device profiles delivered with the program could not be loaded!\n" + kNotProfiles);
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_EQ(profiles[0].Name, "Mine");
}

TEST(MergeProfiles, KeepsOrderAndTheFirstOfEachName)
{
    const auto named = [](const char* name) {
        return DeviceProfile {name, 10, {{10, 1.0}}, 55.0, std::nullopt};
    };
    std::string error;
    const std::vector<DeviceProfile> merged = MergeProfiles(
        {named("B"), named("A")}, {named("C"), named("a"), named("c")}, "own.xml", error);
    std::vector<std::string> names;
    for (const DeviceProfile& profile : merged)
        names.push_back(profile.Name);
    EXPECT_EQ(names, (std::vector<std::string> {"B", "A", "C"}));
    EXPECT_EQ(error,
        "Device profile \"a\" of own.xml is already listed and was left out; give it a name of "
        "its own.\nDevice profile \"c\" of own.xml is already listed and was left out; give it a "
        "name of its own.");
}

// Every input the fuzzers keep (seeds and findings) read as a profiles file:
// no crash, and whatever is accepted is a usable profile list.
TEST_F(DeviceProfiles, FuzzInputsAreReadSafely)
{
    namespace fs = std::filesystem;
    std::size_t count = 0;
    for (const char* folder : {EEE_FUZZ_REGRESSION_DIR, EEE_FUZZ_CORPUS_DIR}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().filename() == "README.md")
                continue;
            SCOPED_TRACE(entry.path().string());
            ++count;
            profiles.clear();
            if (Read(test::ReadAll(entry.path().string()))) {
                for (const DeviceProfile& profile : profiles)
                    EXPECT_EQ(ProfileProblem(profile), "");
            } else {
                EXPECT_NE(error, "");
            }
        }
    }
    EXPECT_GT(count, 0u);
}

} // namespace
} // namespace eee
