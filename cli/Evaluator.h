// Evaluation of session files without a window: each file goes through the one
// session loader (the form's File > Load Session), and an Evaluation is what the
// command line shows of its outcome.
#pragma once

#include "calc/Evaluate.h"
#include "calc/Types.h"
#include "form/SessionLoader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace eee {

struct DataTypeResult
{
    int32_t DataSize = 0;
    int64_t Updates = 0;
    int32_t Records = 0;
    bool Daily = false;
    int32_t CustomOverhead = 0;
    int32_t RecordOverhead = 0;
};

// The outcome of one session file.
struct Evaluation
{
    std::string File; // as the caller named it
    bool Ok = false; // results were computed
    std::string Error; // when not ok: the message that stopped the evaluation
    std::vector<std::string> Warnings; // messages that did not stop it
    std::string Reason; // a plain reason of the program's own where Error gives none
    LoadStop Stop = LoadStop::None; // what stopped it

    // The inputs the calculation ran with.
    std::string Scheme;
    float LifeTime = 0.0f;
    std::vector<std::string> Blocks; // selected block size texts
    std::vector<int64_t> BlockBytes;
    std::vector<DataTypeResult> DataTypes;
    bool CustomOverheadEnabled = false;
    int64_t BlockOverhead = 0; // per block, as the calculation used it

    // The results and the texts the window shows for them.
    int64_t TotalUserDataBytes = 0;
    int64_t TotalOverhead = 0;
    int64_t TotalBytes = 0;
    int64_t FlashUsedBytes = 0;
    std::string FlashUsedText;
    double LifetimeUpdates = 0.0;
    std::string LifetimeUpdatesText;
    double MaxUpdateRequirement = 0.0;
    std::string MaxUpdateRequirementText;
    double FlashCycles = 0.0;
    std::string FlashCyclesText;
    std::optional<double> RefreshIntervalDays; // none when the cycles are 0
    std::optional<std::string> RefreshIntervalText;
    float InSpecYears = 0.0f;
    std::array<std::string, 3> Verdict; // verdict line, recommendation, lifetime note
    std::string LifeTimeText;
    std::string TotalUserDataBytesText;
    std::string TotalOverheadText;
    std::string TotalBytesText;

    // The configuration and every number of the calculation, for the breakdown.
    EvalConfig Config;
    EvalResult Result;
};

// What the command line shows of one load's outcome: the engine's numbers and the
// texts the window shows for them.
Evaluation MakeEvaluation(const std::string& displayName, const LoadOutcome& outcome);

// The session loader with the command line's view of its outcomes.
class Evaluator
{
public:
    // defaults: the record read from Defaults.xml, or nothing when it could not be read.
    Evaluator(IDataSource& data, const std::optional<SessionRecord>& defaults)
        : m_loader(data, defaults)
    { }

    const std::vector<FormMessage>& StartupMessages() const { return m_loader.StartupMessages(); }

    // Loads the session file at fullPath as File > Load Session does. displayName
    // is what the result names the file by.
    Evaluation Evaluate(const std::string& displayName, const std::string& fullPath)
    {
        return MakeEvaluation(displayName, m_loader.Load(fullPath));
    }

    std::optional<EvalConfig> FormConfig() { return m_loader.FormConfig(); }
    const FormState& State() const { return m_loader.State(); }
    ChartModel& Chart() { return m_loader.Chart(); }

private:
    SessionLoader m_loader;
};

} // namespace eee
