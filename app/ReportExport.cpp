#include "ReportExport.h"

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
    const ChartModel& chart, IDataSource& data, const QString& folder, const QString& sessionFile)
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
    QString error;
    ReportContent content = MakeReportContent(state, chart, sessionFile);
    AddAdvice(content, data);
    const ReportDocument document = BuildReport(content);
    if (WriteReportFile(document, *path, LocalPageSize(), error))
        dialogs.Message(
            parent, QString("Report %1 saved successfully!").arg(name), MsgIcon::Information);
    else
        dialogs.Message(
            parent, QString("Report %1 could not be saved!\n%2").arg(name, error), MsgIcon::Error);
}

} // namespace eee
