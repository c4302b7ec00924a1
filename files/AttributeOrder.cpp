#include "files/AttributeOrder.h"

#include "files/XmlTree.h"

#include <string_view>
#include <unordered_map>

namespace eee::xml {

namespace {

bool IsTagSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Attribute names (namespace declarations included) of every start tag of a
// well-formed document text, in document order. False when the text cannot
// be scanned this way.
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

AttributeOrder::AttributeOrder(const std::string& text)
    : m_text(text)
{ }

AttributeOrder::~AttributeOrder() = default;

const std::vector<std::string>* AttributeOrder::NamesOf(const xmlNode* element)
{
    if (m_index == nullptr) {
        // Built once per document, on first need: one pass over the text and
        // one over the tree, so that asking for every element stays linear.
        m_index = std::make_unique<Index>();
        if (element->doc != nullptr && ScanStartTags(m_text, m_index->Tags)) {
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
    // the other attributes, so their mutual order is read from the text, the
    // document's own text in UTF-8 whatever its encoding.
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
    // An order that cannot be read is no order: guessing one would let a
    // reversed pair of root attributes pass the check.
    ThrowNodeNotFound();
}

} // namespace

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

} // namespace eee::xml
