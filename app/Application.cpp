#include "Application.h"

#include "Dialogs.h"
#include "Look.h"
#include "MainWindow.h"

#include <QIcon>

namespace eee {

CVarn_EEECalcApp::CVarn_EEECalcApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    ApplyLook(*this);
    setOrganizationName("Corvant");
    setApplicationName("Varn EEE-CALC");
    setApplicationVersion("0.5.4");
    setWindowIcon(QIcon(":/res/varn-eee-calc.png"));
}

int CVarn_EEECalcApp::Run()
{
    QtDialogs dialogs;
    CVarn_EEECalcDlg window(dialogs);
    window.exec();
    return 0;
}

} // namespace eee
