// A report document laid out on PDF pages by QPdfWriter, the chart drawn as vectors
// by the chart's own painter.
#pragma once

#include "report/ReportDocument.h"

#include <QIODevice>
#include <QString>

#include <optional>

namespace eee {

enum class ReportPageSize { A4, Letter };

// "a4" or "letter" (any letter case); nothing for another name.
std::optional<ReportPageSize> ParsePageSize(const QString& name);

// Writes the document as PDF to an open device. Needs a QGuiApplication.
// False when the device did not take the output.
bool WritePdf(const ReportDocument& document, QIODevice& device, ReportPageSize pageSize);

} // namespace eee
