// The "Data retention" section of the design-review report: the retention check of the
// chosen device profile over the mission (calc/Retention.h), with the same texts as
// Tools > Retention Check and eee-calc-cli evaluate --profile.
#pragma once

#include "calc/Retention.h"
#include "report/ReportDocument.h"

#include <string>
#include <vector>

namespace eee {

// A profile and a mission as the user chose them (empty mission: the whole lifetime at
// the profile's temperature).
struct RetentionChoice
{
    DeviceProfile Profile;
    std::vector<MissionSegment> Mission;
};

struct ReportRetention
{
    DeviceProfile Profile;
    bool Checked = false;
    RetentionResult Result; // when checked
    std::string Error; // why it could not be checked
};

// The check of a calculation's cycles and lifetime against a profile and a mission
// (empty: the whole lifetime at the profile's temperature).
ReportRetention CheckReportRetention(const DeviceProfile& profile,
    const std::vector<MissionSegment>& mission, double flashCycles, float lifeTime);

void AddRetentionSection(ReportDocument& document, const ReportRetention& retention);

} // namespace eee
