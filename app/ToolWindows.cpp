#include "ToolWindows.h"

#include "DetailsDialog.h"
#include "ReportExport.h"
#include "RetentionDialog.h"
#include "SweepDialog.h"
#include "WearSimulationDialog.h"
#include "form/AdvisorCatalogueReader.h"

#include <QWidget>

#include <utility>

namespace eee {

ToolWindows::ToolWindows(QWidget& window, IDialogs& dialogs, FileAccess& files, IDataSource& data,
    const ChartModel& chart, FormAccess form)
    : QObject(&window)
    , m_window(window)
    , m_dialogs(dialogs)
    , m_files(files)
    , m_data(data)
    , m_chart(chart)
    , m_form(std::move(form))
{ }

void ToolWindows::ShowCalculation(const EvalConfig& config, const EvalResult& result)
{
    ++m_last.Calculations;
    m_last.LastConfig = config;
    m_last.LastResult = result;
    if (m_details)
        m_details->ShowCalculation(config, result);
    if (m_retention)
        m_retention->ShowCalculation(result.FlashCycles, config.LifeTime);
    if (m_wear)
        m_wear->ShowCalculation(config, result);
    if (m_sweep)
        m_sweep->ShowCalculation(config, result, SchemeBlocks());
    // Each calculation of the window, an applied configuration's too, is searched anew.
    if (m_advisor && m_advisor->isVisible())
        m_advisor->Search();
}

void ToolWindows::ExportReport(const QString& folder, const QString& sessionFile)
{
    // The report reads the last calculation of a form's state.
    FormState state;
    state.Calculations = m_last.Calculations;
    state.LastConfig = m_last.LastConfig;
    state.LastResult = m_last.LastResult;
    // The profile and mission chosen in Tools > Retention Check, once it was opened.
    eee::ExportReport(&m_window, m_dialogs, state, m_chart, m_data, folder, sessionFile,
        m_retention ? m_retention->Choice() : std::nullopt);
}

void ToolWindows::OpenFindConfiguration()
{
    if (m_advisor == nullptr)
        m_advisor = new AdvisorDialog(&m_window, *this, m_dialogs, m_data);
    m_advisor->Open();
}

void ToolWindows::OpenCalculationDetails()
{
    // Without a finished calculation (the catalogue could not be read) there is nothing to show.
    if (m_last.Calculations == 0) {
        m_dialogs.Message(&m_window, "There is no calculation to show yet.", MsgIcon::Warning);
        return;
    }
    if (!m_details)
        m_details = new DetailsDialog(&m_window);
    m_details->ShowCalculation(m_last.LastConfig, m_last.LastResult);
    m_details->show();
    m_details->raise();
    m_details->activateWindow();
}

void ToolWindows::OpenRetentionCheck()
{
    if (!m_retention) {
        m_retention = new RetentionDialog(m_dialogs, m_files, &m_window);
        // It follows the calculations; before the first it waits for one.
        if (m_last.Calculations > 0)
            m_retention->ShowCalculation(m_last.LastResult.FlashCycles, m_last.LastConfig.LifeTime);
    }
    m_retention->Open();
}

void ToolWindows::OpenWearSimulation()
{
    if (!m_wear) {
        m_wear = new WearSimulationDialog(&m_window);
        // It follows the calculations; before the first it waits for one.
        if (m_last.Calculations > 0)
            m_wear->ShowCalculation(m_last.LastConfig, m_last.LastResult);
    }
    m_wear->Open();
}

void ToolWindows::OpenSensitivitySweep()
{
    if (!m_sweep) {
        m_sweep = new SweepDialog(m_dialogs, &m_window);
        if (m_last.Calculations > 0)
            m_sweep->ShowCalculation(m_last.LastConfig, m_last.LastResult, SchemeBlocks());
    }
    m_sweep->show();
    m_sweep->raise();
    m_sweep->activateWindow();
}

std::vector<CatalogueBlock> ToolWindows::SchemeBlocks() const
{
    std::vector<std::string> problems;
    const AdvisorCatalogue catalogue = ReadAdvisorCatalogue(m_data, problems);
    const CatalogueScheme* scheme = catalogue.Find(m_last.LastConfig.Scheme);
    return scheme ? scheme->Blocks : std::vector<CatalogueBlock> {};
}

} // namespace eee
