// The device profiles of the retention check: DeviceProfiles.xml beside the
// program, validated by DeviceProfiles.xsd like every data file, and a user's
// own file of the same schema listed after it. FileAccess::ReadDeviceProfiles
// reads one file; the functions here put the two lists together.
#pragma once

#include "calc/Retention.h"
#include "files/FileAccess.h"

#include <string>
#include <vector>

namespace eee {

inline constexpr const char* kDeviceProfilesFile = "DeviceProfiles.xml";
inline constexpr const char* kDeviceProfilesSchema = "DeviceProfiles.xsd";
inline constexpr const char* kDeviceProfilesRoot = "DeviceProfiles";

// The delivered profiles followed by the user's own. An own profile whose name
// is already listed (letter case ignored) is left out, and errorText names it;
// otherwise errorText is emptied.
std::vector<DeviceProfile> MergeProfiles(std::vector<DeviceProfile> delivered,
    const std::vector<DeviceProfile>& own, const std::string& ownFile, std::string& errorText);

// The profiles to offer: DeviceProfiles.xml of the module folder, then the
// user's own file when ownFile (a full path) is not empty. Whatever could be
// read is listed; the result is false when a file could not be read or an own
// profile was left out, and errorText then says why, one paragraph per file.
bool LoadDeviceProfiles(FileAccess& files, const std::string& ownFile,
    std::vector<DeviceProfile>& profiles, std::string& errorText);

} // namespace eee
