// The private side of FileAccess, shared by its source files.
#pragma once

#include "files/AttributeOrder.h"
#include "files/FileAccess.h"
#include "files/XmlLibrary.h"
#include "files/XmlTree.h"

#include <memory>
#include <string>

namespace eee {

// A document together with the bytes it was parsed from (empty for a document
// the program built itself) and their text in UTF-8. The text is kept because
// the order of namespace declarations among attributes, and the source line
// of a message, can only be read from it.
struct ParsedDocument
{
    ParsedDocument() = default;
    ParsedDocument(const ParsedDocument&) = delete;
    ParsedDocument& operator=(const ParsedDocument&) = delete;

    std::string Bytes;
    std::string Text;
    xml::DocPtr Doc;
    xml::AttributeOrder Order {Text};
};

struct FileAccess::Impl
{
    std::string ModuleFolder;
    // The document of the last parse or write.
    std::shared_ptr<ParsedDocument> Document;
    // The root element of the last successful parse, and the document that
    // owns it (kept alive even after Document has been replaced).
    std::shared_ptr<ParsedDocument> RootDocument;
    xmlNode* Root = nullptr;

    // Module folder joined with a bare file name; an absolute path as given.
    std::string PathOf(const std::string& fileName) const;

    bool ParseFile(const std::string& fileName, std::string& errorText);
    // May throw ComponentFailure (a root element with fewer than two attributes).
    bool OpenAndValidate(const std::string& fileName, const std::string& rootName,
        const std::string& schemaName, std::string& errorText);
    // Validating parse of the file against the schema of that name in the module folder.
    bool Validate(
        const std::string& fileName, const std::string& schemaName, std::string& errorText);

    // Value of attribute number position of an element of the held root's
    // document; throws ComponentFailure when it has no such attribute.
    std::string Attribute(const xmlNode* element, std::size_t position) const;
};

} // namespace eee
