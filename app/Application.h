#pragma once

#include <QApplication>

namespace eee {

// Prepares the platform, runs the main window until it closes, and ends.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    int Run();
};

} // namespace eee
