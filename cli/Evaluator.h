// Evaluation of session files without a window: the form model is driven
// exactly as the window drives it for File > Load Session, and the results are
// the numbers of the Evaluate() that this load ran.
#pragma once

#include "calc/DataSource.h"
#include "calc/FormModel.h"
#include "calc/Types.h"
#include "chart/ChartModel.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace eee {

struct FormMessage
{
    std::string Text;
    MsgIcon Icon = MsgIcon::Information;
};

// A view that has no window: it remembers the messages and answers the open-file
// dialog with a path chosen beforehand. Repaints have nothing to paint.
class HeadlessView : public IFormView
{
public:
    void ShowMessage(const std::string& text, MsgIcon icon) override;
    void FocusField(FieldId) override { }
    void Invalidate() override { }
    std::optional<std::string> AskSaveFileName() override { return std::nullopt; }
    std::optional<std::string> AskOpenFileName() override { return m_openFileName; }

    void SetOpenFileName(std::optional<std::string> path) { m_openFileName = std::move(path); }
    // The messages shown since the last call.
    std::vector<FormMessage> TakeMessages();

private:
    std::vector<FormMessage> m_messages;
    std::optional<std::string> m_openFileName;
};

// Remembers the catalogue's answers, so that evaluating many files in a row
// does not read the catalogue again at every scheme change. Only complete
// answers are kept (no error, at least one block); any other answer is asked
// anew each time, because a failed read may leave some outputs unwritten.
class CachingDataSource : public IDataSource
{
public:
    explicit CachingDataSource(IDataSource& source)
        : m_source(source)
    { }
    void ReadSchemeList(std::string& errorText, std::vector<std::string>& names) override;
    std::string ReadBlockInfo(const std::string& scheme, std::string& errorText,
        std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention) override;
    bool ReadSession(
        SessionRecord& record, const std::string& fileName, std::string& errorText) override
    {
        return m_source.ReadSession(record, fileName, errorText);
    }
    bool WriteSession(
        const SessionRecord& record, const std::string& path, std::string& errorText) override
    {
        return m_source.WriteSession(record, path, errorText);
    }

private:
    struct SchemeInfo
    {
        std::vector<BlockInfo> Blocks;
        int32_t RecordAlignment = 0;
        bool DataRetention = false;
    };
    IDataSource& m_source;
    std::optional<std::vector<std::string>> m_names;
    std::map<std::string, SchemeInfo> m_schemes;
};

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

// Starts one form as the window does and evaluates any number of session files
// with it, each from the same start-up state.
class Evaluator
{
public:
    // defaults: the record read from Defaults.xml, or nothing when it could not be read.
    Evaluator(IDataSource& data, const std::optional<SessionRecord>& defaults);
    Evaluator(const Evaluator&) = delete;
    Evaluator& operator=(const Evaluator&) = delete;

    // Messages the start-up showed (a broken catalogue, for instance).
    const std::vector<FormMessage>& StartupMessages() const { return m_startupMessages; }

    // Loads the session file at fullPath as File > Load Session does. displayName
    // is what the result names the file by.
    Evaluation Evaluate(const std::string& displayName, const std::string& fullPath);

    // The configuration the form holds after the last evaluation, also when its
    // calculation stopped at the block fit check; nothing when the form's fields do
    // not read (a value out of range).
    std::optional<EvalConfig> FormConfig();

    // The form and the chart as the last evaluation left them.
    const FormState& State() const { return m_model.State(); }
    ChartModel& Chart() { return m_chart; }

private:
    Evaluation Collect(const std::string& displayName) const;

    HeadlessView m_view;
    ChartModel m_chart;
    FormModel m_model;
    FormState m_startState;
    ChartModel m_startChart;
    std::vector<FormMessage> m_startupMessages;
};

} // namespace eee
