#include "cli/OffscreenGui.h"

#include "cli/Console.h"

#include <QMessageLogContext>
#include <QString>

#include <clocale>
#include <string>

namespace eee {

namespace {

// Qt's notes about the environment (no runtime folder, no display) say nothing
// about the result; only its critical messages reach the user.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        Complain(message.toStdString());
}

// Qt keeps references to these for the application's lifetime. It gets none
// of the program's arguments: it would take some of them as its own.
int g_qtArgc = 1;
char g_qtProgram[] = "eee-calc-cli";
char* g_qtArgv[] = {g_qtProgram, nullptr};

} // namespace

OffscreenGui::OffscreenGui()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    qInstallMessageHandler(QtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    m_app = std::make_unique<QGuiApplication>(g_qtArgc, g_qtArgv);
    // Qt sets the locale from the environment; the program's numbers are C-formatted.
    std::setlocale(LC_NUMERIC, "C");
}

OffscreenGui::~OffscreenGui() = default;

} // namespace eee
