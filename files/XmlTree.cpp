#include "files/XmlTree.h"

#include "files/TextUtil.h"
#include "files/XmlErrors.h"

#include <vector>

namespace eee::xml {

namespace {

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

bool IsCommentOrInstruction(const xmlNode* node)
{
    return node->type == XML_COMMENT_NODE || node->type == XML_PI_NODE;
}

} // namespace

void RemoveCommentsAndInstructions(xmlDoc* doc)
{
    if (doc == nullptr)
        return;
    // Level by level with a list of elements still to visit, so that the
    // depth of the document does not matter.
    std::vector<xmlNode*> pending {reinterpret_cast<xmlNode*>(doc)};
    while (!pending.empty()) {
        xmlNode* parent = pending.back();
        pending.pop_back();
        for (xmlNode* child = parent->children; child != nullptr;) {
            xmlNode* next = child->next;
            if (IsCommentOrInstruction(child)) {
                xmlNode* previous = child->prev;
                xmlUnlinkNode(child);
                xmlFreeNode(child);
                // "7<!---->1" is the text "71", as it is without the comment.
                if (previous != nullptr && next != nullptr && previous->type == XML_TEXT_NODE
                    && next->type == XML_TEXT_NODE) {
                    xmlNode* after = next->next;
                    xmlTextMerge(previous, next);
                    next = after;
                }
            } else if (child->type == XML_ELEMENT_NODE) {
                pending.push_back(child);
            }
            child = next;
        }
    }
}

void ThrowNodeNotFound()
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

} // namespace eee::xml
