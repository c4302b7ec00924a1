#pragma once

#include <QApplication>

namespace eee {

// Prepares the platform, runs the main window until it closes, and ends.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    // The names and version the settings, the help and the About box use;
    // they can be given before the application object exists.
    static void SetIdentity();
    // Opens the window; with a session file on the command line, the window
    // loads it once it is up. Returns the exit status.
    int Run();
};

} // namespace eee
