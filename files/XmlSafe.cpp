#include "files/XmlSafe.h"

#include "files/TextUtil.h"
#include "files/XmlErrors.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace eee::xml {

namespace {

// NONET: never touch the network. BIG_LINES: true line numbers past 65535.
// Deliberately absent: NOENT (entity expansion), DTDLOAD, DTDVALID, HUGE.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES;

thread_local ErrorCapture* tCurrentCapture = nullptr;

void CaptureStructured(void* /*context*/, xmlErrorPtr error)
{
    ErrorCapture* capture = tCurrentCapture;
    if (capture == nullptr || error == nullptr || error->level < XML_ERR_ERROR)
        return;
    capture->Note(error->message != nullptr ? error->message : "Unknown XML error.", error->line);
}

void IgnoreGeneric(void* /*context*/, const char* /*message*/, ...) { }

xmlParserInputPtr RefuseExternalEntity(
    const char* url, const char* /*id*/, xmlParserCtxtPtr context)
{
    if (ErrorCapture* capture = tCurrentCapture) {
        const int line
            = (context != nullptr && context->input != nullptr) ? context->input->line : 0;
        capture->Note(std::string("Loading of the external resource '")
                + (url != nullptr ? url : "") + "' was refused.",
            line);
    }
    return nullptr;
}

// A document type declaration is where entity definitions (and with them
// entity bombs and external entities) live; none of our files has one, so the
// parse is stopped as soon as one begins.
void RefuseDoctype(void* context, const xmlChar* /*name*/, const xmlChar* /*externalId*/,
    const xmlChar* /*systemId*/)
{
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    if (ErrorCapture* capture = tCurrentCapture) {
        const int line = parser->input != nullptr ? parser->input->line : 0;
        capture->Note("A document type declaration (DOCTYPE) is not allowed.", line);
    }
    xmlStopParser(parser);
}

// libxml2 2.9 checks the attributes of one start tag against each other in
// quadratic time, so a 1 MiB tag of tiny attributes takes minutes. Every
// attribute and namespace declaration needs an '=' sign; capping their number
// in the whole document bounds that work. Our files hold a handful.
constexpr std::size_t kMaxEqualSigns = 4096;

// Character encodings whose '=' is the single byte 0x3D and never part of a
// longer sequence; anything else is refused rather than guessed at.
bool IsByteSafeEncoding(std::string_view name)
{
    const auto startsWithNoCase = [&](std::string_view prefix) {
        return name.size() >= prefix.size()
            && text::EqualsNoCase(name.substr(0, prefix.size()), prefix);
    };
    return text::EqualsNoCase(name, "UTF-8") || text::EqualsNoCase(name, "UTF8")
        || text::EqualsNoCase(name, "US-ASCII") || text::EqualsNoCase(name, "ASCII")
        || startsWithNoCase("ISO-8859-") || startsWithNoCase("ISO8859-")
        || startsWithNoCase("LATIN") || startsWithNoCase("WINDOWS-125")
        || startsWithNoCase("CP125");
}

// Why a document text is refused before parsing, or empty when it may be parsed.
std::string RefusalReason(std::string_view bytes)
{
    const auto startsWith = [&](std::string_view prefix) { return bytes.starts_with(prefix); };
    using namespace std::string_view_literals;
    // Layouts that libxml2 recognises by their first bytes but whose
    // characters our checks cannot see: UCS-4 and EBCDIC.
    if (startsWith("\x00\x00\x00\x3C"sv) || startsWith("\x3C\x00\x00\x00"sv)
        || startsWith("\x00\x00\x3C\x00"sv) || startsWith("\x00\x3C\x00\x00"sv)
        || startsWith("\x4C\x6F\xA7\x94"sv) || startsWith("\x00\x00\xFE\xFF"sv)
        || startsWith("\xFF\xFE\x00\x00"sv))
        return "The character encoding of the document is not supported.";

    // Code units: single bytes, or 16 bits for UTF-16 (with or without its mark).
    int unitBytes = 1;
    bool bigEndian = false;
    std::size_t start = 0;
    if (startsWith("\xFF\xFE"sv) || startsWith("\x3C\x00\x3F\x00"sv)) {
        unitBytes = 2;
        start = startsWith("\xFF\xFE"sv) ? 2 : 0;
    } else if (startsWith("\xFE\xFF"sv) || startsWith("\x00\x3C\x00\x3F"sv)) {
        unitBytes = 2;
        bigEndian = true;
        start = startsWith("\xFE\xFF"sv) ? 2 : 0;
    } else if (startsWith("\xEF\xBB\xBF"sv)) {
        start = 3;
    }
    const std::size_t units = (bytes.size() - start) / static_cast<std::size_t>(unitBytes);
    const auto unit = [&](std::size_t i) -> unsigned {
        const std::size_t at = start + i * static_cast<std::size_t>(unitBytes);
        if (unitBytes == 1)
            return static_cast<unsigned char>(bytes[at]);
        const unsigned a = static_cast<unsigned char>(bytes[at]);
        const unsigned b = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };

    // The encoding named by the XML declaration, if any.
    // The whole declaration is read: an encoding hidden behind padding must not
    // slip past the check.
    constexpr std::size_t kMaxDeclaration = 1024;
    std::string head;
    for (std::size_t i = 0; i < units && i < kMaxDeclaration; ++i) {
        const unsigned u = unit(i);
        head += (u < 0x80) ? static_cast<char>(u) : '?';
    }
    if (head.starts_with("<?xml")) {
        const std::size_t end = head.find("?>");
        if (end == std::string::npos)
            return "The XML declaration is not closed within " + std::to_string(kMaxDeclaration)
                + " characters.";
        const std::string_view declaration = std::string_view(head).substr(0, end);
        const std::size_t key = declaration.find("encoding");
        if (key != std::string_view::npos) {
            const std::size_t open = declaration.find_first_of("\"'", key);
            const std::size_t close = open == std::string_view::npos
                ? std::string_view::npos
                : declaration.find(declaration[open], open + 1);
            const std::string_view name = close == std::string_view::npos
                ? std::string_view()
                : declaration.substr(open + 1, close - open - 1);
            const bool supported = unitBytes == 2
                ? (text::EqualsNoCase(name, "UTF-16") || text::EqualsNoCase(name, "UTF16"))
                : IsByteSafeEncoding(name);
            if (!supported)
                return "The character encoding '" + text::ShowableText(name, 40)
                    + "' is not supported.";
        }
    }

    std::size_t equalSigns = 0;
    for (std::size_t i = 0; i < units; ++i) {
        if (unit(i) == '=' && ++equalSigns > kMaxEqualSigns)
            return "The document holds more than " + std::to_string(kMaxEqualSigns)
                + " '=' signs (attributes).";
    }
    return {};
}

bool IsWhiteSpaceText(const xmlNode* node)
{
    if (node->type != XML_TEXT_NODE)
        return false;
    const char* content = reinterpret_cast<const char*>(node->content);
    if (content == nullptr)
        return true;
    return text::TrimXmlSpace(content).empty();
}

bool IsNode(const xmlNode* node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_ENTITY_REF_NODE:
    case XML_PI_NODE:
    case XML_COMMENT_NODE:
        return true;
    case XML_TEXT_NODE:
        return !IsWhiteSpaceText(node);
    default:
        return false;
    }
}

