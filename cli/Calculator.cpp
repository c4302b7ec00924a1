#include "cli/Calculator.h"

#include "cli/Console.h"

#include <filesystem>

namespace eee {

std::optional<std::string> AbsoluteFileName(const std::string& file, std::string& error)
{
    // An empty name is left to the loader, which refuses it with its own message.
    if (file.empty())
        return file;
    std::error_code failure;
    const std::filesystem::path absolute = std::filesystem::absolute(file, failure);
    if (!failure)
        return absolute.string();
    error = "The relative file name " + file
        + " cannot be resolved: the working folder is not available (" + failure.message() + ").";
    return std::nullopt;
}

Calculator::Calculator()
    : m_source(m_files)
    , m_cache(m_source)
{
    SessionRecord defaults;
    std::string error;
    std::optional<SessionRecord> applied;
    if (m_files.ReadSession(defaults, "Defaults.xml", error))
        applied = std::move(defaults);
    m_evaluator = std::make_unique<Evaluator>(m_cache, applied);
    for (const FormMessage& message : m_evaluator->StartupMessages())
        Complain("start-up: " + message.Text);
}

std::string Calculator::DefaultsPath() const
{
    return m_files.ModuleFolder() + "/Defaults.xml";
}

Evaluation Calculator::Evaluate(const std::string& file)
{
    std::string error;
    const std::optional<std::string> path = AbsoluteFileName(file, error);
    if (!path) {
        Evaluation refused;
        refused.File = file;
        refused.Error = error;
        return refused;
    }
    return m_evaluator->Evaluate(file, *path);
}

} // namespace eee
