#include "report/RetentionSection.h"

#include "calc/RetentionText.h"

namespace eee {

ReportRetention CheckReportRetention(const DeviceProfile& profile,
    const std::vector<MissionSegment>& mission, double flashCycles, float lifeTime)
{
    ReportRetention retention;
    retention.Profile = profile;
    retention.Checked = CheckRetention(
        profile, flashCycles, lifeTime, mission, retention.Result, retention.Error);
    return retention;
}

void AddRetentionSection(ReportDocument& document, const ReportRetention& retention)
{
    ReportSection& section = document.AddSection("Data retention");
    QStringList lines;
    if (!retention.Checked) {
        lines << QString::fromStdString(
            kRetentionLabel + std::string("not checked: ") + retention.Error);
    } else {
        lines << QString::fromStdString(RetentionHeadline(retention.Result));
        lines << QString::fromStdString("Profile: " + retention.Profile.Name);
        for (const std::string& line : RetentionDetails(retention.Profile, retention.Result))
            lines << QString::fromStdString(line);
    }
    section.AddLines(lines);
}

} // namespace eee
