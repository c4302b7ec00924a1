#include "cli/RetentionOptions.h"

#include "cli/Calculator.h"
#include "cli/Console.h"
#include "files/DeviceProfiles.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <filesystem>

namespace eee {

namespace {

// The names the window gives itself: its settings and the user's own
// profiles file live in the configuration folder named after them.
constexpr const char* kOrganisationName = "Corvant";
constexpr const char* kApplicationName = "Varn EEE-CALC";

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

std::string UnknownProfileText(const std::string& name, const ProfileList& list)
{
    std::string text = "unknown device profile " + Quoted(name);
    text += list.Profiles.empty() ? "; no profiles could be loaded"
                                  : "; choose one of " + ProfileNames(list.Profiles);
    text += " (" + std::string(kProgram) + " profiles lists them)";
    for (const std::string& warning : list.Warnings)
        text += "\n" + warning;
    return text;
}

} // namespace

std::string DefaultOwnProfilesFile()
{
    // The program runs without an application object; the names are all
    // that AppConfigLocation takes from one.
    QCoreApplication::setOrganizationName(kOrganisationName);
    QCoreApplication::setApplicationName(kApplicationName);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (folder.isEmpty())
        return {};
    return (folder + '/' + kDeviceProfilesFile).toStdString();
}

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

std::optional<ProfileList> LoadProfileList(const CommandOptions& options, std::string& error)
{
    ProfileList list;
    list.OwnFileGiven = options.IsSet("profiles");
    if (list.OwnFileGiven) {
        const std::string given = options.Value("profiles");
        if (given.empty()) {
            error = "--profiles needs a file name";
            return std::nullopt;
        }
        const std::optional<std::string> path = AbsoluteFileName(given, error);
        if (!path)
            return std::nullopt;
        list.OwnFile = *path;
    } else {
        list.OwnFile = DefaultOwnProfilesFile();
    }

    FileAccess files;
    std::string problem;
    std::vector<DeviceProfile> delivered;
    if (!files.ReadDeviceProfiles(kDeviceProfilesFile, delivered, problem))
        list.Warnings.push_back(
            "the device profiles delivered with the program could not be loaded: " + problem);
    std::error_code ignored;
    std::vector<DeviceProfile> own;
    list.OwnFileFound = !list.OwnFile.empty() && std::filesystem::exists(list.OwnFile, ignored);
    if (list.OwnFileGiven || list.OwnFileFound) {
        list.OwnFileRead = files.ReadDeviceProfiles(list.OwnFile, own, problem);
        if (!list.OwnFileRead) {
            const std::string text = "your own device profiles could not be loaded from "
                + list.OwnFile + ": " + problem;
            if (list.OwnFileGiven) {
                error = text;
                return std::nullopt;
            }
            list.Warnings.push_back(text);
        }
    }
    list.DeliveredCount = delivered.size();
    list.Profiles = MergeProfiles(std::move(delivered), own, list.OwnFile, problem);
    if (!problem.empty()) {
        if (list.OwnFileGiven) {
            error = problem;
            return std::nullopt;
        }
        list.Warnings.push_back(problem);
    }
    return list;
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
    const std::optional<ProfileList> list = LoadProfileList(options, error);
    if (!list)
        return std::nullopt;
    const std::string name = options.Value("profile");
    const DeviceProfile* profile = FindProfile(list->Profiles, name);
    if (!profile) {
        error = UnknownProfileText(name, *list);
        return std::nullopt;
    }
    request.Profile = *profile;
    warnings = list->Warnings;
    return request;
}

} // namespace eee
