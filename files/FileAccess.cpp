// FileAccess: construction, the one read and parse of a file, the root and
// schema checks, the validation, and the failure texts.
#include "files/FileAccess.h"

#include "files/CappedRead.h"
#include "files/FileAccessImpl.h"
#include "files/Schema.h"
#include "files/TextEncoding.h"
#include "files/TextUtil.h"
#include "files/XmlErrors.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <unistd.h>

namespace eee {

namespace {

std::string ErrnoText(int err)
{
    const char* text = strerrordesc_np(err);
    return text != nullptr ? text : "Unknown error " + std::to_string(err);
}

std::string_view BaseName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Why a file could not be read, as the reason of a failed parse. The file is
// named without its folder, as in every message about it.
std::string ReadFailureText(xml::ReadStatus status, int err, const std::string& path)
{
    const std::string fileName(BaseName(path));
    switch (status) {
    case xml::ReadStatus::TooLarge:
        return fileName + " is larger than " + std::to_string(xml::kMaxFileBytes) + " bytes.";
    case xml::ReadStatus::NotRegular:
        return fileName + " is not a regular file.";
    default:
        return "Cannot open " + fileName + ": " + ErrnoText(err);
    }
}

std::string WithoutTrailingSeparators(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

const char* KnownComponentText(uint32_t code)
{
    switch (code) {
    case kXmlSuccess:
        return "The operation completed successfully.";
    case kXmlUnspecified:
        return "Unspecified error";
    case kXmlFileNotFound:
        return "The system cannot locate the object specified.";
    case kXmlNodeNotFound:
        return kNodeNotFoundText;
    case kXmlOutOfMemory:
        return "Not enough memory to complete the operation";
    case kXmlInvalidCharacter:
        return "The text holds a character that XML cannot carry";
    case kXmlInvalidNumber:
        return "The number cannot be written as XML text";
    default:
        return nullptr;
    }
}

} // namespace

std::shared_ptr<ParsedDocument> ReadDocument(const std::string& path)
{
    auto parsed = std::make_shared<ParsedDocument>();
    parsed->Status = xml::ReadFileCapped(path, parsed->Bytes, parsed->Errno);
    if (parsed->Status != xml::ReadStatus::Ok)
        return parsed;
    parsed->Text = xml::TextEncoding::Of(parsed->Bytes).ToUtf8(parsed->Bytes);
    xml::ErrorCapture capture;
    parsed->Doc = xml::ParseMemory(parsed->Bytes, capture);
    if (parsed->Doc == nullptr) {
        parsed->ParseFailure = {capture.Message(), capture.Line(), capture.Reason()};
        return parsed;
    }
    xml::RemoveCommentsAndInstructions(parsed->Doc.get());
    return parsed;
}

std::string ExecutableFolder()
{
    std::string path(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size())
        return ".";
    path.resize(static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string FileAccess::Impl::PathOf(const std::string& fileName) const
{
    if (!fileName.empty() && fileName.front() == '/')
        return fileName;
    if (!ModuleFolder.empty() && ModuleFolder.back() == '/')
        return ModuleFolder + fileName;
    return ModuleFolder + "/" + fileName;
}

bool FileAccess::Impl::ParseFile(const std::string& fileName, std::string& errorText)
{
    auto parsed = ReadDocument(PathOf(fileName));
    Document = parsed;
    if (parsed->Status != xml::ReadStatus::Ok) {
        errorText = ReadFailureText(parsed->Status, parsed->Errno, fileName);
        return false;
    }
    if (parsed->Doc == nullptr) {
        errorText = parsed->ParseFailure.Reason;
        return false;
    }
    RootDocument = parsed;
    Root = xmlDocGetRootElement(parsed->Doc.get());
    return true;
}

std::string FileAccess::Impl::Attribute(const xmlNode* element, std::size_t position) const
{
    if (RootDocument == nullptr)
        throw ComponentFailure {kXmlNodeNotFound, ""};
    return xml::AttributeValue(element, position, RootDocument->Order);
}

bool FileAccess::Impl::OpenAndValidate(const std::string& fileName, const std::string& rootName,
    const std::string& schemaName, std::string& errorText)
{
    if (!ParseFile(fileName, errorText))
        return false;
    xmlNode* found = nullptr;
    for (xmlNode* node = Document->Doc->children; node != nullptr; node = node->next) {
        if (node->type == XML_ELEMENT_NODE && text::EqualsNoCase(xml::NodeName(node), rootName)) {
            found = node;
            break;
        }
    }
    if (found == nullptr)
        return false;
    Root = found;
    // The two root attributes are checked by position and value only: the
    // namespace declaration of xsi first, then the schema location.
    if (!text::EqualsNoCase(Attribute(Root, 0), xml::kXsiNamespace))
        return false;
    if (!text::EqualsNoCase(Attribute(Root, 1), schemaName)) {
        errorText = "Attribute of Root Node has invalid Schema filename!";
        return false;
    }
    if (!xml::IsRegularFile(PathOf(schemaName))) {
        // Messages name the file without its folder, as the user chose it.
        errorText = "Schema File " + schemaName + " does not exist for validating "
            + std::string(BaseName(fileName));
        return false;
    }
    return Validate(fileName, schemaName, *Document, errorText);
}

CompiledSchema FileAccess::Impl::SchemaOf(const std::string& schemaName) const
{
    if (Schemas) {
        if (const auto known = Schemas->find(schemaName); known != Schemas->end())
            return known->second;
    }
    // The schema always comes from the module folder, whatever the file says, and is read
    // afresh, so that a changed schema file takes effect at once.
    CompiledSchema compiled;
    std::string xsd;
    int err = 0;
    const xml::ReadStatus xsdStatus
        = xml::ReadFileCapped(PathOf(std::string(BaseName(schemaName))), xsd, err);
    if (xsdStatus != xml::ReadStatus::Ok) {
        compiled.Reason = ReadFailureText(xsdStatus, err, schemaName);
    } else if (auto& last = LastCompiled[schemaName];
               last.second.Schema != nullptr && last.first == xsd) {
        compiled = last.second;
    } else {
        xml::ErrorCapture schemaCapture;
        compiled.Schema = xml::Schema::Compile(xsd, schemaCapture);
        if (compiled.Schema == nullptr)
            compiled.Reason = "Schema " + schemaName + " is not usable: " + schemaCapture.Reason();
        else
            last = {std::move(xsd), compiled};
    }
    if (Schemas)
        Schemas->emplace(schemaName, compiled);
    return compiled;
}

bool FileAccess::Impl::Validate(const std::string& fileName, const std::string& schemaName,
    const ParsedDocument& parsed, std::string& errorText) const
{
    if (parsed.Status == xml::ReadStatus::NotFound) {
        errorText = "File " + std::string(BaseName(fileName)) + " not found!";
        return false;
    }

    std::string reason;
    int line = 0;
    if (parsed.Status != xml::ReadStatus::Ok) {
        reason = ReadFailureText(parsed.Status, parsed.Errno, fileName);
    } else if (parsed.Doc == nullptr) {
        reason = parsed.ParseFailure.Message;
        line = parsed.ParseFailure.Line;
    } else if (schemaName.empty()) {
        reason = "The root element names no schema file of the program.";
    } else {
        const CompiledSchema compiled = SchemaOf(schemaName);
        reason = compiled.Reason;
        if (compiled.Schema != nullptr) {
            // The very tree that the readers walk afterwards is validated.
            xml::ErrorCapture capture;
            if (compiled.Schema->Validate(parsed.Doc.get(), capture)) {
                errorText.clear();
                return true;
            }
            reason = capture.Message();
            line = capture.Line();
        }
    }
    // The source line is shown as text, whatever the encoding of the file.
    errorText = "Validation failed on " + std::string(BaseName(fileName))
        + "\n=====================" + "\nReason: " + reason
        + "\nSource: " + text::ShowableText(text::LineOfText(parsed.Text, line), 256) + "\n";
    return false;
}

FileAccess::FileAccess()
    : FileAccess(ExecutableFolder())
{ }

FileAccess::FileAccess(std::string moduleFolder)
    : m_impl(std::make_unique<Impl>())
    , m_moduleFolder(WithoutTrailingSeparators(std::move(moduleFolder)))
{
    xml::InitLibrary();
    m_impl->ModuleFolder = m_moduleFolder;
}

FileAccess::~FileAccess() = default;

FileAccess::SchemaReuse::SchemaReuse(FileAccess& files)
    : m_files(files)
    , m_outermost(!files.m_impl->Schemas)
{
    if (m_outermost)
        m_files.m_impl->Schemas.emplace();
}

FileAccess::SchemaReuse::~SchemaReuse()
{
    if (m_outermost)
        m_files.m_impl->Schemas.reset();
}

bool FileAccess::ParseFile(const std::string& fileName, std::string& errorText)
{
    return m_impl->ParseFile(fileName, errorText);
}

bool FileAccess::OpenAndValidate(const std::string& fileName, const std::string& rootName,
    const std::string& schemaName, std::string& errorText)
{
    try {
        return m_impl->OpenAndValidate(fileName, rootName, schemaName, errorText);
    } catch (const ComponentFailure& failure) {
        errorText = failure.Description;
        return false;
    }
}

bool FileAccess::ValidateAgainstSchema(const std::string& fileName, std::string& errorText)
{
    // Called on its own, the schema is the one the root element names, looked
    // up by its bare name in the module folder (letter case ignored, as the
    // data files may name it in capitals).
    std::string schemaName;
    const std::shared_ptr<ParsedDocument> parsed = ReadDocument(m_impl->PathOf(fileName));
    const xmlNode* root
        = parsed->Doc != nullptr ? xmlDocGetRootElement(parsed->Doc.get()) : nullptr;
    xmlChar* location = root != nullptr
        ? xmlGetNsProp(root, BAD_CAST "noNamespaceSchemaLocation", BAD_CAST xml::kXsiNamespace)
        : nullptr;
    if (location != nullptr) {
        const std::string named(BaseName(reinterpret_cast<const char*>(location)));
        xmlFree(location);
        if (!named.empty() && named != "." && named != "..") {
            if (xml::IsRegularFile(m_impl->PathOf(named))) {
                schemaName = named;
            } else if (DIR* dir = ::opendir(m_moduleFolder.c_str())) {
                while (const dirent* entry = ::readdir(dir)) {
                    if (text::EqualsNoCase(entry->d_name, named)) {
                        schemaName = entry->d_name;
                        break;
                    }
                }
                ::closedir(dir);
            }
        }
    }
    return m_impl->Validate(fileName, schemaName, *parsed, errorText);
}

std::string FileAccess::ComponentErrorText(uint32_t code)
{
    if (const char* known = KnownComponentText(code))
        return known;
    if ((code & 0xFFFF0000u) == kXmlSystemErrorBase) {
        if (const char* system = strerrordesc_np(static_cast<int>(code & 0xFFFFu)))
            return system;
    }
    char buf[32];
    if (code >= 0x80040201u && code <= 0x8004FFFFu)
        std::snprintf(buf, sizeof buf, "IDispatch error #%d", static_cast<int>(code - 0x80040200u));
    else
        std::snprintf(buf, sizeof buf, "Unknown error 0x%0lX", static_cast<unsigned long>(code));
    return buf;
}

std::string FileAccess::SystemErrorText(uint32_t code)
{
    if (code <= static_cast<uint32_t>(INT_MAX)) {
        if (const char* system = strerrordesc_np(static_cast<int>(code))) {
            std::string text = system;
            const std::size_t cr = text.rfind('\r');
            if (cr != std::string::npos)
                text.erase(cr);
            return text;
        }
    }
    char buf[64];
    std::snprintf(
        buf, sizeof buf, "Unknown error code %08x (%d)", code, static_cast<int>(code & 0xFFFFu));
    return buf;
}

} // namespace eee
