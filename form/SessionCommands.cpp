#include "form/SessionCommands.h"

#include "calc/Format.h"
#include "calc/InputLimits.h"
#include "calc/Schemes.h"

#include <algorithm>
#include <optional>

namespace eee {

SessionCommands::SessionCommands(Form& form, FormBehaviour& behaviour, Calculation& calculation,
    IDataSource& data, ChartModel& chart)
    : m_form(form)
    , m_behaviour(behaviour)
    , m_calculation(calculation)
    , m_data(data)
    , m_chart(chart)
{ }

bool SessionCommands::ApplySessionData(const SessionRecord& record, std::string& errorText)
{
    FormState& s = m_form.State();
    const double lifeTime = record.LifeTime;
    if (!(lifeTime >= kSessionLifeTimeMin && lifeTime <= kSessionLifeTimeMax)) {
        errorText = kMsgSessionLifeTime;
        return false;
    }
    if (record.BlocksSelected < kBlockCountMin || record.BlocksSelected > kBlockCountMax) {
        errorText = kMsgSessionBlockCount;
        return false;
    }
    if (!m_behaviour.SelectScheme(record.Scheme)) {
        m_form.Tell(Format("Unable to select Scheme '%s'.", record.Scheme.c_str()), MsgIcon::Error);
        errorText.clear();
        return false;
    }
    m_behaviour.SetBlockCount(record.BlocksSelected);
    for (int k = 0; k < record.BlocksSelected; ++k) {
        const std::string& text = record.BlockSize[static_cast<size_t>(k)];
        if (!s.BlockLists[k].SelectPrefix(text))
            m_form.Tell(Format("Unable to select block size '%s' at index '%d'.", text.c_str(), k),
                MsgIcon::Error);
    }

    s.In.ReadyFlag = false;
    // The form has six data type rows; further rows of a session are left out.
    const int rows
        = static_cast<int>(std::min(record.DataTypes.size(), static_cast<size_t>(kMaxDataTypes)));
    for (int row = 0; row < rows; ++row) {
        const DataInfo& info = record.DataTypes[static_cast<size_t>(row)];
        m_behaviour.SetText(FieldId {FieldKind::DataSize, row}, Format("%d", info.DataSize));
        m_behaviour.SetText(FieldId {FieldKind::Updates, row}, Format("%d", info.Updates));
        m_behaviour.SetText(FieldId {FieldKind::Records, row}, Format("%d", info.Records));
        s.Fields.Frequency[static_cast<size_t>(row)] = info.Frequency != 0 ? 1 : 0;
    }
    if (record.CusOverheadEn) {
        s.CusOverheadChecked = true;
        m_behaviour.SetText(FieldId {FieldKind::BlockOverhead}, Format("%d", record.BlockOverhead));
        for (int row = 0; row < rows; ++row)
            m_behaviour.SetText(FieldId {FieldKind::Overhead, row},
                Format("%d", record.DataTypes[static_cast<size_t>(row)].CusOverhead));
        m_behaviour.ShowOverheadColumn(rows);
    } else {
        s.CusOverheadChecked = false;
        m_behaviour.ShowOverheadColumn(0);
    }
    m_behaviour.SetText(
        FieldId {FieldKind::LifeTime}, Format("%f", static_cast<double>(record.LifeTime)));
    s.In.ReadyFlag = true;

    s.DataTypesList.Selected
        = rows - 1 < static_cast<int>(s.DataTypesList.Entries.size()) ? rows - 1 : -1;
    m_behaviour.OnDataTypesChanged();
    m_form.WriteForm();
    return true;
}

SessionRecord SessionCommands::RecordFromForm(int blockCount) const
{
    const FormState& s = m_form.State();
    SessionRecord record;
    record.Scheme = m_form.GetSelectedScheme();
    record.LifeTime = s.In.LifeTime;
    const int blocks = std::clamp(blockCount, 0, kMaxBlocks);
    for (int k = 0; k < blocks; ++k)
        record.BlockSize[static_cast<size_t>(k)] = s.BlockLists[k].SelectedText();
    record.BlocksSelected = blockCount;
    record.CusOverheadEn = s.CusOverheadChecked;
    record.BlockOverhead = s.CusOverheadChecked ? LeadingInteger(s.Fields.BlockOverhead) : 0;
    const int rows = std::clamp(s.In.DataTypeCount, 0, kMaxDataTypes);
    for (size_t row = 0; row < static_cast<size_t>(rows); ++row) {
        DataInfo info;
        info.DataSize = LeadingInteger(s.Fields.DataSize[row]);
        info.Updates = LeadingInteger(s.Fields.Updates[row]);
        info.Records = LeadingInteger(s.Fields.Records[row]);
        info.Frequency = s.Fields.Frequency[row] != 0 ? 1 : 0;
        info.CusOverhead = s.CusOverheadChecked ? LeadingInteger(s.Fields.Overhead[row]) : 0;
        record.DataTypes.push_back(info);
    }
    return record;
}

std::optional<std::string> SessionCommands::SaveSessionCommand()
{
    m_calculation.RunCalculation();
    const int blockCount = m_form.GetBlockCount();
    if (!m_calculation.CheckBlockSizes() || !m_form.ReadForm())
        return std::nullopt;
    const SessionRecord record = RecordFromForm(blockCount);

    const std::optional<std::string> path = m_form.View().AskSaveFileName();
    if (!path)
        return std::nullopt;
    std::string error;
    const std::string name = FileNameOf(*path);
    if (!m_data.WriteSession(record, *path, error)) {
        m_form.Tell(
            Format("File %s could not be saved!\n%s", name.c_str(), error.c_str()), MsgIcon::Error);
        return std::nullopt;
    }
    m_form.Tell(Format("File %s saved succesfully!", name.c_str()), MsgIcon::Information);
    return path;
}

bool SessionCommands::LoadRecord(const SessionRecord& record, std::string& errorText)
{
    if (!ApplySessionData(record, errorText))
        return false;
    if (m_calculation.CheckBlockSizes() && m_form.ReadForm())
        m_calculation.Calculate();
    return true;
}

namespace {
// The session reader gives no reason when the root element is not the calculator's.
constexpr const char* kRootElementReason
    = "The root element must be SessionData with "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" as its first attribute and "
      "xsi:noNamespaceSchemaLocation=\"SessionData.xsd\" as its second, as the calculator "
      "writes it.";
} // namespace

LoadOutcome SessionCommands::LoadFile(const std::string& path)
{
    LoadOutcome outcome;
    m_form.OpenLog(&outcome.Messages);
    const FormState& s = m_form.State();
    const int before = s.Calculations;
    const auto stop = [&](LoadStatus status, LoadStop why) {
        outcome.Status = status;
        outcome.Stop = why;
    };

    SessionRecord record;
    std::string error;
    // What to go back to when the record or a field is refused half-way.
    const FormState formBefore = s;
    const ChartModel chartBefore = m_chart;
    if (!m_data.ReadSession(record, path, error)) {
        stop(LoadStatus::Unreadable, LoadStop::FileUnreadable);
    } else {
        const size_t shown = outcome.Messages.size();
        if (!ApplySessionData(record, error)) {
            // Only an unknown scheme is told before the refusal itself.
            stop(LoadStatus::Refused,
                outcome.Messages.size() > shown ? LoadStop::UnknownScheme : LoadStop::OutOfRange);
        } else if (!m_calculation.CheckBlockSizes()) {
            stop(LoadStatus::NotCalculated, LoadStop::BlocksTooSmall);
        } else if (!m_form.ReadForm()) {
            stop(LoadStatus::NotCalculated, LoadStop::FieldRule);
        } else if (!m_calculation.Calculate()) {
            stop(LoadStatus::NotCalculated, LoadStop::BlocksTooSmall);
        } else {
            stop(LoadStatus::Calculated, LoadStop::None);
        }
    }

    // The stopping message of a load the form took is the last it showed; a refused or
    // unreadable file is told by the announcement below.
    size_t warnings = outcome.Messages.size();
    if (outcome.Status == LoadStatus::NotCalculated)
        outcome.Error = outcome.Messages[--warnings].Text;
    for (size_t k = 0; k < warnings; ++k)
        outcome.Warnings.push_back(outcome.Messages[k].Text);
    if (outcome.Stop == LoadStop::UnknownScheme)
        outcome.Reason = "The scheme '" + record.Scheme
            + "' that the file names is not one of the schemes of the catalogue SchemeInfo.xml.";
    else if (outcome.Stop == LoadStop::FileUnreadable && error.empty())
        outcome.Reason = kRootElementReason;

    if (outcome.Status == LoadStatus::Refused || outcome.Stop == LoadStop::FieldRule) {
        m_form.State() = formBefore;
        m_chart = chartBefore;
    }
    if (outcome.Announced()) {
        m_form.Tell(Format("File %s loaded successfully!", path.c_str()), MsgIcon::Information);
    } else if (outcome.Stop == LoadStop::FieldRule) {
        // The field's own message stays what stopped it; the announcement says so.
        m_form.Tell(Format("File %s loading failed!\n%s", path.c_str(), outcome.Error.c_str()),
            MsgIcon::Error);
    } else {
        outcome.Error = Format("File %s loading failed!\n%s", path.c_str(), error.c_str());
        m_form.Tell(outcome.Error, MsgIcon::Error);
    }
    m_form.OpenLog(nullptr);

    if (outcome.Calculated() && s.Calculations > before) {
        outcome.Config = s.LastConfig;
        outcome.Result = s.LastResult;
        outcome.Scheme = m_form.GetSelectedScheme();
        const int blocks = std::clamp(s.LastConfig.BlockCount, 0, kMaxBlocks);
        for (int k = 0; k < blocks; ++k)
            outcome.BlockTexts.push_back(s.BlockLists[static_cast<size_t>(k)].SelectedText());
    }
    return outcome;
}

std::optional<LoadOutcome> SessionCommands::LoadSessionCommand()
{
    m_form.ReadForm();
    const std::optional<std::string> path = m_form.View().AskOpenFileName();
    if (!path)
        return std::nullopt;
    // The chosen file is read where it is, with the schema of the module folder.
    return LoadFile(*path);
}

void SessionCommands::RestoreDefaultCommand()
{
    FormState& s = m_form.State();
    m_form.ReadForm();
    SessionRecord record;
    std::string error;
    if (!m_data.ReadSession(record, "Defaults.xml", error)) {
        m_form.Tell(
            Format("Defaults File %s could not be loaded!\n%s", "Defaults.xml", error.c_str()),
            MsgIcon::Error);
    } else if (!LoadRecord(record, error)) {
        m_form.Tell(
            Format("Default values could not be restored!\n%s", error.c_str()), MsgIcon::Error);
    }
    s.SubmitEnabled = true;
}

SessionRecord RecordWithConfiguration(const SessionRecord& base, const std::string& scheme,
    const std::vector<std::string>& blockTexts)
{
    SessionRecord record = base;
    record.Scheme = scheme;
    record.BlockSize = {};
    const size_t count = std::min(blockTexts.size(), size_t {kMaxBlocks});
    for (size_t k = 0; k < count; ++k)
        record.BlockSize[k] = blockTexts[k];
    record.BlocksSelected = static_cast<int32_t>(count);
    if (IsFixedLengthScheme(scheme)) {
        int32_t largest = 0;
        const size_t rows = std::min(record.DataTypes.size(), size_t {kMaxDataTypes});
        for (size_t i = 0; i < rows; ++i)
            largest = std::max(largest, record.DataTypes[i].DataSize);
        for (DataInfo& info : record.DataTypes)
            info.DataSize = largest;
    }
    return record;
}

} // namespace eee
