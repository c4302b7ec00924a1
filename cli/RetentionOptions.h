// The device profiles of eee-calc-cli and the retention check its options ask
// for: --profile NAME, --mission "14@30,6@50" and --profiles FILE. The
// profiles are those the window offers: the delivered ones, then the user's
// own file, which is --profiles FILE or else the one in the window's
// configuration folder.
#pragma once

#include "calc/Retention.h"
#include "cli/CommandLine.h"
#include "files/DeviceProfiles.h"

#include <optional>
#include <string>
#include <vector>

namespace eee {

// The profiles on offer, read by the one profiles loader (files/DeviceProfiles.h).
struct ProfilesOnOffer
{
    ProfileList List;
    bool OwnFileGiven = false; // named by --profiles
    // Problems that leave the listed profiles usable: the delivered file or the
    // user's file of the configuration folder could not be read.
    std::vector<std::string> Warnings;
};

// The check of --profile and --mission.
struct RetentionRequest
{
    DeviceProfile Profile;
    std::vector<MissionSegment> Mission; // empty: the lifetime at the profile's temperature
};

// --profiles FILE.
QCommandLineOption ProfilesFileOption();
// --profile NAME, --mission TEXT and --profiles FILE.
QList<QCommandLineOption> RetentionOptions();

// The profiles, with a --profiles file (named relative to the working folder)
// after the delivered ones. Nothing, with the reason in error, when the file
// of --profiles cannot be read or repeats a delivered profile's name: the
// user asked for it.
std::optional<ProfilesOnOffer> LoadProfilesOnOffer(
    const CommandOptions& options, std::string& error);

// The check asked for; nothing without --profile. A usage error (an unknown
// profile, a mission that cannot be read, --mission without --profile, a
// --profiles file that cannot be read) leaves its text in error. warnings
// receives the problems that did not stop it.
std::optional<RetentionRequest> ReadRetentionRequest(
    const CommandOptions& options, std::vector<std::string>& warnings, std::string& error);

} // namespace eee
