// Writing a report file: PDF or HTML by the name's suffix, replaced atomically so that
// a reader never sees a half-written report and a failed write leaves the old one.
#pragma once

#include "report/PdfReport.h"
#include "report/ReportDocument.h"

#include <QString>

#include <optional>

namespace eee {

enum class ReportFormat { Pdf, Html };

inline constexpr const char* kReportSuffixMessage
    = "The report's name must end in .pdf, .html or .htm";

// By the suffix: .pdf, or .html / .htm (any letter case); nothing for another one.
std::optional<ReportFormat> ReportFormatOf(const QString& path);

// False, with the reason, when the file could not be written; the file is then as it was.
bool WriteReportFile(const ReportDocument& document, const QString& path, ReportPageSize pageSize,
    QString& errorText);

} // namespace eee
