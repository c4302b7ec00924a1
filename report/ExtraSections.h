// The place where the calculator's tools put their own sections into a report, so that
// the window and eee-calc-cli, which both build their report with BuildReport(), show
// them alike. A tool adds one call to AddExtraSections(); its section builder reads the
// content and appends what it has to say with ReportDocument::AddSection(), for instance
//
//     if (!content.Result.InSpec)
//         document.AddSection("Best candidate").AddPairs({{"Blocks", "3 x 16384"}});
#pragma once

#include "report/ReportBuilder.h"

namespace eee {

// Called by BuildReport() after the formula trace, before the constants assumed.
void AddExtraSections(ReportDocument& document, const ReportContent& content);

} // namespace eee
