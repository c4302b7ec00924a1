// Reading device profiles files. A file is opened and validated exactly as the
// catalogue is (size cap, no DTD or entities, the schema of the module
// folder); the reader then takes the elements by name, skipping comments and
// processing instructions, and checks what a schema cannot: names unique
// whatever their letter case, tiers in ascending cycles.
#include "files/DeviceProfiles.h"

#include "calc/Format.h"
#include "files/FileAccessImpl.h"
#include "files/TextUtil.h"
#include "files/XmlErrors.h"

#include <charconv>
#include <cmath>
#include <filesystem>

namespace eee {

namespace {

xmlNode* ElementFrom(xmlNode* node)
{
    while (node != nullptr && node->type != XML_ELEMENT_NODE)
        node = node->next;
    return node;
}

xmlNode* FirstElement(const xmlNode* parent)
{
    return ElementFrom(parent->children);
}

xmlNode* NextElement(const xmlNode* node)
{
    return ElementFrom(node->next);
}

std::string Quoted(const std::string& text)
{
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

// The text of a name as the schema's token type sees it: trimmed, with every
// run of white space inside made one blank.
std::string CollapsedText(const xmlNode* element)
{
    std::string collapsed;
    bool blank = false;
    for (const char c : xml::NodeText(element)) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = true;
            continue;
        }
        if (blank && !collapsed.empty())
            collapsed += ' ';
        blank = false;
        collapsed += c;
    }
    return collapsed;
}

// The schema lets only xs:integer and xs:decimal texts through (an optional
// sign, no exponent); NodeText has removed the white space around them.
template <typename Number> bool ReadNumber(const std::string& text, Number& value)
{
    std::string_view digits(text);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    Number parsed {};
    std::from_chars_result result;
    if constexpr (std::is_floating_point_v<Number>)
        result = std::from_chars(
            digits.data(), digits.data() + digits.size(), parsed, std::chars_format::fixed);
    else
        result = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return false;
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(parsed))
            return false;
    }
    value = parsed;
    return true;
}

// Reads one Profile element. On failure, problem is a phrase to follow the
// profile's name.
bool ReadProfile(const xmlNode* element, DeviceProfile& profile, std::string& problem)
{
    const auto number = [&problem](const xmlNode* node, auto& value) {
        const std::string text = xml::NodeText(node);
        if (ReadNumber(text, value))
            return true;
        problem = "has an unreadable " + xml::NodeName(node) + " " + Quoted(text);
        return false;
    };
    for (const xmlNode* child = FirstElement(element); child != nullptr;
         child = NextElement(child)) {
        const std::string name = xml::NodeName(child);
        bool ok = true;
        if (name == "Name") {
            profile.Name = CollapsedText(child);
        } else if (name == "EnduranceCycles") {
            ok = number(child, profile.EnduranceCycles);
        } else if (name == "ReferenceCelsius") {
            ok = number(child, profile.ReferenceCelsius);
        } else if (name == "ActivationEnergyEv") {
            double ea = 0.0;
            ok = number(child, ea);
            profile.ActivationEnergyEv = ea;
        } else if (name == "Tier") {
            RetentionTier tier;
            for (const xmlNode* part = FirstElement(child); ok && part != nullptr;
                 part = NextElement(part)) {
                const std::string partName = xml::NodeName(part);
                if (partName == "MaxCycles")
                    ok = number(part, tier.MaxCycles);
                else if (partName == "Years")
                    ok = number(part, tier.Years);
            }
            profile.Tiers.push_back(tier);
        }
        if (!ok)
            return false;
    }
    problem = ProfileProblem(profile);
    return problem.empty();
}

} // namespace

