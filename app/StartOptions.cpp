#include "StartOptions.h"

#include "Version.h"

#include <QFileInfo>

namespace eee {

namespace {
constexpr const char* kProgram = "varn-eee-calc";
} // namespace

StartOptions::StartOptions(const QStringList& arguments)
{
    m_parser.setApplicationDescription(
        "Plans EEPROM emulation in the flash of the Varn family: the window of the Varn EEE "
        "Calculator.\nStarted with a session file, it opens with the delivered defaults and then "
        "loads the file as File > Load Session does.");
    const QCommandLineOption help = m_parser.addHelpOption();
    const QCommandLineOption version = m_parser.addVersionOption();
    m_parser.addPositionalArgument(
        "FILE", "A session file (.xml) to load after start-up.", "[FILE]");

    if (!m_parser.parse(arguments)) {
        m_outcome = Outcome::UsageError;
        m_error = m_parser.errorText();
        m_unknownOption = true;
    } else if (m_parser.isSet(help) || m_parser.isSet("help-all")) {
        m_outcome = Outcome::Help;
    } else if (m_parser.isSet(version)) {
        m_outcome = Outcome::Version;
    } else if (m_parser.positionalArguments().size() > 1) {
        m_outcome = Outcome::UsageError;
        m_error = "only one session file can be opened";
    } else if (m_parser.positionalArguments().size() == 1) {
        // The file dialog of Load Session gives a full path; so does the command line.
        m_sessionFile = QFileInfo(m_parser.positionalArguments().constFirst()).absoluteFilePath();
    }
}

void StartOptions::ShowHelp(const QCoreApplication& app)
{
    m_parser.process(app);
    m_parser.showHelp(0); // not reached: process() has shown the help and ended
}

QStringList StartOptions::Arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QString StartOptions::VersionText()
{
    return QStringLiteral("%1 %2\n").arg(kProgram, kVersion);
}

QString StartOptions::ErrorText() const
{
    return QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(kProgram, m_error);
}

} // namespace eee
