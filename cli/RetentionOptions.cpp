#include "cli/RetentionOptions.h"

#include "cli/Calculator.h"
#include "cli/Console.h"
#include "common/Identity.h"

#include <string_view>

namespace eee {

static_assert(std::string_view(kOwnProfilesFileName) == kDeviceProfilesFile,
    "the user's own profiles file bears the delivered file's name");

namespace {

std::string Quoted(const std::string& text)
{
    return '"' + text + '"';
}

std::string ProfileNames(const std::vector<DeviceProfile>& profiles)
{
    std::string names;
    for (const DeviceProfile& profile : profiles) {
        if (!names.empty())
            names += ", ";
        names += Quoted(profile.Name);
    }
    return names;
}

std::string UnknownProfileText(const std::string& name, const ProfilesOnOffer& offer)
{
    const ProfileList& list = offer.List;
    std::string text = "unknown device profile " + Quoted(name);
    text += list.Profiles.empty() ? "; no profiles could be loaded"
                                  : "; choose one of " + ProfileNames(list.Profiles);
    text += " (" + std::string(kProgram) + " profiles lists them)";
    for (const std::string& warning : offer.Warnings)
        text += "\n" + warning;
    return text;
}

} // namespace

QCommandLineOption ProfilesFileOption()
{
    return QCommandLineOption("profiles",
        "A device profiles file of your own, listed after the delivered profiles (default: "
        "DeviceProfiles.xml in the calculator's configuration folder, when it exists).",
        "FILE");
}

QList<QCommandLineOption> RetentionOptions()
{
    return {
        QCommandLineOption("profile",
            "Checks the data retention of each file against the device profile NAME (letter "
            "case ignored; see the profiles command).",
            "NAME"),
        QCommandLineOption("mission",
            "The lifetime split into years at temperatures, years@°C separated by commas, "
            "adding up to the lifetime (default: the whole lifetime at the profile's reference "
            "temperature).",
            "Y@C,..."),
        ProfilesFileOption(),
    };
}

std::optional<ProfilesOnOffer> LoadProfilesOnOffer(
    const CommandOptions& options, std::string& error)
{
    ProfilesOnOffer offer;
    offer.OwnFileGiven = options.IsSet("profiles");
    std::string ownFile;
    if (offer.OwnFileGiven) {
        const std::string given = options.Value("profiles");
        if (given.empty()) {
            error = "--profiles needs a file name";
            return std::nullopt;
        }
        const std::optional<std::string> path = AbsoluteFileName(given, error);
        if (!path)
            return std::nullopt;
        ownFile = *path;
    } else {
        ownFile = OwnProfilesFile().toStdString();
    }

    FileAccess files;
    offer.List = LoadProfileList(
        files, ownFile, offer.OwnFileGiven ? OwnFileUse::Named : OwnFileUse::IfPresent);
    const ProfileList& list = offer.List;
    if (!list.DeliveredError.empty())
        offer.Warnings.push_back(
            "the device profiles delivered with the program could not be loaded: "
            + list.DeliveredError);
    std::vector<std::string> ownProblems;
    if (!list.OwnError.empty())
        ownProblems.push_back("your own device profiles could not be loaded from " + list.OwnFile
            + ": " + list.OwnError);
    if (!list.LeftOut.empty())
        ownProblems.push_back(list.LeftOut);
    for (const std::string& problem : ownProblems) {
        // A file the user named must be read in full: it was asked for.
        if (offer.OwnFileGiven) {
            error = problem;
            return std::nullopt;
        }
        offer.Warnings.push_back(problem);
    }
    return offer;
}

std::optional<RetentionRequest> ReadRetentionRequest(
    const CommandOptions& options, std::vector<std::string>& warnings, std::string& error)
{
    if (!options.IsSet("profile")) {
        if (options.IsSet("mission"))
            error = "--mission needs --profile NAME";
        return std::nullopt;
    }
    RetentionRequest request;
    if (!ParseMission(options.Value("mission"), request.Mission, error)) {
        error = "--mission: " + error;
        return std::nullopt;
    }
    const std::optional<ProfilesOnOffer> offer = LoadProfilesOnOffer(options, error);
    if (!offer)
        return std::nullopt;
    const std::string name = options.Value("profile");
    const DeviceProfile* profile = FindProfile(offer->List.Profiles, name);
    if (!profile) {
        error = UnknownProfileText(name, *offer);
        return std::nullopt;
    }
    request.Profile = *profile;
    warnings = offer->Warnings;
    return request;
}

} // namespace eee
