// An XML schema compiled from the text of an .xsd file, and the validation of
// a parsed document against it.
#pragma once

#include "files/ErrorCapture.h"
#include "files/XmlLibrary.h"

#include <libxml/xmlschemas.h>

#include <memory>
#include <string_view>

namespace eee::xml {

class Schema
{
public:
    // Null on failure; the capture holds the reason.
    static std::unique_ptr<Schema> Compile(std::string_view xsdBytes, ErrorCapture& capture);
    ~Schema();
    Schema(const Schema&) = delete;
    Schema& operator=(const Schema&) = delete;

    // True when the document is valid; otherwise the capture holds the reason.
    // The document is only read, never changed.
    bool Validate(xmlDoc* doc, ErrorCapture& capture) const;

private:
    Schema() = default;
    DocPtr m_doc;
    xmlSchemaPtr m_schema = nullptr;
};

} // namespace eee::xml
