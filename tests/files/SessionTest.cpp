// Session files: WriteSession and ReadSession.
#include "TestSupport.h"

#include "files/FileAccess.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace eee {
namespace {

namespace fs = std::filesystem;
using test::SessionXml;
using test::TempModule;
using test::ValidSessionBody;
using ::testing::HasSubstr;
using ::testing::StartsWith;

SessionRecord MakeRecord(std::string scheme, float lifeTime, bool cusOverheadEn,
    std::vector<std::string> blockSizes, std::vector<DataInfo> data, int32_t blockOverhead = 0)
{
    SessionRecord r;
    r.Scheme = std::move(scheme);
    r.LifeTime = lifeTime;
    r.CusOverheadEn = cusOverheadEn;
    r.BlockOverhead = blockOverhead;
    r.BlocksSelected = static_cast<int32_t>(blockSizes.size());
    for (std::size_t i = 0; i < blockSizes.size(); ++i)
        r.BlockSize[i] = blockSizes[i];
    r.DataTypes = std::move(data);
    return r;
}

bool NoTemporaryFiles(const std::string& folder)
{
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            return false;
    }
    return true;
}

class Session : public ::testing::Test
{
protected:
    TempModule module;
    FileAccess files {module.Path()};
    std::string error;
};

struct RoundTrip
{
    const char* Name;
    SessionRecord Written;
    SessionRecord Read;
};

class SessionRoundTrip : public Session, public ::testing::WithParamInterface<RoundTrip>
{ };

TEST_P(SessionRoundTrip, ReadsBackWhatWasWritten)
{
    const std::string path = module.File("SessionData.xml");
    ASSERT_TRUE(files.WriteSession(GetParam().Written, path, error)) << error;
    EXPECT_EQ(error, "");
    SessionRecord read;
    ASSERT_TRUE(files.ReadSession(read, "SessionData.xml", error)) << error;
    EXPECT_EQ(read, GetParam().Read);
}

const std::vector<DataInfo> kSixRows {{512, 10, 8, 0, 0}, {256, 20, 8, 0, 0}, {128, 30, 8, 0, 0},
    {64, 40, 8, 0, 0}, {32, 50, 8, 0, 0}, {16, 100, 8, 0, 0}};

SessionRecord WithBlocks(SessionRecord r, std::vector<std::string> blocks)
{
    r.BlockSize = {};
    r.BlocksSelected = static_cast<int32_t>(blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i)
        r.BlockSize[i] = blocks[i];
    return r;
}

const SessionRecord kPlain
    = MakeRecord("ECC16 Var-Length", 20.0f, false, {"x8000", "x8000"}, kSixRows);
const SessionRecord kCustom = MakeRecord("ECC32 Fixed-Length", 2.5f, true,
    {"x10000", "x20000", "x10000", "x20000", "x10000", "x20000"},
    {{4096, 100000000, 30000, 1, 65536}, {1, 1, 1, 0, -5}}, 65536);
const SessionRecord kOneCharBlocks
    = MakeRecord("ECC8 Var-Length", 0.1f, false, {"8", "10", "20"}, {{100, 1, 1, 1, 0}});
const SessionRecord kOddName
    = MakeRecord("Größe <&> \"'\"", 99.0f, false, {"x4000", "x4000"}, {{1, 2, 3, 0, 4}}, -1);

