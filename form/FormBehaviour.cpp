#include "form/FormBehaviour.h"

#include "calc/BlockSize.h"
#include "calc/Format.h"
#include "calc/Schemes.h"

#include <algorithm>

namespace eee {

namespace {
constexpr std::array<const char*, kMaxDataTypes> kDataSizeTexts {
    "512", "256", "128", "64", "32", "16"};
constexpr std::array<const char*, kMaxDataTypes> kUpdatesTexts {
    "10", "20", "30", "40", "50", "100"};

} // namespace

FormBehaviour::FormBehaviour(
    Form& form, Calculation& calculation, IDataSource& data, ChartModel& chart)
    : m_form(form)
    , m_calculation(calculation)
    , m_data(data)
    , m_chart(chart)
{ }

// The user's actions

void FormBehaviour::UserSelectScheme(int index)
{
    FormState& s = m_form.State();
    if (index < 0 || index >= static_cast<int>(s.SchemeList.Entries.size()))
        return;
    s.SchemeList.Selected = index;
    OnSchemeChanged();
}

void FormBehaviour::UserSelectBlockCount(int index)
{
    FormState& s = m_form.State();
    if (index < 0 || index >= static_cast<int>(s.BlockCountList.Entries.size()))
        return;
    s.BlockCountList.Selected = index;
    OnBlockCountChanged();
}

void FormBehaviour::UserSelectBlockSize(int block, int index)
{
    FormState& s = m_form.State();
    if (block < 0 || block >= kMaxBlocks)
        return;
    ComboState& list = s.BlockLists[static_cast<size_t>(block)];
    if (index < 0 || index >= static_cast<int>(list.Entries.size()))
        return;
    list.Selected = index;
    OnBlockSizeChanged();
}

void FormBehaviour::UserSelectDataTypes(int index)
{
    FormState& s = m_form.State();
    if (index < 0 || index >= static_cast<int>(s.DataTypesList.Entries.size()))
        return;
    s.DataTypesList.Selected = index;
    OnDataTypesChanged();
}

void FormBehaviour::UserSetCustomizeOverhead(bool checked)
{
    FormState& s = m_form.State();
    s.CusOverheadChecked = checked;
    OnCustomizeOverhead();
}

void FormBehaviour::UserEditText(FieldId field, const std::string& text)
{
    SetText(field, text);
}

void FormBehaviour::UserClickFrequency(int row, bool daily)
{
    FormState& s = m_form.State();
    if (row < 0 || row >= kMaxDataTypes)
        return;
    s.Fields.Frequency[static_cast<size_t>(row)] = daily ? 1 : 0;
    OnFrequencyClicked(row);
}

void FormBehaviour::SetText(FieldId field, const std::string& text)
{
    FormState& s = m_form.State();
    s.Fields.Text(field) = text;
    if (field.Kind == FieldKind::LifeTime)
        OnLifeTimeChanged();
    else if (field.Kind == FieldKind::DataSize && field.Row == 0)
        OnDataSize1Changed();
}

bool FormBehaviour::SelectScheme(const std::string& name)
{
    FormState& s = m_form.State();
    s.SchemeList.SelectPrefix(name);
    if (m_form.GetSelectedScheme() != name)
        return false;
    OnSchemeChanged();
    return true;
}

bool FormBehaviour::SetBlockCount(int n)
{
    FormState& s = m_form.State();
    const int index = n - 2;
    s.BlockCountList.Selected
        = index >= 0 && index < static_cast<int>(s.BlockCountList.Entries.size()) ? index : -1;
    if (m_form.GetBlockCount() != n)
        return false;
    m_form.ReadForm();
    ShowBlockSizeCombos(n);
    s.SubmitEnabled = true;
    return true;
}

void FormBehaviour::ShowBlockSizeCombos(int n)
{
    FormState& s = m_form.State();
    m_form.ReadForm();
    for (int k = 0; k < kMaxBlocks; ++k)
        s.BlockListVisible[k] = k < n;
    m_form.WriteForm();
}

bool FormBehaviour::LoadBlocks(const std::string& scheme, std::string& errorText)
{
    FormState& s = m_form.State();
    if (scheme.empty())
        return false;
    std::vector<BlockInfo> blocks;
    std::string reason;
    m_data.ReadBlockInfo(scheme, reason, blocks, s.In.RecordAlignment, s.DataRetention);
    if (!reason.empty() || blocks.empty()) {
        errorText = Format("Error reading block information for scheme %s because %s",
            scheme.c_str(), reason.c_str());
        return false;
    }
    // The form has six block size lists; a scheme never offers more sizes than that.
    std::stable_sort(blocks.begin(), blocks.end(),
        [](const BlockInfo& a, const BlockInfo& b) { return a.Index < b.Index; });
    if (blocks.size() > static_cast<size_t>(kMaxBlocks))
        blocks.resize(kMaxBlocks);
    std::vector<std::string> texts;
    for (auto& block : blocks) {
        texts.push_back(block.SizeText);
        block.Size = BlockSizeBytes(block.SizeText);
    }
    s.Blocks = std::move(blocks);
    FillBlockSizeCombos(texts, m_form.GetBlockCount());
    m_chart.SetRetentionAxis(s.DataRetention);
    return true;
}

void FormBehaviour::FillBlockSizeCombos(const std::vector<std::string>& texts, int n)
{
    FormState& s = m_form.State();
    m_form.ReadForm();
    ShowBlockSizeCombos(n);
    for (auto& list : s.BlockLists) {
        list.Clear();
        for (const auto& text : texts)
            list.Add(text);
        list.Selected = list.Entries.empty() ? -1 : 0;
    }
    m_form.ReadForm();
    for (int k = 0; k < kMaxBlocks; ++k)
        s.BlockListVisible[k] = k < n;
    m_form.WriteForm();
    s.SubmitEnabled = true;
}

void FormBehaviour::ShowOverheadColumn(int n)
{
    FormState& s = m_form.State();
    if (n != 0) {
        s.OverheadColumnVisible = true;
        for (int k = 0; k < kMaxDataTypes; ++k)
            s.OverheadFieldVisible[k] = k < n;
    } else {
        HideOverheadColumn();
    }
    s.SubmitEnabled = true;
}

void FormBehaviour::HideOverheadColumn()
{
    FormState& s = m_form.State();
    s.OverheadColumnVisible = false;
    s.OverheadFieldVisible.fill(false);
}

void FormBehaviour::SetSchemeToolTip()
{
    FormState& s = m_form.State();
    const std::string_view description = SchemeDescription(m_form.GetSelectedScheme());
    if (!description.empty())
        s.SchemeToolTip = std::string(description);
}

void FormBehaviour::OnSchemeChanged()
{
    FormState& s = m_form.State();
    m_form.ReadForm();
    SetBlockCount(2);
    for (auto& list : s.BlockLists)
        list.Selected = list.Entries.empty() ? -1 : 0;
    s.SubmitEnabled = true;

    std::string error;
    if (!LoadBlocks(m_form.GetSelectedScheme(), error) && !error.empty())
        m_form.Tell(error, MsgIcon::Error);

    s.In.LifeTime = 20.0f;
    s.In.CyclesLimit = kCyclesLimit;
    m_chart.SetCyclesLimit(kCyclesLimit);
    SetText(FieldId {FieldKind::LifeTime}, "20");
    s.Fields.Frequency.fill(0);

    const bool fixedLength = IsFixedLengthScheme(m_form.GetSelectedScheme());
    for (int row = 0; row < kMaxDataTypes; ++row)
        SetText(FieldId {FieldKind::DataSize, row},
            fixedLength ? "8" : kDataSizeTexts[static_cast<size_t>(row)]);
    for (int row = 1; row < kMaxDataTypes; ++row)
        s.DataSizeEnabled[row] = !fixedLength;
    s.DataSizeEnabled[0] = true;

    for (int row = 0; row < kMaxDataTypes; ++row) {
        SetText(FieldId {FieldKind::Updates, row}, kUpdatesTexts[static_cast<size_t>(row)]);
        SetText(FieldId {FieldKind::Records, row}, "8");
    }
    SetText(FieldId {FieldKind::BlockOverhead}, "0");
    for (int row = 0; row < kMaxDataTypes; ++row)
        SetText(FieldId {FieldKind::Overhead, row}, "0");

    s.DataTypesList.Selected = s.DataTypesList.FindPrefix("6");
    OnDataTypesChanged();
    SetSchemeToolTip();
    if (m_calculation.CheckBlockSizes())
        s.SubmitEnabled = true;
    m_form.WriteForm();
}

void FormBehaviour::OnBlockCountChanged()
{
    FormState& s = m_form.State();
    const int n = m_form.GetBlockCount();
    m_form.ReadForm();
    ShowBlockSizeCombos(n);
    s.SubmitEnabled = true;
}

void FormBehaviour::OnBlockSizeChanged()
{
    FormState& s = m_form.State();
    s.SubmitEnabled = true;
}

void FormBehaviour::OnDataTypesChanged()
{
    FormState& s = m_form.State();
    const int n = std::clamp(m_form.GetDataTypeSelection(), 0, kMaxDataTypes);
    const int shown = std::clamp(s.In.DataTypeCount, 0, kMaxDataTypes);
    for (int row = shown; row < n; ++row)
        s.RowVisible[row] = true;
    for (int row = n; row < shown; ++row)
        s.RowVisible[row] = false;

    if (s.CusOverheadChecked) {
        ShowOverheadColumn(n);
    } else {
        HideOverheadColumn();
        s.SubmitEnabled = true;
    }
    s.In.DataTypeCount = n;
    s.TotalsBelowRow = std::max(n, 1);
    m_calculation.ComputeSizes();
    s.SubmitEnabled = true;
}

void FormBehaviour::OnCustomizeOverhead()
{
    FormState& s = m_form.State();
    ShowOverheadColumn(s.CusOverheadChecked ? m_form.GetDataTypeSelection() : 0);
}

void FormBehaviour::OnInputFocus(FieldId)
{
    FormState& s = m_form.State();
    if (m_form.NotificationsIgnored())
        return;
    if (s.In.ReadyFlag && m_form.ReadForm()) {
        m_calculation.ComputeSizes();
        s.SubmitEnabled = true;
    }
}

void FormBehaviour::OnFrequencyClicked(int)
{
    FormState& s = m_form.State();
    if (m_form.NotificationsIgnored())
        return;
    if (m_form.ReadForm())
        s.SubmitEnabled = true;
}

void FormBehaviour::OnLifeTimeChanged()
{
    FormState& s = m_form.State();
    if (m_form.NotificationsIgnored())
        return;
    if (!s.Fields.LifeTime.empty() && m_form.ReadForm())
        s.SubmitEnabled = true;
}

void FormBehaviour::OnDataSize1Changed()
{
    FormState& s = m_form.State();
    if (m_form.NotificationsIgnored())
        return;
    // In a fixed-length scheme every data type has the size of the first one.
    if (IsFixedLengthScheme(m_form.GetSelectedScheme())) {
        for (int row = 1; row < kMaxDataTypes; ++row)
            s.Fields.DataSize[static_cast<size_t>(row)] = s.Fields.DataSize[0];
    }
}

} // namespace eee
