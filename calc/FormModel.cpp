#include "FormModel.h"

#include "BlockSize.h"
#include "Compute.h"
#include "Format.h"
#include "Schemes.h"

#include <algorithm>
#include <cctype>

namespace eee {

namespace {
constexpr std::array<const char*, kMaxDataTypes> kDataSizeTexts {
    "512", "256", "128", "64", "32", "16"};
constexpr std::array<const char*, kMaxDataTypes> kUpdatesTexts {
    "10", "20", "30", "40", "50", "100"};
constexpr ChartColor kInSpecColor {0, 255, 0};
constexpr ChartColor kOutOfSpecColor {255, 0, 0};
constexpr ChartColor kBackgroundColor {236, 233, 216};

int CompareNoCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i]))
            != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

FieldId Field(FieldKind kind, int row = 0)
{
    return FieldId {kind, row};
}
} // namespace

// ComboState

std::string ComboState::SelectedText() const
{
    if (Selected < 0 || Selected >= static_cast<int>(Entries.size()))
        return {};
    return Entries[static_cast<size_t>(Selected)];
}

void ComboState::Clear()
{
    Entries.clear();
    Selected = -1;
}

void ComboState::Add(const std::string& text)
{
    if (!Sorted) {
        Entries.push_back(text);
        return;
    }
    auto at = std::upper_bound(Entries.begin(), Entries.end(), text,
        [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
    const auto index = static_cast<int>(at - Entries.begin());
    Entries.insert(at, text);
    if (Selected >= index)
        ++Selected;
}

int ComboState::FindPrefix(const std::string& text) const
{
    for (size_t i = 0; i < Entries.size(); ++i) {
        if (StartsWithNoCase(Entries[i], text))
            return static_cast<int>(i);
    }
    return -1;
}

bool ComboState::SelectPrefix(const std::string& text)
{
    const int index = FindPrefix(text);
    if (index < 0)
        return false;
    Selected = index;
    return true;
}

// CFormModel

CFormModel::CFormModel(IDataSource& data, IFormView& view, ChartModel& chart)
    : m_data(data)
    , m_view(view)
    , m_chart(chart)
{
    // The form opens with the texts of the initial inputs.
    WriteFields(m_s.In, m_s.Out, m_s.Fields);
    for (auto& list : m_s.BlockLists)
        list.Sorted = true;
}

void CFormModel::Startup(const std::optional<SessionRecord>& defaults)
{
    WriteForm();
    m_chart.SetupChart(20.0f, 50.0, 0.0, "Application LifeTime (in years)",
        "Estimated Flash Cycles", kInSpecColor, kOutOfSpecColor, kBackgroundColor, kLifetimeLimit,
        m_s.In.CyclesLimit);

    m_s.Fields.Frequency.fill(0);
    m_s.DataTypesList.Clear();
    for (int i = 1; i <= kMaxDataTypes; ++i)
        m_s.DataTypesList.Add(Format("%d", i));
    m_s.DataTypesList.Selected = kMaxDataTypes - 1;
    m_s.BlockCountList.Clear();
    for (int i = 2; i <= kMaxBlocks; ++i)
        m_s.BlockCountList.Add(Format("%d", i));
    m_s.BlockCountList.Selected = 0;

    m_s.OverheadColumnVisible = false;
    m_s.OverheadFieldVisible.fill(false);
    ShiftColumns(true);
    m_s.SubmitEnabled = true;

    std::string error;
    std::vector<std::string> names;
    m_data.ReadSchemeList(error, names);
    if (names.empty() || !error.empty()) {
        m_view.ShowMessage(
            Format("Schemes information could not be loaded!\n%s", error.c_str()), MsgIcon::Error);
    } else {
        m_s.SchemeList.Clear();
        for (const auto& name : names)
            m_s.SchemeList.Add(name);
        m_s.SchemeList.Selected = 0;
    }

    if (defaults) {
        // Only the scheme and the blocks of the defaults are applied at start-up.
        if (!m_s.SchemeList.SelectPrefix(defaults->Scheme))
            m_view.ShowMessage(
                Format("Unable to select Scheme '%s'.", defaults->Scheme.c_str()), MsgIcon::Error);
        error.clear();
        if (!LoadBlocks(defaults->Scheme, error) && !error.empty())
            m_view.ShowMessage(error, MsgIcon::Error);
        // A count the No. of Blocks list does not offer is taken as two blocks.
        int count = defaults->BlocksSelected;
        if (count < 2 || count > kMaxBlocks)
            count = 2;
        m_s.BlockCountList.Selected = count - 2;
        if (GetBlockCount() == count) {
            ReadForm();
            for (int k = 0; k < kMaxBlocks; ++k)
                m_s.BlockListVisible[k] = k < count;
            WriteForm();
            m_s.SubmitEnabled = true;
        }
        for (int k = 0; k < count; ++k) {
            const std::string& text = defaults->BlockSize[static_cast<size_t>(k)];
            if (!m_s.BlockLists[k].SelectPrefix(text))
                m_view.ShowMessage(
                    Format("Unable to select block size '%s' at index '%d'.", text.c_str(), k),
                    MsgIcon::Error);
        }
    }

    m_s.In.ReadyFlag = true;
    m_s.In.CyclesLimit = kCyclesLimit;
    m_chart.SetCyclesLimit(kCyclesLimit);

    ComputeSizes();
    if (CheckBlockSizes())
        ComputeEndurance();
    SetSchemeToolTip();
}

// The user's actions

void CFormModel::UserSelectScheme(int index)
{
    if (index < 0 || index >= static_cast<int>(m_s.SchemeList.Entries.size()))
        return;
    m_s.SchemeList.Selected = index;
    OnSchemeChanged();
}

void CFormModel::UserSelectBlockCount(int index)
{
    if (index < 0 || index >= static_cast<int>(m_s.BlockCountList.Entries.size()))
        return;
    m_s.BlockCountList.Selected = index;
    OnBlockCountChanged();
}

void CFormModel::UserSelectBlockSize(int block, int index)
{
    if (block < 0 || block >= kMaxBlocks)
        return;
    ComboState& list = m_s.BlockLists[static_cast<size_t>(block)];
    if (index < 0 || index >= static_cast<int>(list.Entries.size()))
        return;
    list.Selected = index;
    OnBlockSizeChanged();
}

void CFormModel::UserSelectDataTypes(int index)
{
    if (index < 0 || index >= static_cast<int>(m_s.DataTypesList.Entries.size()))
        return;
    m_s.DataTypesList.Selected = index;
    OnDataTypesChanged();
}

void CFormModel::UserSetCustomizeOverhead(bool checked)
{
    m_s.CusOverheadChecked = checked;
    OnCustomizeOverhead();
}

void CFormModel::UserEditText(FieldId field, const std::string& text)
{
    SetText(field, text);
}

void CFormModel::UserClickFrequency(int row, bool daily)
{
    if (row < 0 || row >= kMaxDataTypes)
        return;
    m_s.Fields.Frequency[static_cast<size_t>(row)] = daily ? 1 : 0;
    OnFrequencyClicked(row);
}

void CFormModel::SetText(FieldId field, const std::string& text)
{
    m_s.Fields.Text(field) = text;
    if (field.Kind == FieldKind::LifeTime)
        OnLifeTimeChanged();
    else if (field.Kind == FieldKind::DataSize && field.Row == 0)
        OnDataSize1Changed();
}

// The form's operations

bool CFormModel::ReadForm()
{
    IgnoreScope ignore(m_ignoreNotifications);
    const std::optional<FieldFailure> failure = ReadFields(m_s.Fields, m_s.In, m_s.Out);
    if (!failure)
        return true;
    m_view.ShowMessage(failure->Message, MsgIcon::Warning);
    m_view.FocusField(failure->Field);
    return false;
}

void CFormModel::WriteForm()
{
    IgnoreScope ignore(m_ignoreNotifications);
    WriteFields(m_s.In, m_s.Out, m_s.Fields);
}

std::string CFormModel::GetSelectedScheme() const
{
    return m_s.SchemeList.SelectedText();
}

bool CFormModel::SelectScheme(const std::string& name)
{
    m_s.SchemeList.SelectPrefix(name);
    if (GetSelectedScheme() != name)
        return false;
    OnSchemeChanged();
    return true;
}

int CFormModel::GetBlockCount() const
{
    return LeadingInteger(m_s.BlockCountList.SelectedText());
}

bool CFormModel::SetBlockCount(int n)
{
    const int index = n - 2;
    m_s.BlockCountList.Selected
        = index >= 0 && index < static_cast<int>(m_s.BlockCountList.Entries.size()) ? index : -1;
    if (GetBlockCount() != n)
        return false;
    ReadForm();
    ShowBlockSizeCombos(n);
    m_s.SubmitEnabled = true;
    return true;
}

void CFormModel::ShowBlockSizeCombos(int n)
{
    ReadForm();
    for (int k = 0; k < kMaxBlocks; ++k)
        m_s.BlockListVisible[k] = k < n;
    WriteForm();
}

bool CFormModel::LoadBlocks(const std::string& scheme, std::string& errorText)
{
    if (scheme.empty())
        return false;
    std::vector<BlockInfo> blocks;
    std::string reason;
    m_data.ReadBlockInfo(scheme, reason, blocks, m_s.In.RecordAlignment, m_s.DataRetention);
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
    m_s.Blocks = std::move(blocks);
    FillBlockSizeCombos(texts, GetBlockCount());
    m_chart.SetRetentionAxis(m_s.DataRetention);
    return true;
}

void CFormModel::FillBlockSizeCombos(const std::vector<std::string>& texts, int n)
{
    ReadForm();
    ShowBlockSizeCombos(n);
    for (auto& list : m_s.BlockLists) {
        list.Clear();
        for (const auto& text : texts)
            list.Add(text);
        list.Selected = list.Entries.empty() ? -1 : 0;
    }
    ReadForm();
    for (int k = 0; k < kMaxBlocks; ++k)
        m_s.BlockListVisible[k] = k < n;
    WriteForm();
    m_s.SubmitEnabled = true;
}

int CFormModel::GetDataTypeSelection() const
{
    return LeadingInteger(m_s.DataTypesList.SelectedText());
}

void CFormModel::ShowOverheadColumn(int n)
{
    if (n != 0) {
        m_s.OverheadColumnVisible = true;
        for (int k = 0; k < kMaxDataTypes; ++k)
            m_s.OverheadFieldVisible[k] = k < n;
        ShiftColumns(false);
    } else {
        m_s.OverheadColumnVisible = false;
        m_s.OverheadFieldVisible.fill(false);
        ShiftColumns(true);
    }
    m_s.SubmitEnabled = true;
}

void CFormModel::ShiftColumns(bool hidden)
{
    // The window moves the five data columns by 10 pixels per column.
    if (hidden == m_s.ColumnShift)
        return;
    m_s.ColumnShift = hidden;
}

void CFormModel::SetSchemeToolTip()
{
    const std::string_view description = SchemeDescription(GetSelectedScheme());
    if (!description.empty())
        m_s.SchemeToolTip = std::string(description);
}

// The handlers

void CFormModel::OnSchemeChanged()
{
    ReadForm();
    SetBlockCount(2);
    for (auto& list : m_s.BlockLists)
        list.Selected = list.Entries.empty() ? -1 : 0;
    m_s.SubmitEnabled = true;

    std::string error;
    if (!LoadBlocks(GetSelectedScheme(), error) && !error.empty())
        m_view.ShowMessage(error, MsgIcon::Error);

    m_s.In.LifeTime = 20.0f;
    m_s.In.CyclesLimit = kCyclesLimit;
    m_chart.SetCyclesLimit(kCyclesLimit);
    SetText(Field(FieldKind::LifeTime), "20");
    m_s.Fields.Frequency.fill(0);

    const bool fixedLength = IsFixedLengthScheme(GetSelectedScheme());
    for (int row = 0; row < kMaxDataTypes; ++row)
        SetText(Field(FieldKind::DataSize, row),
            fixedLength ? "8" : kDataSizeTexts[static_cast<size_t>(row)]);
    for (int row = 1; row < kMaxDataTypes; ++row)
        m_s.DataSizeEnabled[row] = !fixedLength;
    m_s.DataSizeEnabled[0] = true;

    for (int row = 0; row < kMaxDataTypes; ++row) {
        SetText(Field(FieldKind::Updates, row), kUpdatesTexts[static_cast<size_t>(row)]);
        SetText(Field(FieldKind::Records, row), "8");
    }
    SetText(Field(FieldKind::BlockOverhead), "0");
    for (int row = 0; row < kMaxDataTypes; ++row)
        SetText(Field(FieldKind::Overhead, row), "0");

    m_s.DataTypesList.Selected = m_s.DataTypesList.FindPrefix("6");
    OnDataTypesChanged();
    SetSchemeToolTip();
    if (CheckBlockSizes())
        m_s.SubmitEnabled = true;
    WriteForm();
}

void CFormModel::OnBlockCountChanged()
{
    const int n = GetBlockCount();
    ReadForm();
    ShowBlockSizeCombos(n);
    m_s.SubmitEnabled = true;
}

void CFormModel::OnBlockSizeChanged()
{
    m_s.SubmitEnabled = true;
}

void CFormModel::OnDataTypesChanged()
{
    const int n = std::clamp(GetDataTypeSelection(), 0, kMaxDataTypes);
    const int shown = std::clamp(m_s.In.DataTypeCount, 0, kMaxDataTypes);
    for (int row = shown; row < n; ++row)
        m_s.RowVisible[row] = true;
    for (int row = n; row < shown; ++row)
        m_s.RowVisible[row] = false;

    if (m_s.CusOverheadChecked) {
        ShowOverheadColumn(n);
    } else {
        m_s.OverheadColumnVisible = false;
        m_s.OverheadFieldVisible.fill(false);
        ShiftColumns(true);
        m_s.SubmitEnabled = true;
    }
    m_s.In.DataTypeCount = n;
    m_s.TotalsBelowRow = std::max(n, 1);
    ComputeSizes();
    m_s.SubmitEnabled = true;
}

void CFormModel::OnCustomizeOverhead()
{
    ShowOverheadColumn(m_s.CusOverheadChecked ? GetDataTypeSelection() : 0);
}

void CFormModel::OnInputFocus(FieldId)
{
    if (NotificationsIgnored())
        return;
    if (m_s.In.ReadyFlag && ReadForm()) {
        ComputeSizes();
        m_s.SubmitEnabled = true;
    }
}

void CFormModel::OnFrequencyClicked(int)
{
    if (NotificationsIgnored())
        return;
    if (ReadForm())
        m_s.SubmitEnabled = true;
}

void CFormModel::OnLifeTimeChanged()
{
    if (NotificationsIgnored())
        return;
    if (!m_s.Fields.LifeTime.empty() && ReadForm())
        m_s.SubmitEnabled = true;
}

void CFormModel::OnDataSize1Changed()
{
    if (NotificationsIgnored())
        return;
    // In a fixed-length scheme every data type has the size of the first one.
    if (IsFixedLengthScheme(GetSelectedScheme())) {
        for (int row = 1; row < kMaxDataTypes; ++row)
            m_s.Fields.DataSize[static_cast<size_t>(row)] = m_s.Fields.DataSize[0];
    }
}

// The calculation

void CFormModel::ComputeSizes()
{
    ReadForm();
    m_s.In.Scheme = GetSelectedScheme();
    m_s.In.CusOverheadEn = m_s.CusOverheadChecked;
    eee::ComputeSizes(m_s.In, m_s.Out);
    WriteForm();
}

std::array<int64_t, kMaxBlocks> CFormModel::SelectedBlockBytes() const
{
    // A list without entries (no scheme loaded yet) counts as a block of 0 bytes.
    std::array<int64_t, kMaxBlocks> bytes {};
    for (size_t k = 0; k < kMaxBlocks; ++k) {
        const ComboState& list = m_s.BlockLists[k];
        if (list.Selected >= 0)
            bytes[k] = BlockSizeBytes(list.SelectedText());
    }
    return bytes;
}

void CFormModel::ComputeFlashUsed(bool writeForm)
{
    const int nb = std::clamp(GetBlockCount(), 0, kMaxBlocks);
    const std::array<int64_t, kMaxBlocks> bytes = SelectedBlockBytes();
    int64_t total = 0;
    for (int k = 0; k < nb; ++k)
        total += bytes[static_cast<size_t>(k)];
    m_s.Out.FlashUsedBytes = total;
    m_s.FlashUsedLine = FlashUsedText(total);
    if (writeForm)
        WriteForm();
}

bool CFormModel::CheckBlockSizes()
{
    const int nb = GetBlockCount();
    const int64_t total = LeadingInteger64(m_s.Fields.TotalBytes);
    if (BlocksFit(total, SelectedBlockBytes(), nb))
        return true;
    m_view.ShowMessage(kMsgBlocksTooSmall, MsgIcon::Warning);
    return false;
}

void CFormModel::RunCalculation()
{
    if (!m_s.In.ReadyFlag)
        return;
    if (!ReadForm())
        return;
    ComputeFlashUsed();
    ComputeSizes();
    if (!CheckBlockSizes())
        return;
    if (!ReadForm())
        return;
    if (!ComputeEndurance())
        return;
    m_s.SubmitEnabled = false;
}

bool CFormModel::ComputeEndurance()
{
    m_s.In.Scheme = GetSelectedScheme();
    m_s.In.CusOverheadEn = m_s.CusOverheadChecked;
    m_s.In.BlocksSelected = GetBlockCount();
    ComputeFlashUsed();

    EnduranceTexts texts;
    if (!eee::ComputeEndurance(m_s.In, m_s.Out, texts)) {
        m_view.ShowMessage(kMsgBlocksTooSmall, MsgIcon::Warning);
        return false;
    }
    m_s.LifetimeUpdatesText = texts.LifetimeUpdates;
    if (texts.RefreshComputed)
        m_s.RefreshIntervalText = texts.RefreshInterval;
    WriteForm();

    m_s.In.CyclesLimit = kCyclesLimit;
    m_chart.SetCyclesLimit(kCyclesLimit);
    m_chart.SetOperatingPoint(m_s.In.LifeTime, m_s.Out.FlashCycles);
    ++m_s.Calculations;
    m_view.Invalidate();
    m_s.SubmitEnabled = false;
    return true;
}

void CFormModel::ShowVerdict()
{
    const VerdictTexts verdict = MakeVerdict(
        m_s.In.LifeTime, m_s.Out.FlashCycles, m_s.In.CyclesLimit, m_chart.GetInSpecYears());
    m_s.VerdictLine = verdict.First;
    m_s.RecommendationLine = verdict.Second;
    m_s.LifetimeNote = verdict.Lifetime;
    // Only the memory usage line is refreshed: writing the whole form back here
    // would replace text the user has typed but not yet confirmed.
    ComputeFlashUsed(false);
}

// Sessions

bool CFormModel::ApplySessionData(const SessionRecord& record, std::string& errorText)
{
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
    if (!SelectScheme(record.Scheme)) {
        m_view.ShowMessage(
            Format("Unable to select Scheme '%s'.", record.Scheme.c_str()), MsgIcon::Error);
        errorText.clear();
        return false;
    }
    SetBlockCount(record.BlocksSelected);
    for (int k = 0; k < record.BlocksSelected; ++k) {
        const std::string& text = record.BlockSize[static_cast<size_t>(k)];
        if (!m_s.BlockLists[k].SelectPrefix(text))
            m_view.ShowMessage(
                Format("Unable to select block size '%s' at index '%d'.", text.c_str(), k),
                MsgIcon::Error);
    }

    m_s.In.ReadyFlag = false;
    // The form has six data type rows; further rows of a session are left out.
    const int rows
        = static_cast<int>(std::min(record.DataTypes.size(), static_cast<size_t>(kMaxDataTypes)));
    for (int row = 0; row < rows; ++row) {
        const DataInfo& info = record.DataTypes[static_cast<size_t>(row)];
        SetText(Field(FieldKind::DataSize, row), Format("%d", info.DataSize));
        SetText(Field(FieldKind::Updates, row), Format("%d", info.Updates));
        SetText(Field(FieldKind::Records, row), Format("%d", info.Records));
        m_s.Fields.Frequency[static_cast<size_t>(row)] = info.Frequency != 0 ? 1 : 0;
    }
    if (record.CusOverheadEn) {
        m_s.CusOverheadChecked = true;
        SetText(Field(FieldKind::BlockOverhead), Format("%d", record.BlockOverhead));
        for (int row = 0; row < rows; ++row)
            SetText(Field(FieldKind::Overhead, row),
                Format("%d", record.DataTypes[static_cast<size_t>(row)].CusOverhead));
        ShowOverheadColumn(rows);
    } else {
        m_s.CusOverheadChecked = false;
        ShowOverheadColumn(0);
    }
    SetText(Field(FieldKind::LifeTime), Format("%f", static_cast<double>(record.LifeTime)));
    m_s.In.ReadyFlag = true;

    m_s.DataTypesList.Selected
        = rows - 1 < static_cast<int>(m_s.DataTypesList.Entries.size()) ? rows - 1 : -1;
    OnDataTypesChanged();
    WriteForm();
    return true;
}

void CFormModel::FillRecordFromForm(SessionRecord& record, int blockCount) const
{
    record.Scheme = GetSelectedScheme();
    record.LifeTime = m_s.In.LifeTime;
    const int blocks = std::clamp(blockCount, 0, kMaxBlocks);
    for (int k = 0; k < blocks; ++k)
        record.BlockSize[static_cast<size_t>(k)] = m_s.BlockLists[k].SelectedText();
    record.BlocksSelected = blockCount;
    record.CusOverheadEn = m_s.CusOverheadChecked;
    record.BlockOverhead = m_s.CusOverheadChecked ? LeadingInteger(m_s.Fields.BlockOverhead) : 0;
    const int rows = std::clamp(m_s.In.DataTypeCount, 0, kMaxDataTypes);
    for (size_t row = 0; row < static_cast<size_t>(rows); ++row) {
        DataInfo info;
        info.DataSize = LeadingInteger(m_s.Fields.DataSize[row]);
        info.Updates = LeadingInteger(m_s.Fields.Updates[row]);
        info.Records = LeadingInteger(m_s.Fields.Records[row]);
        info.Frequency = m_s.Fields.Frequency[row] != 0 ? 1 : 0;
        info.CusOverhead = m_s.CusOverheadChecked ? LeadingInteger(m_s.Fields.Overhead[row]) : 0;
        record.DataTypes.push_back(info);
    }
}

void CFormModel::SaveSessionCommand()
{
    RunCalculation();
    const int blockCount = GetBlockCount();
    if (!CheckBlockSizes() || !ReadForm())
        return;
    SessionRecord record;
    FillRecordFromForm(record, blockCount);

    const std::optional<std::string> path = m_view.AskSaveFileName();
    if (!path)
        return;
    std::string error;
    const std::string name = FileNameOf(*path);
    if (m_data.WriteSession(record, *path, error))
        m_view.ShowMessage(
            Format("File %s saved succesfully!", name.c_str()), MsgIcon::Information);
    else
        m_view.ShowMessage(
            Format("File %s could not be saved!\n%s", name.c_str(), error.c_str()), MsgIcon::Error);
}

void CFormModel::LoadSessionCommand()
{
    ReadForm();
    const std::optional<std::string> path = m_view.AskOpenFileName();
    if (!path)
        return;
    // The chosen file is read where it is, with the schema of the module folder.
    SessionRecord record;
    std::string error;
    if (m_data.ReadSession(record, *path, error) && ApplySessionData(record, error)) {
        if (CheckBlockSizes() && ReadForm())
            ComputeEndurance();
        m_view.ShowMessage(
            Format("File %s loaded successfully!", path->c_str()), MsgIcon::Information);
    } else {
        m_view.ShowMessage(
            Format("File %s loading failed!\n%s", path->c_str(), error.c_str()), MsgIcon::Error);
    }
}

void CFormModel::RestoreDefaultCommand()
{
    ReadForm();
    SessionRecord record;
    std::string error;
    if (!m_data.ReadSession(record, "Defaults.xml", error)) {
        m_view.ShowMessage(
            Format("Defaults File %s could not be loaded!\n%s", "Defaults.xml", error.c_str()),
            MsgIcon::Error);
    } else if (ApplySessionData(record, error)) {
        if (CheckBlockSizes() && ReadForm())
            ComputeEndurance();
    } else {
        m_view.ShowMessage(
            Format("Default values could not be restored!\n%s", error.c_str()), MsgIcon::Error);
    }
    m_s.SubmitEnabled = true;
}

} // namespace eee
