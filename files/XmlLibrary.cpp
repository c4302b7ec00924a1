#include "files/XmlLibrary.h"

#include "files/CappedRead.h"
#include "files/TextEncoding.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <climits>
#include <mutex>
#include <string>

namespace eee::xml {

namespace {

// NONET: never touch the network. BIG_LINES: true line numbers past 65535.
// Deliberately absent: NOENT (entity expansion), DTDLOAD, DTDVALID, HUGE.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES;

// libxml2 2.9 checks the attributes of one start tag against each other in
// quadratic time, so a 1 MiB tag of tiny attributes takes minutes. Every
// attribute and namespace declaration needs an '=' sign; capping their number
// in the whole document bounds that work. Our files hold a handful.
constexpr std::size_t kMaxEqualSigns = 4096;

xmlParserInputPtr RefuseExternalEntity(
    const char* url, const char* /*id*/, xmlParserCtxtPtr context)
{
    if (ErrorCapture* capture = ErrorCapture::Current()) {
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
    if (ErrorCapture* capture = ErrorCapture::Current()) {
        const int line = parser->input != nullptr ? parser->input->line : 0;
        capture->Note("A document type declaration (DOCTYPE) is not allowed.", line);
    }
    xmlStopParser(parser);
}

// Why a document text is refused before parsing, or empty when it may be parsed.
std::string RefusalReason(std::string_view bytes)
{
    const TextEncoding encoding = TextEncoding::Of(bytes);
    if (!encoding.Refusal().empty())
        return encoding.Refusal();
    if (encoding.Count(bytes, '=') > kMaxEqualSigns)
        return "The document holds more than " + std::to_string(kMaxEqualSigns)
            + " '=' signs (attributes).";
    return {};
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
    parser->sax->serror = &ErrorCapture::OnStructuredError;
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

} // namespace eee::xml
