// The window program's command line: varn-eee-calc [FILE], --help, --version.
// Read once before the window system starts (so that help and version need no
// display) and once after, when the application has taken out its own options.
#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace eee {

class StartOptions
{
public:
    enum class Outcome { Start, Help, Version, UsageError };

    // arguments: the whole command line, the program's name first.
    explicit StartOptions(const QStringList& arguments);
    static QStringList Arguments(int argc, char** argv);

    Outcome What() const { return m_outcome; }
    // An option the reader does not know may be one of Qt's own (-platform,
    // -style ...), which only the application object takes out.
    bool MayHoldQtOptions() const { return m_unknownOption; }
    // The session to load after start-up, as a full path; empty for none.
    const QString& SessionFile() const { return m_sessionFile; }

    // What the program prints for each outcome. The help needs an application
    // object, which names the program in its usage line.
    QString HelpText() const { return m_parser.helpText(); }
    // Prints the help (with --help-all also the options of Qt itself) and ends the program.
    [[noreturn]] void ShowHelp(const QCoreApplication& app);
    static QString VersionText();
    QString ErrorText() const;

private:
    QCommandLineParser m_parser;
    Outcome m_outcome = Outcome::Start;
    QString m_sessionFile;
    QString m_error;
    bool m_unknownOption = false;
};

} // namespace eee
