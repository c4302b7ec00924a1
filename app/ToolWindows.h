// ToolWindows: the window's tools, each over the last calculation the window finished:
// File > Export Report and Tools > Find Configuration, Calculation Details, Retention
// Check, Wear Simulation and Sensitivity Sweep. They are fed by one call per finished
// calculation (ShowCalculation, which the window connects to its CalculationFinished
// signal) and never read the form; each dialog is made when it is first opened and
// follows the calculations from then on.
#pragma once

#include "AdvisorDialog.h"
#include "Dialogs.h"
#include "FinishedCalculation.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace eee {

class ChartModel;
class DetailsDialog;
class FileAccess;
class IDataSource;
class RetentionDialog;
class SweepDialog;
class WearSimulationDialog;

class ToolWindows : public QObject, private IAdvisorHost
{
    Q_OBJECT
public:
    // What the tools may do with the form: take its session record, and put a record
    // into it as a loaded session is put there and calculate.
    struct FormAccess
    {
        std::function<SessionRecord()> CurrentRecord;
        std::function<void(const SessionRecord&)> ApplyRecord;
    };

    // window: the parent of every tool dialog and message. files reads the device
    // profiles, data the catalogue; the report draws `chart`.
    ToolWindows(QWidget& window, IDialogs& dialogs, FileAccess& files, IDataSource& data,
        const ChartModel& chart, FormAccess form);

    // The tools, as their menu entries run them. The report's file dialog opens in
    // `folder`; sessionFile is the file the inputs came from (empty for none).
    void ExportReport(const QString& folder, const QString& sessionFile);
    void OpenFindConfiguration();
    void OpenCalculationDetails();
    void OpenRetentionCheck();
    void OpenWearSimulation();
    void OpenSensitivitySweep();

    // A calculation finished: every tool opened so far shows it.
    void ShowCalculation(const EvalConfig& config, const EvalResult& result);

private:
    // IAdvisorHost
    const FinishedCalculation& LastCalculation() const override { return m_last; }
    SessionRecord CurrentRecord() const override { return m_form.CurrentRecord(); }
    void ApplyRecord(const SessionRecord& record) override { m_form.ApplyRecord(record); }

    QWidget& m_window;
    IDialogs& m_dialogs;
    FileAccess& m_files;
    IDataSource& m_data;
    const ChartModel& m_chart;
    FormAccess m_form;
    FinishedCalculation m_last;
    AdvisorDialog* m_advisor = nullptr;
    DetailsDialog* m_details = nullptr;
    RetentionDialog* m_retention = nullptr;
    WearSimulationDialog* m_wear = nullptr;
    SweepDialog* m_sweep = nullptr;
    // The block sizes the scheme of the last calculation offers, for the sweep.
    std::vector<CatalogueBlock> SchemeBlocks() const;
};

} // namespace eee
