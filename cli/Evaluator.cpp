#include "cli/Evaluator.h"

#include "calc/BlockSize.h"
#include "calc/Schemes.h"

#include <algorithm>

namespace eee {

// HeadlessView

void HeadlessView::ShowMessage(const std::string& text, MsgIcon icon)
{
    m_messages.push_back(FormMessage {text, icon});
}

std::vector<FormMessage> HeadlessView::TakeMessages()
{
    std::vector<FormMessage> messages;
    messages.swap(m_messages);
    return messages;
}

// CachingDataSource

void CachingDataSource::ReadSchemeList(std::string& errorText, std::vector<std::string>& names)
{
    if (!m_names) {
        std::vector<std::string> read;
        std::string error;
        m_source.ReadSchemeList(error, read);
        if (!error.empty() || read.empty()) {
            errorText = error;
            names.insert(names.end(), read.begin(), read.end());
            return;
        }
        m_names = std::move(read);
    }
    errorText.clear();
    names.insert(names.end(), m_names->begin(), m_names->end());
}

std::string CachingDataSource::ReadBlockInfo(const std::string& scheme, std::string& errorText,
    std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention)
{
    const auto found = m_schemes.find(scheme);
    if (found == m_schemes.end()) {
        // The outputs are written through to the caller, so that a failed read
        // leaves exactly what the catalogue reader left.
        std::vector<BlockInfo> read;
        m_source.ReadBlockInfo(scheme, errorText, read, recordAlignment, dataRetention);
        blocks.insert(blocks.end(), read.begin(), read.end());
        if (!errorText.empty() || read.empty())
            return errorText;
        m_schemes.emplace(scheme, SchemeInfo {std::move(read), recordAlignment, dataRetention});
        return errorText;
    }
    errorText.clear();
    const SchemeInfo& info = found->second;
    blocks.insert(blocks.end(), info.Blocks.begin(), info.Blocks.end());
    recordAlignment = info.RecordAlignment;
    dataRetention = info.DataRetention;
    return errorText;
}

// Evaluator

Evaluator::Evaluator(IDataSource& data, const std::optional<SessionRecord>& defaults)
    : m_model(data, m_view, m_chart)
{
    m_model.Startup(defaults);
    m_startupMessages = m_view.TakeMessages();
    m_startState = m_model.State();
    m_startChart = m_chart;
}

Evaluation Evaluator::Evaluate(const std::string& displayName, const std::string& fullPath)
{
    // Every file starts from the form as the start-up left it.
    m_model.State() = m_startState;
    m_chart = m_startChart;
    m_view.TakeMessages();

    const int before = m_model.State().Calculations;
    m_view.SetOpenFileName(fullPath);
    m_model.LoadSessionCommand();
    m_view.SetOpenFileName(std::nullopt);

    Evaluation result;
    const bool ok = m_model.State().Calculations > before;
    if (ok)
        result = Collect(displayName);
    result.File = displayName;
    result.Ok = ok;

    // Success notes are not reported; warnings and errors are, and when the file
    // was rejected the last of them is the reason.
    std::vector<std::string> reported;
    for (FormMessage& message : m_view.TakeMessages()) {
        if (message.Icon != MsgIcon::Information)
            reported.push_back(std::move(message.Text));
    }
    if (!ok) {
        if (!reported.empty()) {
            result.Error = std::move(reported.back());
            reported.pop_back();
        } else {
            result.Error = "File " + fullPath + " could not be evaluated.";
        }
    }
    result.Warnings = std::move(reported);
    return result;
}

Evaluation Evaluator::Collect(const std::string& displayName) const
{
    const FormState& s = m_model.State();
    const CalcInputs& in = s.In;
    const CalcResults& out = s.Out;

    Evaluation e;
    e.File = displayName;
    e.Scheme = s.SchemeList.SelectedText();
    e.LifeTime = in.LifeTime;
    const int blocks = std::clamp(in.BlocksSelected, 0, kMaxBlocks);
    for (int k = 0; k < blocks; ++k) {
        const std::string text = s.BlockLists[static_cast<size_t>(k)].SelectedText();
        e.BlockBytes.push_back(BlockSizeBytes(text));
        e.Blocks.push_back(text);
    }
    const int types = std::clamp(in.DataTypeCount, 0, kMaxDataTypes);
    for (size_t i = 0; i < static_cast<size_t>(types); ++i) {
        DataTypeResult t;
        t.DataSize = in.DataSize[i];
        t.Updates = in.Updates[i];
        t.Records = in.Records[i];
        t.Daily = in.Frequency[i] != 0;
        t.CustomOverhead = in.CusOverhead[i];
        t.RecordOverhead = in.RecordOverhead[i];
        e.DataTypes.push_back(t);
    }
    e.CustomOverheadEnabled = in.CusOverheadEn;
    e.BlockOverhead = in.CusOverheadEn ? in.BlockOverhead : BlockHeaderOverhead(in.Scheme);

    e.TotalUserDataBytes = out.TotalUserDataBytes;
    e.TotalOverhead = out.TotalOverhead;
    e.TotalBytes = out.TotalBytes;
    e.FlashUsedBytes = out.FlashUsedBytes;
    e.FlashUsedText = s.FlashUsedLine;
    e.LifetimeUpdates = out.LifetimeUpdates;
    e.LifetimeUpdatesText = s.LifetimeUpdatesText;
    e.MaxUpdateRequirement = out.MaxUpdateRequirement;
    e.MaxUpdateRequirementText = s.Fields.MaxUpdateRequirement;
    e.FlashCycles = out.FlashCycles;
    e.FlashCyclesText = s.Fields.FlashCycles;
    // With 0 cycles no interval is computed; the field would still show an
    // earlier file's value, which says nothing about this one.
    if (out.FlashCycles != 0.0) {
        e.RefreshIntervalDays = out.RefreshIntervalDays;
        e.RefreshIntervalText = s.RefreshIntervalText;
    }
    // The lines the window writes when its chart has repainted after this calculation.
    e.InSpecYears = s.LastResult.InSpecYears;
    const VerdictTexts verdict
        = MakeVerdict(in.LifeTime, out.FlashCycles, in.CyclesLimit, e.InSpecYears);
    e.Verdict = {verdict.First, verdict.Second, verdict.Lifetime};
    e.LifeTimeText = s.Fields.LifeTime;
    e.TotalUserDataBytesText = s.Fields.TotalUserDataBytes;
    e.TotalOverheadText = s.Fields.TotalOverhead;
    e.TotalBytesText = s.Fields.TotalBytes;
    e.Config = s.LastConfig;
    e.Result = s.LastResult;
    return e;
}

std::optional<EvalConfig> Evaluator::FormConfig()
{
    const bool read = m_model.ReadForm();
    // Reading again says nothing new: its messages were reported with the evaluation.
    m_view.TakeMessages();
    if (!read)
        return std::nullopt;
    EvalConfig config = m_model.Calc().CurrentConfig();
    config.BlockCount = m_model.GetBlockCount();
    return config;
}

} // namespace eee
