#pragma once

#include <QApplication>

namespace eee {

// Prepares the platform, runs the main window until it closes, and ends.
class CVarn_EEECalcApp : public QApplication
{
    Q_OBJECT
public:
    CVarn_EEECalcApp(int& argc, char** argv);
    int Run();
};

} // namespace eee