xmlNode* FirstNodeFrom(xmlNode* node)
{
    while (node != nullptr && !IsNode(node))
        node = node->next;
    return node;
}

[[noreturn]] void ThrowNodeNotFound()
{
    // A node that is not there comes without a description of its own; callers
    // that need a text build it from the code.
    throw ComponentFailure {kXmlNodeNotFound, ""};
}

std::string XmlString(const xmlChar* s)
{
    return s != nullptr ? std::string(reinterpret_cast<const char*>(s)) : std::string();
}

std::string TakeXmlString(xmlChar* s)
{
    std::string out = XmlString(s);
    xmlFree(s);
    return out;
}

std::string QualifiedName(const xmlChar* prefix, const xmlChar* name)
{
    if (prefix == nullptr)
        return XmlString(name);
    return XmlString(prefix) + ":" + XmlString(name);
}

bool IsTagSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Attribute names (namespace declarations included) of every start tag of a
// well-formed document text, in document order. False when the text cannot
// be scanned this way (for example a document not encoded in UTF-8).
bool ScanStartTags(std::string_view text, std::vector<std::vector<std::string>>& tags)
{
    std::size_t pos = 0;
    const auto skipPast = [&](std::string_view terminator) {
        const std::size_t end = text.find(terminator, pos);
        if (end == std::string_view::npos)
            return false;
        pos = end + terminator.size();
        return true;
    };
    const auto skipSpace = [&] {
        while (pos < text.size() && IsTagSpace(text[pos]))
            ++pos;
    };
    for (;;) {
        pos = text.find('<', pos);
        if (pos == std::string_view::npos)
            return true;
        const std::string_view rest = text.substr(pos);
        if (rest.starts_with("<!--")) {
            if (!skipPast("-->"))
                return false;
        } else if (rest.starts_with("<![CDATA[")) {
            if (!skipPast("]]>"))
                return false;
        } else if (rest.starts_with("<?")) {
            if (!skipPast("?>"))
                return false;
        } else if (rest.starts_with("<!")) {
            return false;
        } else if (rest.starts_with("</")) {
            if (!skipPast(">"))
                return false;
        } else {
            // A start tag: name, then name="value" pairs, then '>' or "/>".
            ++pos;
            while (
                pos < text.size() && !IsTagSpace(text[pos]) && text[pos] != '>' && text[pos] != '/')
                ++pos;
            std::vector<std::string>& names = tags.emplace_back();
            for (;;) {
                skipSpace();
                if (pos >= text.size())
                    return false;
                if (text[pos] == '>' || text[pos] == '/')
                    break;
                const std::size_t nameStart = pos;
                while (pos < text.size() && !IsTagSpace(text[pos]) && text[pos] != '=')
                    ++pos;
                names.emplace_back(text.substr(nameStart, pos - nameStart));
                skipSpace();
                if (pos >= text.size() || text[pos] != '=')
                    return false;
                ++pos;
                skipSpace();
                if (pos >= text.size() || (text[pos] != '"' && text[pos] != '\''))
                    return false;
                const std::size_t close = text.find(text[pos], pos + 1);
                if (close == std::string_view::npos)
                    return false;
                pos = close + 1;
            }
        }
    }
}

