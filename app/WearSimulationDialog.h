// Tools > Wear Simulation...: the window's last calculation replayed write by write on
// its ring of blocks (calc/WearSimulation.h), a second opinion beside the Estimated
// Flash Cycles: the erases of every block as bars with the estimate and the endurance
// limit as lines, the wear figures, the bytes programmed by kind and the note.
//
// The road of one simulation: the window's calculation (configuration and result) ->
// a thread of its own runs SimulateWear() -> the result is shown. The dialog follows
// the window's calculations; a new one while a simulation runs cancels that run. A
// run that takes longer than a moment shows its progress and a Cancel button.
#pragma once

#include "calc/Evaluate.h"
#include "calc/WearSimulation.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QThread;
class QTimer;

namespace eee {

class WearChart;

// How long a simulation runs before its progress and Cancel are shown.
inline constexpr int kWearProgressDelayMs = 300;

class WearSimulationDialog : public QDialog
{
    Q_OBJECT
public:
    using Simulator = std::function<SimulationResult(
        const EvalConfig&, const EvalResult&, const SimulationOptions&)>;

    explicit WearSimulationDialog(QWidget* parent = nullptr);
    ~WearSimulationDialog() override;

    // The calculation to simulate. A shown dialog simulates it at once; a hidden one
    // when it is opened.
    void ShowCalculation(const EvalConfig& config, const EvalResult& result);

    // Shows the dialog in front and simulates the calculation if its simulation is not
    // shown yet.
    void Open();

    // The simulation to run in place of SimulateWear() (for tests).
    void SetSimulator(Simulator simulator);

    bool Running() const { return m_thread != nullptr; }
    // The simulation shown; nothing before the first one finished.
    const std::optional<SimulationResult>& Result() const { return m_result; }

    struct Controls
    {
        QWidget* Figures = nullptr; // labels and values of the wear
        WearChart* Chart = nullptr;
        QLabel* BytesTitle = nullptr;
        QTableWidget* Bytes = nullptr; // kind, bytes, share
        QLabel* Note = nullptr;
        QProgressBar* Progress = nullptr;
        QPushButton* Cancel = nullptr;
        QPushButton* Close = nullptr;
    };
    const Controls& Ui() const { return m_ui; }
    // The figures as shown, "Label: value" each.
    QStringList FigureLines() const;

signals:
    // A simulation finished (ran to its end, stopped or was cancelled) and is shown.
    void SimulationShown();

public slots:
    void reject() override;

private:
    struct Calculation
    {
        EvalConfig Config;
        EvalResult Result;
    };
    struct Run; // what a running simulation shares with the dialog

    void BuildControls();
    void Start();
    void Finished();
    void CancelRun();
    void ShowProgress();
    void ShowResult(const SimulationResult& result, const EvalConfig& config);

    Simulator m_simulator;
    std::optional<Calculation> m_calculation;
    int m_calculationNumber = 0; // counts ShowCalculation()
    int m_shownNumber = -1; // the calculation whose simulation is shown
    std::optional<SimulationResult> m_result;
    QThread* m_thread = nullptr;
    std::shared_ptr<Run> m_run;
    bool m_restart = false; // a newer calculation waits for the running one to stop
    QTimer* m_moment = nullptr;
    QTimer* m_poll = nullptr;
    QGridLayout* m_figures = nullptr;
    Controls m_ui;
};

} // namespace eee
