// The device profiles of the retention check: DeviceProfiles.xml beside the
// program, validated by DeviceProfiles.xsd like every data file, and a user's
// own file of the same schema listed after it. FileAccess::ReadDeviceProfiles
// reads one file; LoadProfileList() is the one loader of both, for the window's
// Retention Check and for eee-calc-cli, and reads each file and the schema once.
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

// Whether the user's own file is read when it does not exist.
enum class OwnFileUse {
    IfPresent, // the file of the configuration folder: none there is no problem
    Named, // a file the user named: one that does not exist cannot be read
};

// The profiles on offer and what became of each file.
struct ProfileList
{
    std::vector<DeviceProfile> Profiles; // the delivered ones first, then the user's own
    size_t DeliveredCount = 0; // how many of them were delivered with the program
    std::string DeliveredError; // why DeviceProfiles.xml could not be read, or ""
    std::string OwnFile; // the user's file, read or looked for; "" when there is none
    bool OwnFileFound = false; // it exists
    bool OwnFileRead = false; // its profiles were read
    std::string OwnError; // why it could not be read, or ""
    std::string LeftOut; // own profiles left out for their names (MergeProfiles), or ""
};

// The profiles to offer: DeviceProfiles.xml of the module folder, then the user's
// own file (a full path; "" for none). Whatever could be read is listed.
ProfileList LoadProfileList(FileAccess& files, const std::string& ownFile, OwnFileUse own);

// What the Retention Check tells the user about a list whose files could not all be
// read or whose own profiles were left out, one paragraph per file; "" when none.
std::string ProfileListProblems(const ProfileList& list);

} // namespace eee
