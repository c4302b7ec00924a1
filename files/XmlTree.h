// Walking a parsed document by position, as the catalogue and session readers
// do. Neither white-space-only text nor a comment or processing instruction
// is a node; every other node (element, text, CDATA) is.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <string>

namespace eee::xml {

// Removes every comment and processing instruction from the document and
// joins the texts that one of them split, so that the tree is the one the
// same file without them gives. Comments carry no data; left in, a reader
// that counts positions would take one for a value.
void RemoveCommentsAndInstructions(xmlDoc* doc);

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

// Text of a libxml2 string (empty for null); Take also frees it.
std::string XmlString(const xmlChar* s);
std::string TakeXmlString(xmlChar* s);
// "prefix:name", or the name alone without a prefix.
std::string QualifiedName(const xmlChar* prefix, const xmlChar* name);

// Throws the failure of a node that is asked for but not there.
[[noreturn]] void ThrowNodeNotFound();

} // namespace eee::xml