INSTANTIATE_TEST_SUITE_P(Records, SessionRoundTrip,
    ::testing::Values(RoundTrip {"Defaults", kPlain, kPlain},
        RoundTrip {"CustomOverheadSixBlocks", kCustom, kCustom},
        RoundTrip {"OneCharacterBlockSizesGetALeadingZero", kOneCharBlocks,
            WithBlocks(kOneCharBlocks, {"08", "10", "20"})},
        RoundTrip {"SpecialCharactersInTheSchemeName", kOddName, kOddName}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Session, WrittenFileHasTheExpectedLayout)
{
    const SessionRecord r
        = MakeRecord("ECC8 Var-Length", 2.5f, true, {"8", "x4000"}, {{1, 2, 3, 1, 5}}, 7);
    const std::string path = module.File("s.xml");
    ASSERT_TRUE(files.WriteSession(r, path, error)) << error;
    EXPECT_EQ(test::ReadAll(path),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!--Current Session Data-->\n"
        "<SessionData xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xsi:noNamespaceSchemaLocation=\"SessionData.xsd\">"
        "<Scheme>ECC8 Var-Length</Scheme><LifeTime>2.5</LifeTime>"
        "<BlocksSelected><BlockSize>08</BlockSize><BlockSize>x4000</BlockSize></BlocksSelected>"
        "<CusOverheadEn>-1</CusOverheadEn><BlockOverhead>7</BlockOverhead>"
        "<DataInfo><DataSize>1</DataSize><Updates>2</Updates><Records>3</Records>"
        "<Frequency>1</Frequency><CusOverhead>5</CusOverhead></DataInfo>"
        "</SessionData>\n");
}

TEST_F(Session, WriterNeverGoesPastTheSixSlots)
{
    SessionRecord r = kPlain;
    r.BlockSize.fill("x4000");
    r.BlocksSelected = 9;
    r.DataTypes.push_back({7, 7, 7, 0, 0});
    ASSERT_TRUE(files.WriteSession(r, module.File("s.xml"), error)) << error;
    SessionRecord read;
    ASSERT_TRUE(files.ReadSession(read, "s.xml", error)) << error;
    EXPECT_EQ(read.BlocksSelected, 6);
    EXPECT_EQ(read.DataTypes, kSixRows);
}

TEST_F(Session, TextThatXmlCannotCarryIsRefused)
{
    SessionRecord r = kPlain;
    r.Scheme = "bad\x01name";
    EXPECT_FALSE(files.WriteSession(r, module.File("s.xml"), error));
    EXPECT_EQ(
        error, "Error saving session XML file The text holds a character that XML cannot carry.");
    EXPECT_FALSE(fs::exists(module.File("s.xml")));
}

struct SaveFailure
{
    const char* Name;
    std::string Path; // relative to the module folder
    std::string Error;
};

class SessionSaveFailure : public Session, public ::testing::WithParamInterface<SaveFailure>
{ };

TEST_P(SessionSaveFailure, LeavesNothingBehind)
{
    module.Write("AFile", "not a folder");
    fs::create_directory(module.File("AFolder"));
    module.Write("AFolder/keep.txt", "kept");
    const auto before = test::Snapshot(module.Path());

    EXPECT_FALSE(files.WriteSession(kPlain, module.File(GetParam().Path), error));
    EXPECT_EQ(error, GetParam().Error);
    EXPECT_EQ(test::Snapshot(module.Path()), before);
    EXPECT_EQ(test::ReadAll(module.File("AFolder/keep.txt")), "kept");
    EXPECT_TRUE(NoTemporaryFiles(module.Path()));
}

INSTANTIATE_TEST_SUITE_P(Paths, SessionSaveFailure,
    ::testing::Values(SaveFailure {"ParentIsAFile", "AFile/s.xml",
                          "Error saving session XML file Not a directory."},
        SaveFailure {"FolderMissing", "NoSuchFolder/s.xml",
            "Error saving session XML file No such file or directory."},
        SaveFailure {"TargetIsAFolder", "AFolder", "Error saving session XML file Is a directory."},
        SaveFailure {"NameTooLong", std::string(300, 'n') + ".xml",
            "Error saving session XML file File name too long."}),
    [](const auto& info) { return std::string(info.param.Name); });

// Lets writes past a few bytes fail as they do on a full disk, for the
// lifetime of the object (the signal the kernel would send is ignored).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(Session, ExistingSessionSurvivesASaveThatRunsOutOfSpace)
{
    const std::string path = module.File("SessionData.xml");
    ASSERT_TRUE(files.WriteSession(kCustom, path, error)) << error;
    const std::string original = test::ReadAll(path);
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(files.WriteSession(kPlain, path, error));
    }
    EXPECT_EQ(error, "Error saving session XML file File too large.");
    EXPECT_EQ(test::ReadAll(path), original);
    EXPECT_TRUE(NoTemporaryFiles(module.Path()));
    SessionRecord read;
    EXPECT_TRUE(files.ReadSession(read, "SessionData.xml", error)) << error;
    EXPECT_EQ(read, kCustom);
}

