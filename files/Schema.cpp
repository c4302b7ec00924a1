#include "files/Schema.h"

namespace eee::xml {

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
    xmlSchemaSetParserStructuredErrors(parser, &ErrorCapture::OnStructuredError, nullptr);
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
    // No validation options: default attributes are not added to the tree,
    // so the document read afterwards is the one that was validated.
    xmlSchemaSetValidStructuredErrors(validator, &ErrorCapture::OnStructuredError, nullptr);
    const int errorsBefore = capture.Count();
    const int rc = xmlSchemaValidateDoc(validator, doc);
    xmlSchemaFreeValidCtxt(validator);
    if (rc == 0 && capture.Count() == errorsBefore)
        return true;
    if (capture.Count() == errorsBefore)
        capture.Note("The document is not valid against its schema.", 0);
    return false;
}

} // namespace eee::xml
