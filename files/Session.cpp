// Session files: writing a session record and reading one back.
#include "files/FileAccess.h"

#include "calc/Format.h"

#include "files/AtomicFile.h"
#include "files/FileAccessImpl.h"
#include "files/TextUtil.h"
#include "files/XmlErrors.h"

#include <algorithm>
#include <cstring>

namespace eee {

namespace {

constexpr const char* kSessionRoot = "SessionData";
constexpr const char* kSessionSchema = "SessionData.xsd";

const xmlChar* X(const char* s)
{
    return reinterpret_cast<const xmlChar*>(s);
}

template <typename T> T* Require(T* p)
{
    if (p == nullptr)
        throw ComponentFailure {kXmlOutOfMemory, "Not enough memory to complete the operation"};
    return p;
}

void AddTextElement(xmlNode* parent, const char* name, const std::string& value)
{
    if (!text::IsXmlText(value))
        throw ComponentFailure {kXmlInvalidCharacter, {}};
    Require(xmlNewTextChild(parent, nullptr, X(name), X(value.c_str())));
}

void AddTextElement(xmlNode* parent, const char* name, int32_t value)
{
    AddTextElement(parent, name, std::to_string(value));
}

// The lists show block sizes such as "x4000"; a one-character text is stored
// with a "0" in front, so that it still has a leading character that the size
// reader skips.
std::string StoredBlockSize(const std::string& sizeText)
{
    return text::Utf8Length(sizeText) == 1 ? "0" + sizeText : sizeText;
}

} // namespace

bool FileAccess::WriteSession(
    const SessionRecord& record, const std::string& path, std::string& errorText)
{
    try {
        auto built = std::make_shared<ParsedDocument>();
        built->Doc.reset(Require(xmlNewDoc(X("1.0"))));
        m_impl->Document = built;
        xmlDoc* doc = built->Doc.get();

        Require(xmlAddChild(reinterpret_cast<xmlNode*>(doc),
            Require(xmlNewDocComment(doc, X("Current Session Data")))));
        xmlNode* root = Require(xmlNewDocNode(doc, nullptr, X(kSessionRoot), nullptr));
        xmlDocSetRootElement(doc, root);
        // Namespace declaration first, then the schema location: the reader
        // checks the two root attributes by position.
        xmlNs* xsi = Require(xmlNewNs(root, X(xml::kXsiNamespace), X("xsi")));
        Require(xmlNewNsProp(root, xsi, X("noNamespaceSchemaLocation"), X(kSessionSchema)));

        AddTextElement(root, "Scheme", record.Scheme);
        const std::string lifeTime = text::FormatLifeTime(record.LifeTime);
        if (lifeTime.empty())
            throw ComponentFailure {kXmlInvalidNumber, {}};
        AddTextElement(root, "LifeTime", lifeTime);
        xmlNode* blocks = Require(xmlNewChild(root, nullptr, X("BlocksSelected"), nullptr));
        const int32_t blockCount = std::clamp<int32_t>(record.BlocksSelected, 0, kMaxBlocks);
        for (int32_t i = 0; i < blockCount; ++i)
            AddTextElement(blocks, "BlockSize", StoredBlockSize(record.BlockSize[i]));
        AddTextElement(root, "CusOverheadEn", record.CusOverheadEn ? "-1" : "0");
        AddTextElement(root, "BlockOverhead", record.BlockOverhead);
        // The form has six data-type rows; entries beyond them are not written.
        const std::size_t rows
            = std::min(record.DataTypes.size(), static_cast<std::size_t>(kMaxDataTypes));
        for (std::size_t i = 0; i < rows; ++i) {
            const DataInfo& info = record.DataTypes[i];
            xmlNode* row = Require(xmlNewChild(root, nullptr, X("DataInfo"), nullptr));
            AddTextElement(row, "DataSize", info.DataSize);
            AddTextElement(row, "Updates", info.Updates);
            AddTextElement(row, "Records", info.Records);
            AddTextElement(row, "Frequency", info.Frequency);
            AddTextElement(row, "CusOverhead", info.CusOverhead);
        }

        xmlChar* memory = nullptr;
        int size = 0;
        xmlDocDumpFormatMemoryEnc(doc, &memory, &size, "UTF-8", 0);
        Require(memory);
        const std::string bytes(
            reinterpret_cast<const char*>(memory), static_cast<std::size_t>(size));
        xmlFree(memory);

        if (const int err = WriteFileAtomically(path, bytes); err != 0)
            throw ComponentFailure {XmlCodeFromErrno(err), {}};
        return true;
    } catch (const ComponentFailure& failure) {
        errorText = "Error saving session XML file " + ComponentErrorText(failure.Code) + ".";
        return false;
    }
}

bool FileAccess::ReadSession(
    SessionRecord& record, const std::string& fileName, std::string& errorText)
{
    try {
        std::string openError;
        if (!m_impl->OpenAndValidate(fileName, kSessionRoot, kSessionSchema, openError)) {
            errorText = openError;
            return false;
        }
        // Top-level elements are recognised by name (letter case ignored) in
        // any order; a repeated element overwrites, a repeated DataInfo appends.
        for (xmlNode* child = xml::FirstChild(m_impl->Root); child != nullptr;
             child = xml::NextSibling(child)) {
            const std::string name = xml::NodeName(child);
            if (text::EqualsNoCase(name, "Scheme")) {
                record.Scheme = xml::NodeText(child);
            } else if (text::EqualsNoCase(name, "LifeTime")) {
                record.LifeTime = text::ParseCFloat(xml::NodeText(child));
            } else if (text::EqualsNoCase(name, "BlocksSelected")) {
                record.BlocksSelected = 0;
                for (xmlNode* block = xml::FirstChild(child); block != nullptr;
                     block = xml::NextSibling(block)) {
                    if (!text::EqualsNoCase(xml::NodeName(block), "BlockSize"))
                        continue;
                    if (record.BlocksSelected >= kMaxBlocks) {
                        errorText = "File " + FileNameOf(fileName) + " selects more than "
                            + std::to_string(kMaxBlocks) + " blocks (BlockSize)!";
                        return false;
                    }
                    record.BlockSize[static_cast<std::size_t>(record.BlocksSelected++)]
                        = xml::NodeText(block);
                }
            } else if (text::EqualsNoCase(name, "CusOverheadEn")) {
                record.CusOverheadEn = text::ParseCInt(xml::NodeText(child)) != 0;
            } else if (text::EqualsNoCase(name, "BlockOverhead")) {
                record.BlockOverhead = text::ParseCInt(xml::NodeText(child));
            } else if (text::EqualsNoCase(name, "DataInfo")) {
                if (record.DataTypes.size() >= static_cast<std::size_t>(kMaxDataTypes)) {
                    errorText = "File " + FileNameOf(fileName) + " holds more than "
                        + std::to_string(kMaxDataTypes) + " data types (DataInfo)!";
                    return false;
                }
                // The five values are taken by position, whatever their names.
                xmlNode* field = xml::RequireFirstChild(child);
                DataInfo info;
                info.DataSize = text::ParseCInt(xml::NodeText(field));
                field = xml::RequireNextSibling(field);
                info.Updates = text::ParseCInt(xml::NodeText(field));
                field = xml::RequireNextSibling(field);
                info.Records = text::ParseCInt(xml::NodeText(field));
                field = xml::RequireNextSibling(field);
                info.Frequency = text::ParseCInt(xml::NodeText(field));
                field = xml::RequireNextSibling(field);
                info.CusOverhead = text::ParseCInt(xml::NodeText(field));
                record.DataTypes.push_back(info);
            }
        }
        return true;
    } catch (const ComponentFailure& failure) {
        errorText = ComponentErrorText(failure.Code);
        return false;
    }
}

} // namespace eee
