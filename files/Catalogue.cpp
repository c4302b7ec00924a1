// The scheme catalogue SchemeInfo.xml: scheme names and one scheme's details.
// Every call reads the file and its schema afresh, so an edited catalogue takes
// effect at the next call; while neither changes, the document validated last is
// used again rather than parsed and validated anew.
#include "files/FileAccess.h"

#include "files/FileAccessImpl.h"
#include "files/TextUtil.h"
#include "files/XmlErrors.h"

namespace eee {

namespace {

constexpr const char* kCatalogueFile = "SchemeInfo.xml";
constexpr const char* kCatalogueRoot = "Products";
constexpr const char* kCatalogueSchema = "SchemeInfo.xsd";

// A scheme entry holds the alignment, the data-retention flag, then its blocks.
constexpr std::size_t kFirstBlockChild = 2;

} // namespace

bool FileAccess::Impl::OpenCatalogue(std::string& errorText)
{
    std::string bytes;
    int err = 0;
    const auto sameBytes = [&](const std::string& name, const std::string& kept) {
        bytes.clear();
        return xml::ReadFileCapped(PathOf(name), bytes, err) == xml::ReadStatus::Ok
            && bytes == kept;
    };
    if (Catalogue && sameBytes(kCatalogueFile, Catalogue->Document->Bytes)
        && sameBytes(kCatalogueSchema, Catalogue->SchemaBytes)) {
        Document = Catalogue->Document;
        RootDocument = Catalogue->Document;
        Root = Catalogue->Root;
        return true;
    }
    Catalogue.reset();
    // The schema as it is before the validation: should it change meanwhile, the next
    // call sees other bytes and validates again.
    std::string schema;
    const bool schemaRead
        = xml::ReadFileCapped(PathOf(kCatalogueSchema), schema, err) == xml::ReadStatus::Ok;
    if (!OpenAndValidate(kCatalogueFile, kCatalogueRoot, kCatalogueSchema, errorText))
        return false;
    if (schemaRead && Root != nullptr)
        Catalogue = ValidatedCatalogue {Document, Root, std::move(schema)};
    return true;
}

void FileAccess::ReadSchemeList(std::string& errorText, std::vector<std::string>& names)
{
    errorText.clear();
    try {
        if (!m_impl->OpenCatalogue(errorText))
            return;
        if (m_impl->Root == nullptr)
            return;
        for (xmlNode* entry = xml::FirstChild(m_impl->Root); entry != nullptr;
             entry = xml::NextSibling(entry))
            names.push_back(m_impl->Attribute(entry, 0));
    } catch (const ComponentFailure& failure) {
        errorText = failure.Description;
    }
}

std::string FileAccess::ReadBlockInfo(const std::string& scheme, std::string& errorText,
    std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention)
{
    errorText.clear();
    try {
        if (!m_impl->OpenCatalogue(errorText))
            return errorText;
        if (m_impl->Root == nullptr)
            return errorText;
        xmlNode* entry = xml::FirstChild(m_impl->Root);
        for (; entry != nullptr; entry = xml::NextSibling(entry)) {
            if (text::EqualsNoCase(m_impl->Attribute(entry, 0), scheme))
                break;
        }
        if (entry == nullptr) {
            errorText = "Scheme " + scheme + " is not listed in " + kCatalogueFile + "!";
            return errorText;
        }

        const int32_t alignment = text::ParseCInt(xml::NodeText(xml::ChildAt(entry, 0)));
        // Records are padded to a multiple of the alignment, which needs a
        // positive value; such an entry is refused rather than passed on.
        if (alignment <= 0) {
            errorText = "Scheme " + scheme + " has an invalid record alignment in " + kCatalogueFile
                + "!";
            return errorText;
        }
        recordAlignment = alignment;
        dataRetention = text::ParseCInt(xml::NodeText(xml::ChildAt(entry, 1))) != 0;

        // The form has six block size lists; an entry offering more is refused
        // before any of its blocks is handed out.
        std::size_t blockCount = 0;
        for (xmlNode* child = xml::NextSibling(xml::ChildAt(entry, 1)); child != nullptr;
             child = xml::NextSibling(child))
            ++blockCount;
        if (blockCount > static_cast<std::size_t>(kMaxBlocks)) {
            errorText = "Scheme " + scheme + " lists more than " + std::to_string(kMaxBlocks)
                + " block sizes in " + kCatalogueFile + "!";
            return errorText;
        }

        int32_t index = 0;
        for (xmlNode* child = xml::NextSibling(xml::ChildAt(entry, kFirstBlockChild - 1));
             child != nullptr; child = xml::NextSibling(child)) {
            BlockInfo block;
            block.Index = index++;
            block.SizeText = xml::NodeText(xml::RequireFirstChild(child));
            blocks.push_back(std::move(block));
        }
    } catch (const ComponentFailure& failure) {
        errorText = failure.Description;
    }
    return errorText;
}

} // namespace eee