struct AttributeRef
{
    const xmlNs* Namespace = nullptr; // a namespace declaration, or
    const xmlAttr* Attribute = nullptr; // an ordinary attribute
};

} // namespace

struct AttributeOrder::Index
{
    bool Usable = false;
    std::vector<std::vector<std::string>> Tags;
    std::unordered_map<const xmlNode*, std::size_t> Position;
};

AttributeOrder::AttributeOrder(std::string source)
    : m_source(std::move(source))
{ }

AttributeOrder::~AttributeOrder() = default;

const std::vector<std::string>* AttributeOrder::NamesOf(const xmlNode* element)
{
    if (m_index == nullptr) {
        // Built once per document, on first need: one pass over the text and
        // one over the tree, so that asking for every element stays linear.
        m_index = std::make_unique<Index>();
        if (element->doc != nullptr && ScanStartTags(m_source, m_index->Tags)) {
            std::size_t count = 0;
            const xmlNode* node = xmlDocGetRootElement(element->doc);
            while (node != nullptr) {
                if (node->type == XML_ELEMENT_NODE)
                    m_index->Position.emplace(node, count++);
                if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
                    node = node->children;
                    continue;
                }
                while (node != nullptr && node->next == nullptr)
                    node = node->parent;
                if (node != nullptr)
                    node = node->next;
            }
            m_index->Usable = count == m_index->Tags.size();
        }
    }
    if (!m_index->Usable)
        return nullptr;
    const auto found = m_index->Position.find(element);
    return found != m_index->Position.end() ? &m_index->Tags[found->second] : nullptr;
}

namespace {

std::vector<AttributeRef> OrderedAttributes(const xmlNode* element, AttributeOrder& order)
{
    std::vector<AttributeRef> declarations;
    for (const xmlNs* ns = element->nsDef; ns != nullptr; ns = ns->next)
        declarations.push_back({ns, nullptr});
    std::vector<AttributeRef> attributes;
    for (const xmlAttr* attr = element->properties; attr != nullptr; attr = attr->next)
        attributes.push_back({nullptr, attr});
    if (declarations.empty())
        return attributes;
    if (attributes.empty())
        return declarations;

    // Both kinds present: the parser keeps namespace declarations apart from
    // the other attributes, so their mutual order is read from the text.
    const std::vector<std::string>* names = order.NamesOf(element);
    if (names != nullptr && names->size() == declarations.size() + attributes.size()) {
        std::unordered_map<std::string, AttributeRef> byName;
        for (const AttributeRef& ref : declarations) {
            const xmlChar* prefix = ref.Namespace->prefix;
            byName.emplace(prefix != nullptr ? "xmlns:" + XmlString(prefix) : "xmlns", ref);
        }
        for (const AttributeRef& ref : attributes) {
            const xmlAttr* attr = ref.Attribute;
            byName.emplace(
                QualifiedName(attr->ns != nullptr ? attr->ns->prefix : nullptr, attr->name), ref);
        }
        std::vector<AttributeRef> ordered;
        for (const std::string& name : *names) {
            const auto found = byName.find(name);
            if (found == byName.end())
                break;
            ordered.push_back(found->second);
        }
        if (ordered.size() == names->size())
            return ordered;
    }
    // Fall back to declarations first, which is how they are usually written.
    declarations.insert(declarations.end(), attributes.begin(), attributes.end());
    return declarations;
}

} // namespace

void InitLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(&RefuseExternalEntity);
    });
}

ReadStatus ReadFileCapped(const std::string& path, std::string& bytes, int& err)
{
    bytes.clear();
    err = 0;
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        err = errno;
        return (err == ENOENT || err == ENOTDIR) ? ReadStatus::NotFound : ReadStatus::Error;
    }
    struct stat st
    { };
    ReadStatus status = ReadStatus::Ok;
    if (::fstat(fd, &st) != 0) {
        err = errno;
        status = ReadStatus::Error;
    } else if (!S_ISREG(st.st_mode)) {
        status = ReadStatus::NotRegular;
    } else if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes) {
        status = ReadStatus::TooLarge;
    } else {
        // One byte more than fstat reported shows whether the file has grown
        // since; the buffer then grows, up to one byte past the cap.
        bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
        std::size_t total = 0;
        for (;;) {
            if (total == bytes.size()) {
                if (total > kMaxFileBytes)
                    break;
                bytes.resize(std::min(2 * total, kMaxFileBytes + 1));
            }
            const ssize_t n = ::read(fd, bytes.data() + total, bytes.size() - total);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                err = errno;
                status = ReadStatus::Error;
                break;
            }
            if (n == 0)
                break;
            total += static_cast<std::size_t>(n);
        }
        bytes.resize(total);
        if (status == ReadStatus::Ok && total > kMaxFileBytes)
            status = ReadStatus::TooLarge;
    }
    ::close(fd);
    if (status != ReadStatus::Ok)
        bytes.clear();
    return status;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st
    { };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

ErrorCapture::ErrorCapture()
    : m_previous(tCurrentCapture)
    , m_oldStructuredContext(xmlStructuredErrorContext)
    , m_oldStructured(xmlStructuredError)
    , m_oldGenericContext(xmlGenericErrorContext)
    , m_oldGeneric(xmlGenericError)
{
    tCurrentCapture = this;
    xmlSetStructuredErrorFunc(nullptr, &CaptureStructured);
    xmlSetGenericErrorFunc(nullptr, &IgnoreGeneric);
}

ErrorCapture::~ErrorCapture()
{
    xmlSetGenericErrorFunc(m_oldGenericContext, m_oldGeneric);
    xmlSetStructuredErrorFunc(m_oldStructuredContext, m_oldStructured);
    tCurrentCapture = m_previous;
}

ErrorCapture* ErrorCapture::Current()
{
    return tCurrentCapture;
}

void ErrorCapture::Note(std::string_view message, int line)
{
    if (m_count++ > 0)
        return;
    // libxml2 spreads some messages over two lines; the reason is one line of
    // the messages built from it.
    std::string oneLine(text::TrimXmlSpace(message));
    for (char& c : oneLine) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    m_message = text::ShowableText(oneLine, 1024);
    m_line = line;
}

std::string ErrorCapture::Reason() const
{
    if (m_line > 0)
        return "Line " + std::to_string(m_line) + ": " + m_message;
    return m_message;
}

DocPtr ParseMemory(std::string_view bytes, ErrorCapture& capture)
{
    if (bytes.empty()) {
        capture.Note("Document is empty.", 0);
        return nullptr;
    }
    if (bytes.size() > kMaxFileBytes || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        capture.Note("The document is larger than " + std::to_string(kMaxFileBytes) + " bytes.", 0);
        return nullptr;
    }
    if (const std::string refusal = RefusalReason(bytes); !refusal.empty()) {
        capture.Note(refusal, 0);
        return nullptr;
    }
    xmlParserCtxtPtr parser
        = xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size()));
    if (parser == nullptr) {
        capture.Note("Not enough memory to parse the document.", 0);
        return nullptr;
    }
    xmlCtxtUseOptions(parser, kParseOptions);
    parser->sax->internalSubset = &RefuseDoctype;
    parser->sax->serror = &CaptureStructured;
    const int errorsBefore = capture.Count();
    xmlParseDocument(parser);
    DocPtr doc(parser->myDoc);
    parser->myDoc = nullptr;
    // Errors that libxml2 reports without clearing wellFormed (namespace
    // errors, a refused DOCTYPE) make the document unusable too.
    const bool ok = doc != nullptr && parser->wellFormed && capture.Count() == errorsBefore;
    xmlFreeParserCtxt(parser);
    if (!ok) {
        if (capture.Count() == errorsBefore)
            capture.Note("The document is not well formed.", 0);
        return nullptr;
    }
    return doc;
}

