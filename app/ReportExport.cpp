#include "ReportExport.h"

#include "form/AdvisorCatalogueReader.h"
#include "report/ReportBuilder.h"
#include "report/ReportFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace eee {

namespace {
// Paper of the user's country: letter where inches are used, A4 elsewhere.
ReportPageSize LocalPageSize()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
        ? ReportPageSize::Letter
        : ReportPageSize::A4;
}
} // namespace

void ExportReport(QWidget* parent, IDialogs& dialogs, const FormState& state,
    const ChartModel& chart, IDataSource& data, const QString& folder, const QString& sessionFile,
    const std::optional<RetentionChoice>& retention)
{
    if (state.Calculations == 0) {
        dialogs.Message(parent, "There is no calculation to report yet.", MsgIcon::Warning);
        return;
    }
    const QString base
        = sessionFile.isEmpty() ? QString("EEE-Report") : QFileInfo(sessionFile).completeBaseName();
    const std::optional<QString> path
        = dialogs.ReportFileName(parent, QDir(folder).filePath(base + ".pdf"));
    if (!path)
        return;
    const QString name = QFileInfo(*path).fileName();
    if (!ReportFormatOf(*path)) {
        dialogs.Message(parent, kReportSuffixMessage, MsgIcon::Warning);
        return;
    }
    // The form's last calculation; a design out of spec gets the advisor's suggestion.
    const std::optional<BestCandidate> advised
        = AdviseOutOfSpec(state.LastConfig, state.LastResult, [&data] {
              // A scheme that cannot be read is left out of the search.
              std::vector<std::string> problems;
              return ReadAdvisorCatalogue(data, problems);
          });
    ReportContent content
        = MakeReportContent(state.LastConfig, state.LastResult, chart, sessionFile, advised);
    if (retention)
        content.Retention = CheckReportRetention(retention->Profile, retention->Mission,
            state.LastResult.FlashCycles, state.LastConfig.LifeTime);
    const ReportDocument document = BuildReport(content);
    QString error;
    if (WriteReportFile(document, *path, LocalPageSize(), error))
        dialogs.Message(
            parent, QString("Report %1 saved successfully!").arg(name), MsgIcon::Information);
    else
        dialogs.Message(
            parent, QString("Report %1 could not be saved!\n%2").arg(name, error), MsgIcon::Error);
}

} // namespace eee
