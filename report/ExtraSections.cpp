#include "report/ExtraSections.h"

#include "report/ReportBuilder.h"

#include <QStringList>

namespace eee {

void AddExtraSections(ReportDocument& document, const ReportContent& content)
{
    // The design advisor's best candidate, when the design is out of spec.
    if (content.Advised) {
        const AdvisorCandidate& c = *content.Advised;
        QStringList blocks;
        for (const std::string& text : c.BlockTexts)
            blocks << QString::fromStdString(text);
        document.AddSection("Design advisor")
            .AddLines(QStringList {content.AdvisedQualified
                    ? "The design is out of spec. The smallest configuration of the catalogue "
                      "that keeps this workload within the envelope:"
                    : "The design is out of spec, and no configuration of the catalogue keeps "
                      "this workload within the envelope. The closest one:"})
            .AddPairs({{"Scheme", QString::fromStdString(c.Scheme)},
                {"Blocks", QString("%1: %2").arg(c.BlockCount()).arg(blocks.join(", "))},
                {"Flash used (bytes)", QString::number(c.FlashUsedBytes)},
                {"Estimated flash cycles", QString::number(c.FlashCycles, 'f', 0)},
                {"In spec", c.InSpec ? "yes" : "no"}});
    }
}

} // namespace eee