TEST_F(Session, SaveReplacesAnExistingFileAndKeepsItsPermissions)
{
    const std::string path = module.File("SessionData.xml");
    module.Write("SessionData.xml", "old content");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(files.WriteSession(kPlain, path, error)) << error;
    struct stat st
    { };
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    SessionRecord read;
    EXPECT_TRUE(files.ReadSession(read, "SessionData.xml", error)) << error;
    EXPECT_EQ(read, kPlain);
    EXPECT_TRUE(NoTemporaryFiles(module.Path()));
}

TEST_F(Session, SaveThroughALinkReplacesTheFileItNames)
{
    TempModule other;
    other.Write("real.xml", "old");
    fs::create_symlink(other.File("real.xml"), module.File("link.xml"));
    ASSERT_TRUE(files.WriteSession(kPlain, module.File("link.xml"), error)) << error;
    EXPECT_TRUE(fs::is_symlink(module.File("link.xml")));
    EXPECT_THAT(
        test::ReadAll(other.File("real.xml")), HasSubstr("<Scheme>ECC16 Var-Length</Scheme>"));
}

// A link whose file does not exist yet: the save creates that file, as a
// plain write through the link would, and the link stays a link.
struct DanglingLink
{
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Links; // link name, what it names
    std::string Target; // the file the save creates, relative to the module folder
};

class SessionThroughDanglingLink : public Session,
                                   public ::testing::WithParamInterface<DanglingLink>
{ };

TEST_P(SessionThroughDanglingLink, CreatesTheFileItNames)
{
    fs::create_directory(module.File("sub"));
    for (const auto& [link, target] : GetParam().Links) {
        const std::string named
            = target.front() == '@' ? module.File(target.substr(1)) : target; // '@': absolute
        fs::create_symlink(named, module.File(link));
    }
    ASSERT_TRUE(files.WriteSession(kPlain, module.File("link.xml"), error)) << error;
    EXPECT_TRUE(fs::is_symlink(module.File("link.xml")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(module.File(GetParam().Target))));
    SessionRecord read;
    ASSERT_TRUE(files.ReadSession(read, module.File("link.xml"), error)) << error;
    EXPECT_EQ(read, kPlain);
    EXPECT_TRUE(NoTemporaryFiles(module.Path()));
    EXPECT_TRUE(NoTemporaryFiles(module.File("sub")));
}

