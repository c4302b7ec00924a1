// eee-calc-cli: evaluates session files of the Varn EEE Calculator without a
// window, and draws the envelope chart of an evaluation to a PNG image. The
// commands are listed in Commands.cpp.

#include "Version.h"
#include "cli/Commands.h"
#include "cli/Console.h"

#include <algorithm>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace eee;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(AllCommands(), args);
    switch (parsed.What) {
    case Action::UsageError: {
        const std::string help
            = parsed.Chosen ? std::string(parsed.Chosen->Name) + " --help" : "--help";
        Complain(parsed.Error + "\nTry '" + kProgram + ' ' + help + "'.");
        return 2;
    }
    case Action::Help:
        Write(stdout,
            parsed.Chosen ? CommandHelp(*parsed.Chosen) : ProgramHelp(AllCommands(), kHelpFooter));
        return OutputStatus();
    case Action::Version:
        Write(stdout, std::string(kProgram) + ' ' + kVersion + '\n');
        return OutputStatus();
    case Action::Run: {
        const int status = parsed.Chosen->Run(*parsed.Options);
        return std::max(status, OutputStatus());
    }
    }
    return 2;
}
