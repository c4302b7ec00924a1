// The character encoding of a document, as its first bytes and its XML
// declaration tell it: whether the parser may see the document at all, and
// the document's text in UTF-8 for everything that reads the text itself
// (the order of attributes, the source line of a message).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace eee::xml {

class TextEncoding
{
public:
    // Examines bytes (a whole document); the object keeps no reference to them.
    static TextEncoding Of(std::string_view bytes);

    // Why the document is refused before parsing; empty when it may be parsed.
    const std::string& Refusal() const { return m_refusal; }

    // How often the ASCII character c occurs in the document's text.
    std::size_t Count(std::string_view bytes, char c) const;

    // The document as UTF-8 text, without its byte order mark, so that its
    // lines are the ones the parser counts. A character that cannot be
    // decoded becomes U+FFFD; text in an encoding without a converter stays
    // as it is.
    std::string ToUtf8(std::string_view bytes) const;

private:
    enum class Form { Bytes, Utf16Le, Utf16Be };

    std::size_t Units(std::string_view bytes) const;
    char32_t Unit(std::string_view bytes, std::size_t i) const;

    Form m_form = Form::Bytes;
    std::size_t m_start = 0; // bytes of the byte order mark
    std::string m_declared; // the encoding the XML declaration names, if any
    std::string m_refusal;
};

} // namespace eee::xml
