#include "report/ExtraSections.h"

#include "calc/AdvisorText.h"
#include "report/ReportBuilder.h"

#include <QStringList>

namespace eee {

void AddExtraSections(ReportDocument& document, const ReportContent& content)
{
    // The design advisor's best candidate, when the design is out of spec.
    if (content.Advised) {
        std::vector<std::pair<QString, QString>> pairs;
        for (const auto& [label, value] : AdvisedPairs(content.Advised->Candidate))
            pairs.emplace_back(QString::fromStdString(label), QString::fromStdString(value));
        document.AddSection(kAdvisedSectionTitle)
            .AddLines(QStringList {AdvisedIntro(content.Advised->Qualified)})
            .AddPairs(pairs);
    }
}

} // namespace eee