bool FileAccess::ReadDeviceProfiles(
    const std::string& fileName, std::vector<DeviceProfile>& profiles, std::string& errorText)
{
    errorText.clear();
    const std::string shownName = FileNameOf(fileName);
    const std::string notProfiles = shownName
        + " is not a device profiles file: its root element must be " + kDeviceProfilesRoot
        + " with the attributes xmlns:xsi=\"" + xml::kXsiNamespace
        + "\" and xsi:noNamespaceSchemaLocation=\"" + kDeviceProfilesSchema + "\".";
    std::vector<DeviceProfile> read;
    try {
        if (!m_impl->OpenAndValidate(
                fileName, kDeviceProfilesRoot, kDeviceProfilesSchema, errorText)) {
            // The catalogue's checks leave the text empty for a wrong root
            // element; a profiles file is often written by hand, so say why.
            if (errorText.empty())
                errorText = notProfiles;
            return false;
        }
        for (const xmlNode* element = FirstElement(m_impl->Root); element != nullptr;
             element = NextElement(element)) {
            if (xml::NodeName(element) != "Profile")
                continue;
            DeviceProfile profile;
            std::string problem;
            if (!ReadProfile(element, profile, problem)) {
                errorText = "Device profile " + Quoted(profile.Name) + " in " + shownName + " "
                    + problem + ".";
                return false;
            }
            for (const DeviceProfile& earlier : read) {
                if (text::EqualsNoCase(earlier.Name, profile.Name)) {
                    errorText = "Device profile " + Quoted(profile.Name) + " is listed twice in "
                        + shownName
                        + (earlier.Name != profile.Name ? " (letter case aside)." : ".");
                    return false;
                }
            }
            read.push_back(std::move(profile));
        }
    } catch (const ComponentFailure& failure) {
        // Only the root's attributes are asked for by position; a root with
        // fewer than two is not a profiles file.
        errorText = failure.Description.empty() || failure.Code == kXmlNodeNotFound
            ? notProfiles
            : failure.Description;
        return false;
    }
    profiles = std::move(read);
    return true;
}

std::vector<DeviceProfile> MergeProfiles(std::vector<DeviceProfile> delivered,
    const std::vector<DeviceProfile>& own, const std::string& ownFile, std::string& errorText)
{
    errorText.clear();
    for (const DeviceProfile& profile : own) {
        if (FindProfile(delivered, profile.Name) != nullptr) {
            if (!errorText.empty())
                errorText += '\n';
            errorText += "Device profile " + Quoted(profile.Name) + " of " + ownFile
                + " is already listed and was left out; give it a name of its own.";
            continue;
        }
        delivered.push_back(profile);
    }
    return delivered;
}

ProfileList LoadProfileList(FileAccess& files, const std::string& ownFile, OwnFileUse own)
{
    ProfileList list;
    list.OwnFile = ownFile;
    // Both files are validated with the one schema, read and compiled once.
    const FileAccess::SchemaReuse reuse(files);
    // A file that cannot be read leaves its list empty and says why.
    std::vector<DeviceProfile> delivered;
    files.ReadDeviceProfiles(kDeviceProfilesFile, delivered, list.DeliveredError);
    std::error_code ignored;
    list.OwnFileFound = !ownFile.empty() && std::filesystem::exists(ownFile, ignored);
    std::vector<DeviceProfile> mine;
    if (!ownFile.empty() && (list.OwnFileFound || own == OwnFileUse::Named))
        list.OwnFileRead = files.ReadDeviceProfiles(ownFile, mine, list.OwnError);
    list.DeliveredCount = delivered.size();
    list.Profiles = MergeProfiles(std::move(delivered), mine, ownFile, list.LeftOut);
    return list;
}

std::string ProfileListProblems(const ProfileList& list)
{
    std::string problems;
    const auto note = [&problems](const std::string& text) {
        if (!problems.empty())
            problems += "\n\n";
        problems += text;
    };
    if (!list.DeliveredError.empty())
        note("The device profiles delivered with the program could not be loaded!\n"
            + list.DeliveredError);
    // The user's file is named with its folder: it lives apart from the
    // program, and the user has to find it to mend it.
    if (!list.OwnError.empty())
        note("Your own device profiles could not be loaded from " + list.OwnFile + "!\n"
            + list.OwnError);
    if (!list.LeftOut.empty())
        note(list.LeftOut);
    return problems;
}

} // namespace eee
