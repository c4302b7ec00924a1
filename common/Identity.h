// Who the program is to the system: the organisation and application names that
// name its settings and its configuration folder, the keys of its settings, and the
// user's own device profiles file in that folder. The window and eee-calc-cli take
// them from here, so both find the same settings and the same profiles.
#pragma once

#include <QString>

namespace eee {

inline constexpr const char* kOrganisationName = "Corvant";
inline constexpr const char* kApplicationName = "Varn EEE-CALC";
// The maker, as the About box names it.
inline constexpr const char* kVendorName = "Corvant Semiconductor Inc.";

// The user's settings (QSettings of the names above).
inline constexpr const char* kRecentSessionsKey = "RecentSessions";
inline constexpr const char* kRetentionProfileKey = "RetentionCheck/Profile";
inline constexpr const char* kRetentionMissionKey = "RetentionCheck/Mission";

// The user's own profiles file bears the name of the delivered one.
inline constexpr const char* kOwnProfilesFileName = "DeviceProfiles.xml";

// Gives the running program its names and version, before or after the application
// object is made: QSettings and the configuration folder follow them.
void ApplyIdentity();

// The program's configuration folder of this user (under $XDG_CONFIG_HOME, named after
// the organisation and the application), whether or not it exists; "" when the system
// gives no configuration folder. The names set in the running program do not matter.
QString UserConfigFolder();

// The user's own device profiles file in that folder, whether or not it exists; "" when
// there is no such folder.
QString OwnProfilesFile();

} // namespace eee
