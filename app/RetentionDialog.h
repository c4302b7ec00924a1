// Tools > Retention Check...: the data retention of the last calculation
// against a device profile's tiers, over a mission of years at temperatures.
//
// The road of one check: the window's last calculation (its flash cycles per
// block and lifetime), the chosen profile and the mission table ->
// CheckRetention() -> the result lines and the staircase chart. The dialog
// follows the window's calculations; the profile and the mission are kept in
// the user's settings, not in session files.
#pragma once

#include "report/RetentionSection.h"

#include "Dialogs.h"
#include "calc/Retention.h"
#include "common/Identity.h"
#include "files/FileAccess.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace eee {

class MissionTableModel;
class RetentionChart;

class RetentionDialog : public QDialog
{
    Q_OBJECT
public:
    // files reads the delivered profiles; the user's own file is looked for in
    // the program's configuration folder (OwnProfilesFile()).
    RetentionDialog(IDialogs& dialogs, FileAccess& files, QWidget* parent);
    ~RetentionDialog() override;

    // Reads the profiles again (the user may have changed their own file),
    // says what could not be read, and shows the dialog in front.
    void Open();

    // The calculation to check: its flash cycles per block and lifetime.
    void ShowCalculation(double flashCycles, float lifeTime);

    struct Controls
    {
        QComboBox* Profile = nullptr;
        QLabel* ProfileSummary = nullptr;
        QTableView* Mission = nullptr;
        QPushButton* AddRow = nullptr;
        QPushButton* RemoveRow = nullptr;
        QLabel* MissionTotal = nullptr;
        QLabel* Result = nullptr;
        RetentionChart* Chart = nullptr;
        QPushButton* Close = nullptr;
    };
    const Controls& Ui() const { return m_ui; }
    MissionTableModel& Mission() { return *m_mission; }
    // The last check; nothing when it could not be made.
    const std::optional<RetentionResult>& Result() const { return m_result; }
    // The profile and mission chosen now, for the report; nothing without a profile.
    std::optional<RetentionChoice> Choice() const;

private:
    struct Calculation
    {
        double FlashCycles = 0.0;
        float LifeTime = 0.0f;
    };

    void BuildControls();
    void LoadProfiles();
    void RestoreSettings();
    void SaveSettings() const;
    const DeviceProfile* ChosenProfile() const;
    void AddRow();
    void RemoveRow();
    // Checks again and shows the outcome.
    void Update();

    IDialogs& m_dialogs;
    FileAccess& m_files;
    std::vector<DeviceProfile> m_profiles;
    MissionTableModel* m_mission = nullptr;
    std::optional<Calculation> m_calculation;
    std::optional<RetentionResult> m_result;
    Controls m_ui;
    bool m_restoring = false;
};

} // namespace eee
