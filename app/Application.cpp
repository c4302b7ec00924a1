#include "Application.h"

#include "Dialogs.h"
#include "Look.h"
#include "MainWindow.h"
#include "StartOptions.h"

#include "common/Identity.h"

#include <QIcon>
#include <cstdio>

namespace eee {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    ApplyLook(*this);
    ApplyIdentity();
    setWindowIcon(QIcon(":/res/varn-eee-calc.png"));
}

int Application::Run()
{
    StartOptions options(arguments());
    switch (options.What()) {
    case StartOptions::Outcome::UsageError:
        std::fputs(qPrintable(options.ErrorText()), stderr);
        return 2;
    case StartOptions::Outcome::Help:
        options.ShowHelp(*this);
    case StartOptions::Outcome::Version:
        std::fputs(qPrintable(StartOptions::VersionText()), stdout);
        return 0;
    case StartOptions::Outcome::Start:
        break;
    }

    QtDialogs dialogs;
    MainWindow window(dialogs);
    if (!options.SessionFile().isEmpty())
        window.LoadSessionWhenShown(options.SessionFile());
    window.exec();
    return 0;
}

} // namespace eee
