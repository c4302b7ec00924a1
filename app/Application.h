#pragma once

#include <QApplication>

namespace eee {

// Prepares the platform, runs the main window until it closes, and ends.
class Application : public QApplication
{
    Q_OBJECT
public:
    // Takes the program's identity (common/Identity.h) for its settings.
    Application(int& argc, char** argv);
    // Opens the window; with a session file on the command line, the window
    // loads it once it is up. Returns the exit status.
    int Run();
};

} // namespace eee
