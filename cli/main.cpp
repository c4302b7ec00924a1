// eee-calc-cli: evaluates session files of the Varn EEE Calculator without a
// window, and draws the spec envelope chart of an evaluation to a PNG image.

#include "calc/Types.h"
#include "chart/ChartPainter.h"
#include "cli/CommandLine.h"
#include "cli/Evaluator.h"
#include "cli/Json.h"
#include "cli/Report.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMessageLogContext>
#include <QPainter>
#include <QString>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifndef EEE_VERSION
#define EEE_VERSION "0.0.0"
#endif

namespace eee {
namespace {

constexpr const char* kProgram = "eee-calc-cli";

void Write(std::FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

// A file name as the user gave it, made absolute: the catalogue reader takes
// a bare name for a file of the program's own folder.
std::string FullPath(const std::string& file)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (error)
        return file;
    return absolute.lexically_normal().string();
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

    CEEEChartModel& Chart() { return m_evaluator->Chart(); }

private:
    CFileAccess m_files;
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
    if (!image.save(QString::fromStdString(command.Output), "PNG")) {
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
        return 0;
    case CommandKind::Version:
        Write(stdout, std::string(kProgram) + ' ' + EEE_VERSION + '\n');
        return 0;
    case CommandKind::Evaluate:
        return RunEvaluate(command);
    case CommandKind::Chart:
        return RunChart(command, argv[0]);
    }
    return 2;
}
