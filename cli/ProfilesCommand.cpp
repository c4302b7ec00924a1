#include "cli/ProfilesCommand.h"

#include "calc/RetentionText.h"
#include "cli/Console.h"
#include "cli/Json.h"
#include "cli/RetentionOptions.h"

namespace eee {

namespace {

constexpr const char* kDeliveredSource = "delivered";

QList<QCommandLineOption> Options()
{
    return {
        QCommandLineOption("json", "One JSON object per profile and line."), ProfilesFileOption()};
}

// The profiles are read once: the check keeps them for the run.
std::string Check(CommandOptions& options)
{
    std::string error;
    if (std::optional<ProfilesOnOffer> offer = LoadProfilesOnOffer(options, error))
        options.Keep(std::move(*offer));
    return error;
}

// Where the user's own profiles come from, or would.
std::string OwnFileLine(const ProfileList& list)
{
    if (list.OwnFile.empty())
        return "Your own profiles: no configuration folder is known for them.\n";
    const char* state = list.OwnFileRead ? ""
        : list.OwnFileFound              ? " (could not be read)"
                                         : " (none there)";
    return "Your own profiles: " + list.OwnFile + state + '\n';
}

int Run(const CommandOptions& options)
{
    // Run follows the check, which kept the profiles.
    const ProfilesOnOffer* offer = options.Kept<ProfilesOnOffer>();
    if (offer == nullptr)
        return 2;
    for (const std::string& warning : offer->Warnings)
        Complain("warning: " + warning);
    const ProfileList& list = offer->List;
    const bool json = options.IsSet("json");
    for (size_t i = 0; i < list.Profiles.size(); ++i) {
        const DeviceProfile& profile = list.Profiles[i];
        if (json) {
            Write(stdout,
                JsonLine(ProfileToJson(
                    profile, i < list.DeliveredCount ? kDeliveredSource : list.OwnFile)));
        } else {
            Write(stdout, profile.Name + "\n  " + ProfileSummary(profile) + '\n');
        }
    }
    if (!json)
        Write(stdout, OwnFileLine(list));
    return 0;
}

} // namespace

const Command kProfilesCommand {
    "profiles",
    "profiles [--json] [--profiles FILE]",
    "Lists the device profiles that evaluate --profile checks the data retention against: the "
    "profiles delivered with the program, then your own (a file of the same form, by default "
    "DeviceProfiles.xml in the calculator's configuration folder). With --json, one JSON object "
    "per profile and line.",
    Options,
    Check,
    Run,
};

} // namespace eee
