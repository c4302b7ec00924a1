// MainWindow: the calculator's one window. The form itself (texts, lists, handlers,
// calculation, sessions) is FormModel; the window wires it to its parts and answers
// the form's requests:
//   FormWidgets   the controls at their places, and Sync of the form's state into them
//   SessionFiles  the session files: file questions, recent sessions, drops, a path
//                 given at start-up
//   ToolWindows   Export Report and the Tools menu, fed by CalculationFinished
// The units know nothing of the window, and nothing reaches back into it.
//
// The road of one calculation:
//   Submit -> FormModel reads the form -> Evaluate() (calc/Evaluate.h) -> results shown,
//   chart given its operating point -> chart repaints and reports -> verdict lines.
// Nothing flows back from painting into the numbers: the chart widget only draws, and
// the verdict takes the in-spec years from the chart model, not from a paint.
#pragma once

#include "Dialogs.h"
#include "FormWidgets.h"
#include "chart/ChartModel.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"
#include "form/FormModel.h"

#include <QDialog>
#include <memory>
#include <string>

namespace eee {

class ChartWidget;
class SessionFiles;
class ToolWindows;

class MainWindow : public QDialog, private IFormView
{
    Q_OBJECT
public:
    using Controls = FormWidgets::Controls;

    // The module folder holds the data files; by default the executable's folder.
    explicit MainWindow(IDialogs& dialogs, std::string moduleFolder = ExecutableFolder());
    ~MainWindow() override;

    FormModel& Form() { return m_form; }
    const Controls& Ui() const { return m_widgets->Ui(); }
    ChartWidget* Chart() const { return m_widgets->Chart(); }
    QWidget* Client() const { return m_widgets->Client(); }
    SessionFiles& Sessions() const { return *m_sessions; }
    ToolWindows& Tools() const { return *m_tools; }

    // True when the verdict lines speak of the last calculation: the chart has repainted
    // after it and the window has answered its report.
    bool VerdictCurrent() const { return m_verdictFor == m_form.State().Calculations; }

signals:
    // A calculation finished: its configuration and every number of its Evaluate().
    void CalculationFinished(const EvalConfig& config, const EvalResult& result);

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

    void WireControls();
    void WireMenu();
    void Initialise();
    // Shows the form's state in the controls and announces a finished calculation.
    void Sync();

    // The window's operations, as its menus and buttons run them.
    void RunCalculation();
    void SaveSessionCommand();
    void LoadSessionCommand();
    void RestoreDefaultCommand();
    void OnExit();
    void OnAbout();
    void OnUserGuide();
    // Puts a configuration into the form as a loaded session is put there (the form's
    // rules and messages apply) and runs the calculation.
    void ApplyRecord(const SessionRecord& record);

    IDialogs& m_dialogs;
    FileAccess m_files;
    FileDataSource m_source;
    ChartModel m_chartModel;
    FormModel m_form;
    std::unique_ptr<FormWidgets> m_widgets;
    ToolWindows* m_tools = nullptr;
    SessionFiles* m_sessions = nullptr;
    int m_shownCalculations = 0;
    int m_verdictFor = -1;
};

} // namespace eee
