// MainWindow: the calculator's one window. The form itself (texts, lists,
// handlers, calculation, sessions) is FormModel; this class shows it in Qt
// controls, forwards the user's actions to it and answers its requests.
//
// The road of one calculation:
//   Submit -> FormModel reads the form -> Evaluate() (calc/Evaluate.h) -> results shown,
//   chart given its operating point -> chart repaints and reports -> verdict lines.
// Nothing flows back from painting into the numbers: the chart widget only draws, and
// the verdict takes the in-spec years from the chart model, not from a paint.
#pragma once

#include "Dialogs.h"
#include "chart/ChartModel.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"
#include "form/FormModel.h"

#include <QDialog>
#include <array>
#include <string>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace eee {

class AdvisorDialog;
class ChartWidget;
class RecentSessions;
class DetailsDialog;
class RetentionDialog;
class WearSimulationDialog;

class MainWindow : public QDialog, private IFormView
{
    Q_OBJECT
public:
    // The module folder holds the data files; by default the executable's folder.
    explicit MainWindow(IDialogs& dialogs, std::string moduleFolder = ExecutableFolder());
    ~MainWindow() override;

    FormModel& Form() { return m_form; }
    ChartWidget* Chart() const { return m_chart; }
    QWidget* Client() const { return m_client; }

    // The controls, for the window's tests.
    struct Controls
    {
        QComboBox* Scheme = nullptr;
        QLineEdit* LifeTime = nullptr;
        QComboBox* BlockCount = nullptr;
        std::array<QComboBox*, kMaxBlocks> BlockSize {};
        QComboBox* DataTypes = nullptr;
        QCheckBox* CustomizeOverhead = nullptr;
        QLabel* BlockOverheadLabel = nullptr;
        QLineEdit* BlockOverhead = nullptr;
        QLabel* WriteFrequencyHeader = nullptr;
        std::array<QLabel*, 5> ColumnHeaders {}; // size, updates, records, Total, Daily
        QLabel* OverheadHeader = nullptr;
        std::array<QLabel*, kMaxDataTypes> RowLabel {};
        std::array<QLineEdit*, kMaxDataTypes> DataSize {};
        std::array<QLineEdit*, kMaxDataTypes> Updates {};
        std::array<QLineEdit*, kMaxDataTypes> Records {};
        std::array<QRadioButton*, kMaxDataTypes> Total {};
        std::array<QRadioButton*, kMaxDataTypes> Daily {};
        std::array<QLineEdit*, kMaxDataTypes> Overhead {};
        std::array<QLabel*, 3> TotalLabels {};
        QLineEdit* TotalUserDataBytes = nullptr;
        QLineEdit* TotalOverhead = nullptr;
        QLineEdit* TotalBytes = nullptr;
        QPushButton* Submit = nullptr;
        QLabel* InSpecLegend = nullptr;
        QLabel* OutOfSpecLegend = nullptr;
        QLineEdit* LifetimeUpdates = nullptr;
        QLineEdit* MaxUpdateRequirement = nullptr;
        QLineEdit* FlashCycles = nullptr;
        QLineEdit* RefreshInterval = nullptr;
        QLabel* Verdict = nullptr;
        QLabel* Recommendation = nullptr;
        QLabel* FlashUsed = nullptr;
        QLabel* LifetimeNote = nullptr;
        QLabel* Picture = nullptr;
        QMenuBar* Menu = nullptr;
        QAction* LoadSession = nullptr;
        QAction* SaveSession = nullptr;
        QAction* Exit = nullptr;
        QAction* RestoreDefault = nullptr;
        QAction* UserGuide = nullptr;
        QAction* About = nullptr;
        QAction* ExportReport = nullptr;
        QAction* FindConfiguration = nullptr;
        QAction* CalculationDetails = nullptr;
        QAction* RetentionCheck = nullptr;
        QAction* WearSimulation = nullptr;
    };
    const Controls& Ui() const { return m_ui; }

    // The window's operations, as its menus and buttons run them.
    void RunCalculation();
    void SaveSessionCommand();
    void LoadSessionCommand();
    void RestoreDefaultCommand();
    void OnExit();
    void OnAbout();
    void OnUserGuide();
    void OnExportReport();
    void OnFindConfiguration();
    void OnCalculationDetails();
    void OnRetentionCheck();
    void OnWearSimulation();

    // Puts a configuration into the form as a loaded session is put there (the form's
    // rules and messages apply) and runs the calculation.
    void ApplyRecord(const SessionRecord& record);

    // Pixel rectangle of a rectangle in the dialog units of the window's template.
    static QRect DialogRect(int x, int y, int width, int height);

    // The folder the session dialogs open in.
    QString SessionFolder() const;

    // Sessions opened without the file dialog: given at start-up, chosen in File >
    // Recent Sessions, dropped onto the window. Each loads as File > Load Session
    // does, the path taking the place of the dialog's answer.
    void LoadSessionFile(const QString& path);
    // Loads a session once the window runs, after it has opened as usual.
    void LoadSessionWhenShown(const QString& path);
    RecentSessions& Recent() const { return *m_recent; }

    // True when the verdict lines speak of the last calculation: the chart has repainted
    // after it and the window has answered its report.
    bool VerdictCurrent() const { return m_verdictFor == m_form.State().Calculations; }

signals:
    // A calculation finished and its numbers are in the form's state (LastConfig, LastResult).
    void CalculationFinished();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // IFormView
    void ShowMessage(const std::string& text, MsgIcon icon) override;
    void FocusField(FieldId field) override;
    void Invalidate() override;
    std::optional<std::string> AskSaveFileName() override;
    std::optional<std::string> AskOpenFileName() override;

    void BuildControls();
    void BuildMenu();
    void AddToolTips();
    void Initialise();
    // Shows the form's state in the controls.
    void Sync();
    void PlaceMovableControls();
    QLineEdit* FieldWidget(FieldId field) const;
    void ConnectField(QLineEdit* edit, FieldId field, bool focusRecomputes);

    IDialogs& m_dialogs;
    FileAccess m_files;
    FileDataSource m_source;
    ChartModel m_chartModel;
    FormModel m_form;
    QWidget* m_client = nullptr;
    ChartWidget* m_chart = nullptr;
    Controls m_ui;
    std::array<QButtonGroup*, kMaxDataTypes> m_frequencyGroups {};
    std::array<QRect, 5> m_headerBase {};
    std::array<std::array<QRect, kMaxDataTypes>, 5> m_columnBase {};
    int m_syncing = 0;
    int m_shownCalculations = 0;
    int m_verdictFor = -1;

    // Sessions opened without the file dialog, and the list of recent ones.
    void AddSessionOpeners();
    std::optional<std::string> TakePresetOpenPath();
    // The session file a command is working on, listed once the command reports success.
    void NoteSessionPath(const std::optional<QString>& path);
    // Ends a session command: lists its file when it succeeded.
    void ListSessionPath(bool succeeded);
    RecentSessions* m_recent = nullptr;
    std::optional<QString> m_presetOpenPath;
    std::optional<QString> m_notedSessionPath;
    DetailsDialog* m_details = nullptr; // made when first asked for
    QString m_sessionFile; // the session file last chosen to load or save, for the report
    AdvisorDialog* m_advisor = nullptr; // Tools > Find Configuration..., made when first opened
    RetentionDialog* m_retention = nullptr; // made when first opened
    WearSimulationDialog* m_wear = nullptr; // made when first opened
};

} // namespace eee