INSTANTIATE_TEST_SUITE_P(Links, SessionThroughDanglingLink,
    ::testing::Values(DanglingLink {"Absolute", {{"link.xml", "@new.xml"}}, "new.xml"},
        DanglingLink {"Relative", {{"link.xml", "sub/new.xml"}}, "sub/new.xml"},
        DanglingLink {"RelativeToTheLinksFolder",
            {{"sub/inner.xml", "../new.xml"}, {"link.xml", "sub/inner.xml"}}, "new.xml"},
        DanglingLink {"ChainOfLinks", {{"link.xml", "second.xml"}, {"second.xml", "@third.xml"}},
            "third.xml"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Session, LinkIntoAMissingFolderFailsAndLeavesTheLink)
{
    fs::create_symlink(module.File("gone/new.xml"), module.File("link.xml"));
    EXPECT_FALSE(files.WriteSession(kPlain, module.File("link.xml"), error));
    EXPECT_EQ(error, "Error saving session XML file No such file or directory.");
    EXPECT_TRUE(fs::is_symlink(module.File("link.xml")));
}

TEST_F(Session, LinkThatNamesItselfFails)
{
    fs::create_symlink(module.File("link.xml"), module.File("link.xml"));
    EXPECT_FALSE(files.WriteSession(kPlain, module.File("link.xml"), error));
    EXPECT_EQ(error, "Error saving session XML file Too many levels of symbolic links.");
    EXPECT_TRUE(fs::is_symlink(module.File("link.xml")));
}

TEST_F(Session, LoadFromAnotherFolderLeavesTheModuleFolderUntouched)
{
    // The module folder holds a same-named file of its own and the data files.
    module.CopyDelivered("Defaults.xml");
    module.CopyDelivered("SchemeInfo.xml");
    module.Write("SessionData.xml", SessionXml(ValidSessionBody()));
    const auto before = test::Snapshot(module.Path());

    TempModule elsewhere;
    ASSERT_TRUE(files.WriteSession(kCustom, elsewhere.File("SessionData.xml"), error)) << error;
    ASSERT_TRUE(files.WriteSession(kPlain, elsewhere.File("Defaults.xml"), error)) << error;
    elsewhere.Remove("SessionData.xsd"); // the schema is taken from the module folder

    SessionRecord read;
    ASSERT_TRUE(files.ReadSession(read, elsewhere.File("SessionData.xml"), error)) << error;
    EXPECT_EQ(read, kCustom);
    SessionRecord defaults;
    ASSERT_TRUE(files.ReadSession(defaults, elsewhere.File("Defaults.xml"), error)) << error;
    EXPECT_EQ(defaults, kPlain);

    EXPECT_EQ(test::Snapshot(module.Path()), before);
}

TEST_F(Session, MessagesNameTheFileWithoutItsFolder)
{
    TempModule elsewhere;
    const std::string path = elsewhere.File("s.xml");
    elsewhere.Write("s.xml", SessionXml("<Scheme>x</Scheme>"));
    SessionRecord read;
    EXPECT_FALSE(files.ReadSession(read, path, error));
    EXPECT_THAT(error, StartsWith("Validation failed on s.xml\n"));
    EXPECT_FALSE(files.ValidateAgainstSchema(elsewhere.File("gone.xml"), error));
    EXPECT_EQ(error, "File gone.xml not found!");
}

struct ReadFailure
{
    const char* Name;
    std::string Content; // empty: no file
    std::string Error;
};

// A session that the delivered schema would accept but for a seventh
// BlockSize or DataInfo element.
std::string SevenOf(const std::string& element)
{
    std::string blocks;
    std::string rows;
    for (int i = 0; i < 7; ++i) {
        if (element == "BlockSize" || i < 6)
            blocks += "<BlockSize>x4000</BlockSize>";
        if (element == "DataInfo" || i < 1)
            rows += "<DataInfo><DataSize>1</DataSize><Updates>1</Updates><Records>1</Records>"
                    "<Frequency>0</Frequency><CusOverhead>0</CusOverhead></DataInfo>";
    }
    return "<Scheme>S</Scheme><LifeTime>1</LifeTime><BlocksSelected>" + blocks
        + "</BlocksSelected><CusOverheadEn>0</CusOverheadEn><BlockOverhead>0</BlockOverhead>"
        + rows;
}

class SessionReadFailure : public Session, public ::testing::WithParamInterface<ReadFailure>
{ };

TEST_P(SessionReadFailure, GivesItsText)
{
    if (!GetParam().Content.empty())
        module.Write("s.xml", GetParam().Content);
    SessionRecord read;
    error = "stale";
    EXPECT_FALSE(files.ReadSession(read, "s.xml", error));
    EXPECT_THAT(error, StartsWith(GetParam().Error));
    if (GetParam().Error.empty()) {
        EXPECT_EQ(error, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionReadFailure,
    ::testing::Values(ReadFailure {"Missing", "", "Cannot open s.xml: No such file or directory"},
        ReadFailure {"NotWellFormed", "<SessionData>", "Line 1: "},
        ReadFailure {"WrongRoot", "<Session xmlns:xsi=\"" + std::string(test::kXsi) + "\"/>", ""},
        ReadFailure {"WrongNamespace",
            "<SessionData xmlns:xsi=\"urn:x\" xsi:noNamespaceSchemaLocation=\"SessionData.xsd\"/>",
            ""},
        ReadFailure {"WrongSchemaName",
            "<SessionData xmlns:xsi=\"" + std::string(test::kXsi)
                + "\" xsi:noNamespaceSchemaLocation=\"SchemeInfo.xsd\"/>",
            "Attribute of Root Node has invalid Schema filename!"},
        ReadFailure {"RootWithoutAttributes", "<SessionData/>", "Node not found."},
        ReadFailure {"NotValid", SessionXml("<Scheme>x</Scheme><LifeTime>ten</LifeTime>"),
            "Validation failed on s.xml\n=====================\nReason: "},
        ReadFailure {
            "SevenBlockSizes", SessionXml(SevenOf("BlockSize")), "Validation failed on s.xml\n"},
        ReadFailure {
            "SevenDataTypes", SessionXml(SevenOf("DataInfo")), "Validation failed on s.xml\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Session, SchemaMissingFromTheModuleFolder)
{
    module.Remove("SessionData.xsd");
    module.Write("s.xml", SessionXml(ValidSessionBody()));
    SessionRecord read;
    EXPECT_FALSE(files.ReadSession(read, "s.xml", error));
    EXPECT_EQ(error, "Schema File SessionData.xsd does not exist for validating s.xml");
}

TEST_F(Session, SuccessLeavesTheErrorTextAlone)
{
    module.Write("s.xml", SessionXml(ValidSessionBody()));
    SessionRecord read;
    error = "earlier";
    EXPECT_TRUE(files.ReadSession(read, "s.xml", error));
    EXPECT_EQ(error, "earlier");
    EXPECT_TRUE(files.WriteSession(read, module.File("t.xml"), error));
    EXPECT_EQ(error, "earlier");
}

// Files that only a lax schema lets through, to reach the reader's own rules.
class LaxSession : public Session
{
protected:
    LaxSession() { module.Write("SessionData.xsd", test::LaxSchema("SessionData")); }

    bool Read(const std::string& elements)
    {
        module.Write("s.xml", SessionXml(elements));
        record = {};
        return files.ReadSession(record, "s.xml", error);
    }

    SessionRecord record;
};

TEST_F(LaxSession, TopLevelElementsInAnyOrderAndCase)
{
    ASSERT_TRUE(Read("<dataINFO><a>1</a><b>2</b><c>3</c><d>1</d><e>5</e></dataINFO>"
                     "<BLOCKOVERHEAD> 12 </BLOCKOVERHEAD><cusoverheaden>1</cusoverheaden>"
                     "<Unknown>ignored</Unknown><!-- a comment -->"
                     "<blocksselected><blocksize>x4000</blocksize><Other>x</Other>"
                     "<BLOCKSIZE>08</BLOCKSIZE></blocksselected>"
                     "<lifetime>2.5e1</lifetime><SCHEME>  ECC8 Var-Length </SCHEME>"))
        << error;
    SessionRecord expected
        = MakeRecord("ECC8 Var-Length", 25.0f, true, {"x4000", "08"}, {{1, 2, 3, 1, 5}}, 12);
    EXPECT_EQ(record, expected);
}

TEST_F(LaxSession, RepeatedElementsOverwriteAndDataInfoAppends)
{
    ASSERT_TRUE(
        Read("<Scheme>A</Scheme><Scheme>B</Scheme>"
             "<BlocksSelected><BlockSize>x1</BlockSize><BlockSize>x2</BlockSize></BlocksSelected>"
             "<BlocksSelected><BlockSize>x3</BlockSize></BlocksSelected>"
             "<DataInfo><a>1</a><a>1</a><a>1</a><a>0</a><a>0</a></DataInfo>"
             "<DataInfo><a>2</a><a>2</a><a>2</a><a>0</a><a>0</a></DataInfo>"))
        << error;
    EXPECT_EQ(record.Scheme, "B");
    EXPECT_EQ(record.BlocksSelected, 1);
    EXPECT_EQ(record.BlockSize[0], "x3");
    EXPECT_EQ(record.BlockSize[1], "x2"); // slot kept, beyond the count
    ASSERT_EQ(record.DataTypes.size(), 2u);
    EXPECT_EQ(record.DataTypes[1].DataSize, 2);
}

struct LaxValue
{
    const char* Name;
    std::string Elements;
    float LifeTime;
    int32_t BlockOverhead;
};

class LaxSessionValue : public LaxSession, public ::testing::WithParamInterface<LaxValue>
{ };

TEST_P(LaxSessionValue, ReadsAsACConversionDoes)
{
    ASSERT_TRUE(Read(GetParam().Elements)) << error;
    EXPECT_EQ(record.LifeTime, GetParam().LifeTime);
    EXPECT_EQ(record.BlockOverhead, GetParam().BlockOverhead);
}

INSTANTIATE_TEST_SUITE_P(Texts, LaxSessionValue,
    ::testing::Values(LaxValue {"Empty", "<LifeTime/><BlockOverhead></BlockOverhead>", 0.0f, 0},
        LaxValue {
            "NoDigits", "<LifeTime>abc</LifeTime><BlockOverhead>x12</BlockOverhead>", 0.0f, 0},
        LaxValue {"TrailingText",
            "<LifeTime>7.5 years</LifeTime><BlockOverhead>-42abc</BlockOverhead>", 7.5f, -42},
        LaxValue {"Signs", "<LifeTime>+3</LifeTime><BlockOverhead>+8</BlockOverhead>", 3.0f, 8},
        LaxValue {"Saturating", "<LifeTime>1</LifeTime><BlockOverhead>99999999999</BlockOverhead>",
            1.0f, 2147483647},
        LaxValue {"NotANumber",
            "<LifeTime>nan</LifeTime><BlockOverhead>-99999999999</BlockOverhead>", 0.0f,
            -2147483647 - 1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(LaxSession, DataInfoChildrenAreTakenByPosition)
{
    ASSERT_TRUE(Read("<DataInfo><x>10</x><y>20</y><z>30</z><w>1</w><v>40</v></DataInfo>")) << error;
    ASSERT_EQ(record.DataTypes.size(), 1u);
    EXPECT_EQ(record.DataTypes[0], (DataInfo {10, 20, 30, 1, 40}));
}

TEST_F(LaxSession, DataInfoWithFourChildrenIsAComponentFailure)
{
    EXPECT_FALSE(Read("<DataInfo><a>1</a><a>2</a><a>3</a><a>4</a></DataInfo>"));
    EXPECT_EQ(error, "Node not found.");
}

TEST_F(LaxSession, MoreThanSixBlockSizesAreRefused)
{
    std::string blocks;
    for (int i = 0; i < 7; ++i)
        blocks += "<BlockSize>x4000</BlockSize>";
    EXPECT_FALSE(Read("<BlocksSelected>" + blocks + "</BlocksSelected>"));
    EXPECT_EQ(error, "File s.xml selects more than 6 blocks (BlockSize)!");
    EXPECT_EQ(record.BlocksSelected, 6);
}

TEST_F(LaxSession, MoreThanSixDataTypesAreRefused)
{
    std::string rows;
    for (int i = 0; i < 7; ++i)
        rows += "<DataInfo><a>1</a><a>1</a><a>1</a><a>0</a><a>0</a></DataInfo>";
    EXPECT_FALSE(Read(rows));
    EXPECT_EQ(error, "File s.xml holds more than 6 data types (DataInfo)!");
    EXPECT_EQ(record.DataTypes.size(), 6u);
}

} // namespace
} // namespace eee
