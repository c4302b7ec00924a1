#include "Application.h"

#include "Dialogs.h"
#include "Look.h"
#include "MainWindow.h"

#include "Version.h"

#include <QIcon>

namespace eee {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    ApplyLook(*this);
    setOrganizationName("Corvant");
    setApplicationName("Varn EEE-CALC");
    setApplicationVersion(kVersion);
    setWindowIcon(QIcon(":/res/varn-eee-calc.png"));
}

int Application::Run()
{
    QtDialogs dialogs;
    MainWindow window(dialogs);
    window.exec();
    return 0;
}

} // namespace eee
