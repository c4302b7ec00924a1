// The private side of FileAccess, shared by its source files.
#pragma once

#include "files/AttributeOrder.h"
#include "files/CappedRead.h"
#include "files/FileAccess.h"
#include "files/XmlLibrary.h"
#include "files/XmlTree.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace eee {

// A data file read once into memory, its text in UTF-8, and the document
// parsed from those bytes (none for a file that could not be read or parsed;
// no bytes for a document the program built itself). Everything about one
// file, its validation included, is answered from this one read. The text is
// kept because the order of namespace declarations among attributes, and the
// source line of a message, can only be read from it.
struct ParsedDocument
{
    ParsedDocument() = default;
    ParsedDocument(const ParsedDocument&) = delete;
    ParsedDocument& operator=(const ParsedDocument&) = delete;

    struct Failure
    {
        std::string Message;
        int Line = 0;
        std::string Reason; // both together, as ErrorCapture::Reason gives them
    };

    xml::ReadStatus Status = xml::ReadStatus::Ok;
    int Errno = 0; // of a failed read
    std::string Bytes;
    std::string Text;
    xml::DocPtr Doc;
    Failure ParseFailure; // why there is no document, for bytes that were read
    xml::AttributeOrder Order {Text};
};

// Reads the file at path once and parses those bytes; comments and processing
// instructions are gone from the document.
std::shared_ptr<ParsedDocument> ReadDocument(const std::string& path);

namespace xml {
class Schema;
}

// A schema as read and compiled from the module folder: the schema, or why there is none.
struct CompiledSchema
{
    std::shared_ptr<const xml::Schema> Schema;
    std::string Reason; // when there is no schema
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
    // Validation of the file's document against the schema of that name in
    // the module folder; fileName only names the file in messages.
    bool Validate(const std::string& fileName, const std::string& schemaName,
        const ParsedDocument& parsed, std::string& errorText) const;

    // The schema of that name in the module folder, read and compiled afresh, or the one
    // of this name compiled earlier while a SchemaReuse lives.
    CompiledSchema SchemaOf(const std::string& schemaName) const;
    // Set while a SchemaReuse lives: the schemas compiled so far, by name.
    mutable std::optional<std::map<std::string, CompiledSchema>> Schemas;
    // The last schema compiled for each name with the bytes it was compiled from: a
    // schema file read again with the same bytes is not compiled again.
    mutable std::map<std::string, std::pair<std::string, CompiledSchema>> LastCompiled;

    // Value of attribute number position of an element of the held root's
    // document; throws ComponentFailure when it has no such attribute.
    std::string Attribute(const xmlNode* element, std::size_t position) const;
};

} // namespace eee
