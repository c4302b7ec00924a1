// The program's data files and the form started as the window starts it, for
// the commands that evaluate session files.
#pragma once

#include "cli/Evaluator.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"

#include <memory>
#include <optional>
#include <string>

namespace eee {

// A file name made absolute against the working folder, not normalised: "link/.."
// must go where the link leads, as the system resolves it. Nothing, with the
// reason in error, when the working folder cannot be found (it was deleted):
// the bare name would otherwise be taken for a file of the program's folder.
std::optional<std::string> AbsoluteFileName(const std::string& file, std::string& error);

class Calculator
{
public:
    // Reads the catalogue and Defaults.xml of the program's folder; start-up
    // messages (a broken catalogue, for instance) go to the error stream.
    Calculator();
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    std::string DefaultsPath() const;

    // Loads the session file as File > Load Session does; the result names
    // the file as the user named it.
    Evaluation Evaluate(const std::string& file);

    // The chart as the last evaluation left it.
    ChartModel& Chart() { return m_evaluator->Chart(); }

    // For commands that work on the form itself after a load (advise): the evaluator
    // and the catalogue it reads.
    Evaluator& Engine() { return *m_evaluator; }
    IDataSource& DataSource() { return m_cache; }

private:
    FileAccess m_files;
    FileDataSource m_source;
    CachingDataSource m_cache;
    std::unique_ptr<Evaluator> m_evaluator;
};

} // namespace eee
