// The libxml2 layer under FileAccess: reading files with a size cap, parsing
// without network, DTDs or entity expansion, capturing the library's error
// messages, compiling and applying schemas, and walking the tree by position.
#pragma once

#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace eee::xml {

// No data file of the program comes near this; anything larger is refused
// before the parser sees it.
inline constexpr std::size_t kMaxFileBytes = 1u << 20;

inline constexpr const char* kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";

// Once per process: library initialisation and an external-entity loader that
// refuses every request, so no file or URL is ever fetched behind our back.
void InitLibrary();

enum class ReadStatus { Ok, NotFound, TooLarge, NotRegular, Error };

// Reads a regular file of at most kMaxFileBytes into bytes. err receives the
// errno of a failure (0 otherwise).
ReadStatus ReadFileCapped(const std::string& path, std::string& bytes, int& err);

// True when path names an existing regular file.
bool IsRegularFile(const std::string& path);

// While alive, every error that libxml2 reports on this thread is recorded
// here instead of being printed; the first one is kept as the reason.
class ErrorCapture
{
public:
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    void Note(std::string_view message, int line);
    bool HasError() const { return m_count > 0; }
    int Count() const { return m_count; }
    const std::string& Message() const { return m_message; }
    int Line() const { return m_line; }
    // "Line N: message", or the message alone when no line is known.
    std::string Reason() const;

    static ErrorCapture* Current();

private:
    ErrorCapture* m_previous = nullptr;
    void* m_oldStructuredContext = nullptr;
    xmlStructuredErrorFunc m_oldStructured = nullptr;
    void* m_oldGenericContext = nullptr;
    xmlGenericErrorFunc m_oldGeneric = nullptr;
    int m_count = 0;
    std::string m_message;
    int m_line = 0;
};

struct DocDeleter
{
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

// Parses a document held in memory. Returns null on any error (not well
// formed, a DOCTYPE, bad encoding, too deep); the capture holds the reason.
DocPtr ParseMemory(std::string_view bytes, ErrorCapture& capture);

// A schema compiled from the text of an .xsd file.
class Schema
{
public:
    // Null on failure; the capture holds the reason.
    static std::unique_ptr<Schema> Compile(std::string_view xsdBytes, ErrorCapture& capture);
    ~Schema();
    Schema(const Schema&) = delete;
    Schema& operator=(const Schema&) = delete;

    // True when the document is valid; otherwise the capture holds the reason.
    bool Validate(xmlDoc* doc, ErrorCapture& capture) const;

private:
    Schema() = default;
    DocPtr m_doc;
    xmlSchemaPtr m_schema = nullptr;
};

// Tree walking. White-space-only text is not a node; every other node
// (element, text, CDATA, comment, processing instruction) is.
xmlNode* FirstChild(const xmlNode* node);
xmlNode* NextSibling(const xmlNode* node);
// Child number k (from 0); throws ComponentFailure when there is none.
xmlNode* ChildAt(const xmlNode* node, std::size_t k);
// The first child; throws ComponentFailure when there is none.
xmlNode* RequireFirstChild(const xmlNode* node);
// The next sibling; throws ComponentFailure when there is none.
xmlNode* RequireNextSibling(const xmlNode* node);

// Qualified name of an element ("xsi:x"), target of a processing instruction,
// "#text", "#cdata-section" or "#comment" for the others.
std::string NodeName(const xmlNode* node);
// Concatenated character data of the node and its descendants, trimmed.
std::string NodeText(const xmlNode* node);

// The order in which a document's text writes the attributes and namespace
// declarations of its elements (the tree keeps the two kinds apart).
class AttributeOrder
{
public:
    explicit AttributeOrder(std::string source);
    ~AttributeOrder();
    AttributeOrder(const AttributeOrder&) = delete;
    AttributeOrder& operator=(const AttributeOrder&) = delete;

    const std::string& Source() const { return m_source; }
    // The names in the start tag of an element of the document parsed from
    // the source text; null when the text cannot tell.
    const std::vector<std::string>* NamesOf(const xmlNode* element);

private:
    struct Index;
    std::string m_source;
    std::unique_ptr<Index> m_index;
};

// Value of the attribute at a position (from 0) of an element, namespace
// declarations included, in the order the document writes them. Throws
// ComponentFailure when the element has no such attribute.
std::string AttributeValue(const xmlNode* element, std::size_t position, AttributeOrder& order);

// Line number line (from 1) of a text, without its line break; empty when the
// text has fewer lines.
std::string_view LineOfText(std::string_view text, int line);

} // namespace eee::xml
