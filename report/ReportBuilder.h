// What a design-review report says, from one finished calculation. The window's
// File > Export Report and eee-calc-cli report both build their document here,
// from the form's last calculation, so the two documents read the same.
#pragma once

#include "calc/Advisor.h"
#include "form/DataSource.h"
#include <optional>

#include "calc/Evaluate.h"
#include "chart/ChartModel.h"
#include "form/FormState.h"
#include "report/ReportDocument.h"

#include <QDateTime>
#include <QString>

namespace eee {

inline constexpr const char* kDefaultReportTitle = "Varn EEE Calculator Design Review";

struct ReportContent
{
    QString Title; // empty: kDefaultReportTitle
    QString SessionFile; // empty: the inputs were not read from a file
    QDateTime Created;
    EvalConfig Config;
    EvalResult Result;
    ChartModel Chart; // the form's chart, holding the operating point of Result
    // When the design is out of spec: the design advisor's best candidate for its workload.
    std::optional<AdvisorCandidate> Advised;
    bool AdvisedQualified = false; // the candidate is in spec; otherwise only the closest one
};

// Asks the design advisor for the content's workload when its design is out of spec.
void AddAdvice(ReportContent& content, IDataSource& data);

// The content of the form's last calculation, created now; the chart is the form's with
// the operating point of that calculation.
ReportContent MakeReportContent(
    const FormState& state, const ChartModel& chart, const QString& sessionFile);
ReportContent MakeReportContent(const EvalConfig& config, const EvalResult& result,
    const ChartModel& chart, const QString& sessionFile);

// The whole document: title, date, program version, session file; inputs; results;
// verdict; chart; breakdown; formula trace; the sections of the tools (ExtraSections.h);
// the constants assumed.
ReportDocument BuildReport(const ReportContent& content);

} // namespace eee
