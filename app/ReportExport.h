// File > Export Report: the design-review report of the form's last calculation, written
// to a file the user names (PDF or HTML by its suffix), with the outcome in a message.
#pragma once

#include "Dialogs.h"
#include "chart/ChartModel.h"
#include "form/DataSource.h"
#include "form/FormState.h"
#include "report/RetentionSection.h"

#include <QString>

#include <optional>

class QWidget;

namespace eee {

// folder: where the file dialog opens; sessionFile: the file the inputs came from
// (empty when none); retention: the profile and mission chosen in Tools > Retention
// Check, for the report's "Data retention" section. The report is written only when the
// form holds a calculation.
void ExportReport(QWidget* parent, IDialogs& dialogs, const FormState& state,
    const ChartModel& chart, IDataSource& data, const QString& folder, const QString& sessionFile,
    const std::optional<RetentionChoice>& retention = std::nullopt);

} // namespace eee