std::unique_ptr<Schema> Schema::Compile(std::string_view xsdBytes, ErrorCapture& capture)
{
    std::unique_ptr<Schema> schema(new Schema());
    schema->m_doc = ParseMemory(xsdBytes, capture);
    if (schema->m_doc == nullptr)
        return nullptr;
    // The schema document was parsed by us (no DTD, nothing external); the
    // schema parser works from that tree and never opens a file itself.
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewDocParserCtxt(schema->m_doc.get());
    if (parser == nullptr) {
        capture.Note("Not enough memory to compile the schema.", 0);
        return nullptr;
    }
    xmlSchemaSetParserStructuredErrors(parser, &CaptureStructured, nullptr);
    const int errorsBefore = capture.Count();
    schema->m_schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    if (schema->m_schema == nullptr) {
        if (capture.Count() == errorsBefore)
            capture.Note("The schema could not be compiled.", 0);
        return nullptr;
    }
    return schema;
}

Schema::~Schema()
{
    if (m_schema != nullptr)
        xmlSchemaFree(m_schema);
}

bool Schema::Validate(xmlDoc* doc, ErrorCapture& capture) const
{
    xmlSchemaValidCtxtPtr validator = xmlSchemaNewValidCtxt(m_schema);
    if (validator == nullptr) {
        capture.Note("Not enough memory to validate the document.", 0);
        return false;
    }
    xmlSchemaSetValidStructuredErrors(validator, &CaptureStructured, nullptr);
    const int errorsBefore = capture.Count();
    const int rc = xmlSchemaValidateDoc(validator, doc);
    xmlSchemaFreeValidCtxt(validator);
    if (rc == 0 && capture.Count() == errorsBefore)
        return true;
    if (capture.Count() == errorsBefore)
        capture.Note("The document is not valid against its schema.", 0);
    return false;
}

xmlNode* FirstChild(const xmlNode* node)
{
    if (node == nullptr)
        return nullptr;
    // Only elements (and the document) have children that count; the content
    // of an attribute, text or comment is not a child node.
    if (node->type != XML_ELEMENT_NODE && node->type != XML_DOCUMENT_NODE)
        return nullptr;
    return FirstNodeFrom(node->children);
}

xmlNode* NextSibling(const xmlNode* node)
{
    return node != nullptr ? FirstNodeFrom(node->next) : nullptr;
}

xmlNode* ChildAt(const xmlNode* node, std::size_t k)
{
    xmlNode* child = FirstChild(node);
    for (std::size_t i = 0; child != nullptr && i < k; ++i)
        child = NextSibling(child);
    if (child == nullptr)
        ThrowNodeNotFound();
    return child;
}

xmlNode* RequireFirstChild(const xmlNode* node)
{
    xmlNode* child = FirstChild(node);
    if (child == nullptr)
        ThrowNodeNotFound();
    return child;
}

xmlNode* RequireNextSibling(const xmlNode* node)
{
    xmlNode* next = NextSibling(node);
    if (next == nullptr)
        ThrowNodeNotFound();
    return next;
}

std::string NodeName(const xmlNode* node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
        return QualifiedName(node->ns != nullptr ? node->ns->prefix : nullptr, node->name);
    case XML_TEXT_NODE:
        return "#text";
    case XML_CDATA_SECTION_NODE:
        return "#cdata-section";
    case XML_COMMENT_NODE:
        return "#comment";
    default:
        return XmlString(node->name);
    }
}

std::string NodeText(const xmlNode* node)
{
    std::string content = TakeXmlString(xmlNodeGetContent(node));
    return std::string(text::TrimXmlSpace(content));
}

std::string AttributeValue(const xmlNode* element, std::size_t position, AttributeOrder& order)
{
    if (element == nullptr || element->type != XML_ELEMENT_NODE)
        ThrowNodeNotFound();
    const std::vector<AttributeRef> attributes = OrderedAttributes(element, order);
    if (position >= attributes.size())
        ThrowNodeNotFound();
    const AttributeRef& ref = attributes[position];
    if (ref.Namespace != nullptr)
        return XmlString(ref.Namespace->href);
    return TakeXmlString(xmlNodeGetContent(reinterpret_cast<const xmlNode*>(ref.Attribute)));
}

std::string_view LineOfText(std::string_view text, int line)
{
    if (line < 1)
        return {};
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos)
            return {};
        start = lf + 1;
    }
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
        end = text.size();
    std::string_view result = text.substr(start, end - start);
    if (!result.empty() && result.back() == '\r')
        result.remove_suffix(1);
    return result;
}

} // namespace eee::xml
