#include "report/ReportFile.h"

#include "report/HtmlReport.h"

#include <QFileInfo>
#include <QSaveFile>

namespace eee {

std::optional<ReportFormat> ReportFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "pdf")
        return ReportFormat::Pdf;
    if (suffix == "html" || suffix == "htm")
        return ReportFormat::Html;
    return std::nullopt;
}

bool WriteReportFile(const ReportDocument& document, const QString& path, ReportPageSize pageSize,
    QString& errorText)
{
    const std::optional<ReportFormat> format = ReportFormatOf(path);
    if (!format) {
        errorText = kReportSuffixMessage;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        errorText = file.errorString();
        return false;
    }
    bool written = false;
    if (*format == ReportFormat::Pdf) {
        written = WritePdf(document, file, pageSize);
    } else {
        const QByteArray html = MakeHtml(document);
        written = file.write(html) == html.size();
    }
    // A failed write is noticed by the save file too; its reason is the better one.
    if (!written || file.error() != QFileDevice::NoError) {
        errorText = file.error() != QFileDevice::NoError ? file.errorString()
                                                         : QString("The report could not be made");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        errorText = file.errorString();
        return false;
    }
    return true;
}

} // namespace eee
