// The input form without a window: every field's text, every list, which
// controls are shown and enabled, and every handler of the form. The window
// mirrors this state in its controls and forwards the user's actions; the
// command-line evaluator drives the same handlers without a window, so both
// always give the same answers.
#pragma once

#include "DataSource.h"
#include "FieldRules.h"
#include "Types.h"
#include "chart/ChartModel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace eee {

enum class MsgIcon { Warning, Error, Information };

// What the form asks of the window it lives in.
class IFormView
{
public:
    virtual ~IFormView() = default;
    // A modal message box with the program's caption and an OK button.
    virtual void ShowMessage(const std::string& text, MsgIcon icon) = 0;
    // Moves the keyboard focus to a field and selects its whole text.
    virtual void FocusField(FieldId field) = 0;
    // Repaints the window and its chart; the chart then reports back, and the
    // window answers that report with ShowVerdict.
    virtual void Invalidate() = 0;
    // The file dialogs of the session commands: a full path, or nothing when cancelled.
    virtual std::optional<std::string> AskSaveFileName() = 0;
    virtual std::optional<std::string> AskOpenFileName() = 0;
};

// A drop-down list: its entries and the selected one (-1 for none).
struct ComboState
{
    std::vector<std::string> Entries;
    int Selected = -1;
    bool Sorted = false; // keeps its entries in alphabetical order

    std::string SelectedText() const;
    void Clear();
    void Add(const std::string& text);
    // The first entry that begins with text, letter case ignored; -1 when none does.
    int FindPrefix(const std::string& text) const;
    // Selects the first entry that begins with text; false (selection unchanged) when none does.
    bool SelectPrefix(const std::string& text);
};

inline constexpr const char* kInitialVerdictLine = "Application in Spec for endurance";
inline constexpr const char* kInitialFlashUsedLine = "Flash used for EEPROM emulation:";
inline constexpr const char* kSchemeListToolTip = "EEPROM emulation scheme";

// Everything the form shows and holds. A plain value: copy it to keep a snapshot.
struct FormState
{
    CalcInputs In;
    CalcResults Out;
    FormFields Fields;

    ComboState SchemeList;
    ComboState BlockCountList;
    ComboState DataTypesList;
    std::array<ComboState, kMaxBlocks> BlockLists;
    std::array<bool, kMaxBlocks> BlockListVisible {true, true, true, true, true, true};

    std::array<bool, kMaxDataTypes> RowVisible {true, true, true, true, true, true};
    std::array<bool, kMaxDataTypes> DataSizeEnabled {true, true, true, true, true, true};
    bool CusOverheadChecked = false;
    bool OverheadColumnVisible = true; // Block Overhead label and field, Overhead header
    std::array<bool, kMaxDataTypes> OverheadFieldVisible {true, true, true, true, true, true};
    // True while the five data columns stand moved right into the room of the hidden overhead
    // column.
    bool ColumnShift = false;
    // The row under whose data size field the totals stand (1-based); 0 for the template's place.
    int TotalsBelowRow = 0;
    bool SubmitEnabled = true;

    std::string LifetimeUpdatesText;
    std::string RefreshIntervalText;
    std::string VerdictLine = kInitialVerdictLine;
    std::string RecommendationLine;
    std::string LifetimeNote;
    std::string FlashUsedLine = kInitialFlashUsedLine;
    std::string SchemeToolTip = kSchemeListToolTip;

    std::vector<BlockInfo> Blocks; // the current scheme's blocks, by Index
    bool DataRetention = false;
    int Calculations = 0; // finished endurance computations, for callers that watch for one
};

class CFormModel
{
public:
    CFormModel(IDataSource& data, IFormView& view, ChartModel& chart);

    FormState& State() { return m_s; }
    const FormState& State() const { return m_s; }
    ChartModel& Chart() { return m_chart; }

    // Start-up of the window, after its controls exist: fills the lists, reads the
    // catalogue, applies the scheme and blocks of the defaults (when they could be
    // read) and runs the first calculation.
    void Startup(const std::optional<SessionRecord>& defaults);

    // True while the form is read or written: control notifications are ignored then.
    bool NotificationsIgnored() const { return m_ignoreNotifications > 0; }

    // The user's actions, as the window forwards them.
    void UserSelectScheme(int index);
    void UserSelectBlockCount(int index);
    void UserSelectBlockSize(int block, int index);
    void UserSelectDataTypes(int index);
    void UserSetCustomizeOverhead(bool checked);
    void UserEditText(FieldId field, const std::string& text); // typing into a field
    void UserClickFrequency(int row, bool daily);

    // The form's operations.
    bool ReadForm();
    void WriteForm();
    std::string GetSelectedScheme() const;
    bool SelectScheme(const std::string& name);
    int GetBlockCount() const;
    bool SetBlockCount(int n);
    void ShowBlockSizeCombos(int n);
    bool LoadBlocks(const std::string& scheme, std::string& errorText);
    void FillBlockSizeCombos(const std::vector<std::string>& texts, int n);
    int GetDataTypeSelection() const;
    void ShowOverheadColumn(int n);
    void ShiftColumns(bool hidden);
    void SetSchemeToolTip();

    // The handlers of the form's events.
    void OnSchemeChanged();
    void OnBlockCountChanged();
    void OnBlockSizeChanged();
    void OnDataTypesChanged();
    void OnCustomizeOverhead();
    void OnInputFocus(FieldId field);
    void OnFrequencyClicked(int row);
    void OnLifeTimeChanged();
    void OnDataSize1Changed();

    // The calculation.
    void ComputeSizes();
    void ComputeFlashUsed(bool writeForm = true);
    bool CheckBlockSizes();
    void RunCalculation();
    bool ComputeEndurance();
    void ShowVerdict(); // the answer to the chart's report after a repaint

    // Sessions.
    bool ApplySessionData(const SessionRecord& record, std::string& errorText);
    void SaveSessionCommand();
    void LoadSessionCommand();
    void RestoreDefaultCommand();

private:
    // Sets a field's text as a handler does: the field's own change handler runs at once.
    void SetText(FieldId field, const std::string& text);
    std::array<int64_t, kMaxBlocks> SelectedBlockBytes() const;
    void FillRecordFromForm(SessionRecord& record, int blockCount) const;

    struct IgnoreScope
    {
        explicit IgnoreScope(int& counter)
            : m_counter(counter)
        {
            ++m_counter;
        }
        ~IgnoreScope() { --m_counter; }
        IgnoreScope(const IgnoreScope&) = delete;
        IgnoreScope& operator=(const IgnoreScope&) = delete;
        int& m_counter;
    };

    IDataSource& m_data;
    IFormView& m_view;
    ChartModel& m_chart;
    FormState m_s;
    int m_ignoreNotifications = 0;
};

} // namespace eee
