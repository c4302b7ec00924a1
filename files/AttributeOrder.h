// The order in which a document's text writes the attributes and namespace
// declarations of its elements. libxml2's tree keeps the two kinds apart, but
// the root element's schema reference is checked by position among both.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace eee::xml {

class AttributeOrder
{
public:
    // text: the document's text the tree was parsed from, in UTF-8. It is
    // read at the first question and must outlive this object.
    explicit AttributeOrder(const std::string& text);
    ~AttributeOrder();
    AttributeOrder(const AttributeOrder&) = delete;
    AttributeOrder& operator=(const AttributeOrder&) = delete;

    // The names in the start tag of an element of the document parsed from
    // the text; null when the text cannot tell.
    const std::vector<std::string>* NamesOf(const xmlNode* element);

private:
    struct Index;
    const std::string& m_text;
    std::unique_ptr<Index> m_index;
};

// Value of the attribute at a position (from 0) of an element, namespace
// declarations included, in the order the document writes them. Throws
// ComponentFailure when the element has no such attribute.
std::string AttributeValue(const xmlNode* element, std::size_t position, AttributeOrder& order);

} // namespace eee::xml
