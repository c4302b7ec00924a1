// eee-calc-cli: evaluates session files of the Varn EEE Calculator without a
// window, and draws the envelope chart of an evaluation to a PNG image.

#include "calc/Types.h"
#include "chart/ChartPainter.h"
#include "cli/CommandLine.h"
#include "cli/Evaluator.h"
#include "cli/Json.h"
#include "cli/Report.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"
#include "Version.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMessageLogContext>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>


namespace eee {
namespace {

constexpr const char* kProgram = "eee-calc-cli";

// Set when standard output could not take what was written: a script must not
// mistake lost results for success.
bool g_outputLost = false;

void Write(std::FILE* stream, const std::string& text)
{
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size() && stream == stdout)
        g_outputLost = true;
}

// Flushes standard output; 1 when anything written there was lost.
int OutputStatus()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
        g_outputLost = true;
    if (!g_outputLost)
        return 0;
    std::fprintf(stderr, "%s: could not write the results to standard output\n", kProgram);
    return 1;
}

// A file name as the user gave it, made absolute: the catalogue reader takes
// a bare name for a file of the program's own folder.
std::string FullPath(const std::string& file)
{
    // Not normalised: "link/.." must go where the link leads, as the system resolves it.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (error)
        return file;
    return absolute.string();
}

// The program's data files, the form started as the window starts it, and the
// evaluation of files with it.
class Session
{
public:
    Session()
        : m_source(m_files)
        , m_cache(m_source)
    {
        SessionRecord defaults;
        std::string error;
        std::optional<SessionRecord> applied;
        if (m_files.ReadSession(defaults, "Defaults.xml", error))
            applied = std::move(defaults);
        m_evaluator = std::make_unique<Evaluator>(m_cache, applied);
        for (const FormMessage& message : m_evaluator->StartupMessages())
            Write(stderr, std::string(kProgram) + ": start-up: " + message.Text + '\n');
    }

    std::string DefaultsPath() const { return m_files.ModuleFolder() + "/Defaults.xml"; }

    Evaluation Evaluate(const std::string& file)
    {
        return m_evaluator->Evaluate(file, FullPath(file));
    }

    ChartModel& Chart() { return m_evaluator->Chart(); }

private:
    FileAccess m_files;
    FileDataSource m_source;
    CachingDataSource m_cache;
    std::unique_ptr<Evaluator> m_evaluator;
};

void ReportMessages(const Evaluation& e)
{
    std::string text;
    for (const std::string& warning : e.Warnings)
        text += MessageLines(e.File, "warning", warning);
    if (!e.Ok)
        text += MessageLines(e.File, "error", e.Error);
    Write(stderr, text);
}

int RunEvaluate(const CommandLine& command)
{
    Session session;
    std::vector<std::string> files = command.Files;
    if (files.empty())
        files.push_back(session.DefaultsPath());

    bool allOk = true;
    bool first = true;
    for (const std::string& file : files) {
        const Evaluation e = session.Evaluate(file);
        allOk = allOk && e.Ok;
        if (command.Json) {
            Write(stdout, EvaluationToJson(e) + '\n');
            continue;
        }
        // Messages go to the error stream in order with the reports.
        std::fflush(stdout);
        ReportMessages(e);
        if (e.Ok) {
            if (!first)
                Write(stdout, "\n");
            Write(stdout, EvaluationReport(e));
            first = false;
        }
    }
    return allOk ? 0 : 1;
}

// Qt's notes about the environment (no runtime folder, no display) say nothing
// about the chart; only its critical messages reach the user.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        Write(stderr, std::string(kProgram) + ": " + message.toStdString() + '\n');
}

int RunChart(const CommandLine& command, char* program)
{
    qInstallMessageHandler(QtMessages);
    // Only the chart needs the GUI library; it draws into an image, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt gets no arguments of ours: it would take some of them as its own.
    static int qtArgc = 1;
    static char* qtArgv[] = {program, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    // Qt sets the locale from the environment; the program's numbers are C-formatted.
    std::setlocale(LC_NUMERIC, "C");

    Session session;
    const Evaluation e = session.Evaluate(command.Files.front());
    ReportMessages(e);
    if (!e.Ok)
        return 1;

    QImage image(command.Width, command.Height, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintChart(painter, session.Chart(), command.Width, command.Height);
    }
    // Encoded in memory and written with every write checked: QImage::save does
    // not notice a full disk, and the name is used byte for byte as given.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    bool written = image.save(&buffer, "PNG");
    if (written) {
        std::FILE* out = std::fopen(command.Output.c_str(), "wb");
        written = out != nullptr;
        if (out != nullptr) {
            written = std::fwrite(png.constData(), 1, static_cast<size_t>(png.size()), out)
                == static_cast<size_t>(png.size());
            written = std::fclose(out) == 0 && written;
        }
    }
    if (!written) {
        Write(stderr, std::string(kProgram) + ": could not write " + command.Output + '\n');
        return 1;
    }
    return 0;
}

} // namespace
} // namespace eee

int main(int argc, char** argv)
{
    using namespace eee;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (!parsed.Command) {
        Write(stderr,
            std::string(kProgram) + ": " + parsed.Error + "\nTry '" + kProgram + " --help'.\n");
        return 2;
    }
    const CommandLine& command = *parsed.Command;
    switch (command.Kind) {
    case CommandKind::Help:
        Write(stdout, UsageText());
        return OutputStatus();
    case CommandKind::Version:
        Write(stdout, std::string(kProgram) + ' ' + kVersion + '\n');
        return OutputStatus();
    case CommandKind::Evaluate: {
        const int status = RunEvaluate(command);
        return std::max(status, OutputStatus());
    }
    case CommandKind::Chart:
        return RunChart(command, argv[0]);
    }
    return 2;
}
