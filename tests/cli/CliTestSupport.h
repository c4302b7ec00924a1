// Running the built eee-calc-cli and writing session files for it.
#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

// Readable test failures for JSON values.
inline void PrintTo(const QJsonObject& object, std::ostream* os)
{
    *os << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

namespace eee::test {

namespace fs = std::filesystem;

inline const std::string kCliPath = EEE_CLI_PATH;

// The folder of the built program, which holds the data files.
inline fs::path ModuleFolder()
{
    return fs::path(kCliPath).parent_path();
}

class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "eee-cli-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

struct RunResult
{
    int Exit = -1;
    std::string Out;
    std::string Err;
};

// Runs a program with the arguments, its output streams caught in files of a
// scratch folder; cwd, when given, is its working folder.
inline RunResult RunProgram(
    const std::string& program, const std::vector<std::string>& args, const std::string& cwd = {})
{
    TempDir scratch;
    const std::string outPath = scratch / "out";
    const std::string errPath = scratch / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(
        &actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(
        &actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!cwd.empty())
        posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    RunResult result;
    if (spawned != 0)
        return result;
    int status = 0;
    waitpid(pid, &status, 0);
    result.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.Out = ReadFile(outPath);
    result.Err = ReadFile(errPath);
    return result;
}

inline RunResult RunCli(const std::vector<std::string>& args, const std::string& cwd = {})
{
    return RunProgram(kCliPath, args, cwd);
}

struct DataTypeXml
{
    int DataSize = 0;
    int Updates = 0;
    int Records = 0;
    int Frequency = 0; // 0 Total, 1 Daily
    int CusOverhead = 0;
};

// A session file as the calculator writes it.
inline std::string SessionXml(const std::string& scheme, const std::string& lifeTime,
    const std::vector<std::string>& blocks, const std::vector<DataTypeXml>& dataTypes,
    bool customOverhead = false, int blockOverhead = 0)
{
    std::string xml = "<?xml version='1.0'?>\n<!--Current Session Data-->\n"
                      "<SessionData xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                      "xsi:noNamespaceSchemaLocation=\"SessionData.xsd\">";
    xml += "<Scheme>" + scheme + "</Scheme><LifeTime>" + lifeTime + "</LifeTime><BlocksSelected>";
    for (const std::string& block : blocks)
        xml += "<BlockSize>" + block + "</BlockSize>";
    xml += "</BlocksSelected><CusOverheadEn>" + std::string(customOverhead ? "-1" : "0")
        + "</CusOverheadEn><BlockOverhead>" + std::to_string(blockOverhead) + "</BlockOverhead>";
    for (const DataTypeXml& t : dataTypes) {
        xml += "<DataInfo><DataSize>" + std::to_string(t.DataSize) + "</DataSize><Updates>"
            + std::to_string(t.Updates) + "</Updates><Records>" + std::to_string(t.Records)
            + "</Records><Frequency>" + std::to_string(t.Frequency) + "</Frequency><CusOverhead>"
            + std::to_string(t.CusOverhead) + "</CusOverhead></DataInfo>";
    }
    xml += "</SessionData>\n";
    return xml;
}

// The worked example of the endurance: 10472 flash cycles.
inline std::string WorkedExampleXml(const std::string& lifeTime = "20")
{
    return SessionXml("ECC16 Var-Length", lifeTime, {"x4000", "x4000"}, {{512, 10, 8, 1, 0}});
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// One line of JSON output as an object; a line that is not one fails the test.
inline const QJsonObject JsonObject(const std::string& line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n"
                                                     << line;
    EXPECT_TRUE(document.isObject()) << line;
    return document.object();
}

inline QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

inline bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace eee::test
