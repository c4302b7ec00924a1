// libxml2 set up for files that may be hostile: initialised once per process,
// never fetching anything, refusing document type declarations (and with them
// entity definitions), and parsing only documents already held in memory.
#pragma once

#include "files/ErrorCapture.h"

#include <libxml/tree.h>

#include <memory>
#include <string_view>

namespace eee::xml {

inline constexpr const char* kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";

// Once per process: library initialisation and an external-entity loader that
// refuses every request, so no file or URL is ever fetched behind our back.
void InitLibrary();

struct DocDeleter
{
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

// Parses a document held in memory. Returns null on any error (not well
// formed, a DOCTYPE, an encoding refused by TextEncoding, too many attributes,
// too deep); the capture holds the reason.
DocPtr ParseMemory(std::string_view bytes, ErrorCapture& capture);

} // namespace eee::xml
