// The Varn EEE Calculator: one window in which an engineer plans EEPROM
// emulation in a few blocks of on-chip flash.
#include "Application.h"
#include "StartOptions.h"
#include "common/Identity.h"

#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    using eee::StartOptions;
    // The names and version the settings, the help and the About box use.
    eee::ApplyIdentity();
    {
        // Help, version and usage errors are answered before the window system
        // starts, so that they work in a terminal without a display.
        StartOptions options(StartOptions::Arguments(argc, argv));
        switch (options.What()) {
        case StartOptions::Outcome::Help: {
            // The usage line names the command, not the path it was started by.
            char name[] = "varn-eee-calc";
            std::vector<char*> args(argv, argv + argc);
            args[0] = name;
            args.push_back(nullptr);
            QCoreApplication core(argc, args.data());
            options.ShowHelp(core);
        }
        case StartOptions::Outcome::Version:
            std::fputs(qPrintable(StartOptions::VersionText()), stdout);
            return 0;
        case StartOptions::Outcome::UsageError:
            if (options.MayHoldQtOptions())
                break; // the application takes out its own options and reads the rest again
            std::fputs(qPrintable(options.ErrorText()), stderr);
            return 2;
        case StartOptions::Outcome::Start:
            break;
        }
    }
    eee::Application app(argc, argv);
    return app.Run();
}
