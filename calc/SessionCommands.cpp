#include "SessionCommands.h"

#include "Format.h"

#include <algorithm>
#include <optional>

namespace eee {

SessionCommands::SessionCommands(
    Form& form, FormBehaviour& behaviour, Calculation& calculation, IDataSource& data)
    : m_form(form)
    , m_behaviour(behaviour)
    , m_calculation(calculation)
    , m_data(data)
{ }

bool SessionCommands::ApplySessionData(const SessionRecord& record, std::string& errorText)
{
    FormState& s = m_form.State();
    const double lifeTime = record.LifeTime;
    if (!(lifeTime >= 0.1 && lifeTime <= 99)) {
        errorText = "Invalid Life time. Please select a value between 0.1 and 99, both inclusive";
        return false;
    }
    if (record.BlocksSelected < 2 || record.BlocksSelected > kMaxBlocks) {
        errorText
            = "Invalid number of blocks. Please select a value between 2 and 6, both inclusive";
        return false;
    }
    if (!m_behaviour.SelectScheme(record.Scheme)) {
        m_form.View().ShowMessage(
            Format("Unable to select Scheme '%s'.", record.Scheme.c_str()), MsgIcon::Error);
        errorText.clear();
        return false;
    }
    m_behaviour.SetBlockCount(record.BlocksSelected);
    for (int k = 0; k < record.BlocksSelected; ++k) {
        const std::string& text = record.BlockSize[static_cast<size_t>(k)];
        if (!s.BlockLists[k].SelectPrefix(text))
            m_form.View().ShowMessage(
                Format("Unable to select block size '%s' at index '%d'.", text.c_str(), k),
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

void SessionCommands::SaveSessionCommand()
{
    m_calculation.RunCalculation();
    const int blockCount = m_form.GetBlockCount();
    if (!m_calculation.CheckBlockSizes() || !m_form.ReadForm())
        return;
    const SessionRecord record = RecordFromForm(blockCount);

    const std::optional<std::string> path = m_form.View().AskSaveFileName();
    if (!path)
        return;
    std::string error;
    const std::string name = FileNameOf(*path);
    if (m_data.WriteSession(record, *path, error))
        m_form.View().ShowMessage(
            Format("File %s saved succesfully!", name.c_str()), MsgIcon::Information);
    else
        m_form.View().ShowMessage(
            Format("File %s could not be saved!\n%s", name.c_str(), error.c_str()), MsgIcon::Error);
}

bool SessionCommands::LoadRecord(const SessionRecord& record, std::string& errorText)
{
    if (!ApplySessionData(record, errorText))
        return false;
    if (m_calculation.CheckBlockSizes() && m_form.ReadForm())
        m_calculation.ComputeEndurance();
    return true;
}

void SessionCommands::LoadSessionCommand()
{
    m_form.ReadForm();
    const std::optional<std::string> path = m_form.View().AskOpenFileName();
    if (!path)
        return;
    // The chosen file is read where it is, with the schema of the module folder.
    SessionRecord record;
    std::string error;
    if (m_data.ReadSession(record, *path, error) && LoadRecord(record, error)) {
        m_form.View().ShowMessage(
            Format("File %s loaded successfully!", path->c_str()), MsgIcon::Information);
    } else {
        m_form.View().ShowMessage(
            Format("File %s loading failed!\n%s", path->c_str(), error.c_str()), MsgIcon::Error);
    }
}

void SessionCommands::RestoreDefaultCommand()
{
    FormState& s = m_form.State();
    m_form.ReadForm();
    SessionRecord record;
    std::string error;
    if (!m_data.ReadSession(record, "Defaults.xml", error)) {
        m_form.View().ShowMessage(
            Format("Defaults File %s could not be loaded!\n%s", "Defaults.xml", error.c_str()),
            MsgIcon::Error);
    } else if (!LoadRecord(record, error)) {
        m_form.View().ShowMessage(
            Format("Default values could not be restored!\n%s", error.c_str()), MsgIcon::Error);
    }
    s.SubmitEnabled = true;
}

} // namespace eee
