#include "files/TextEncoding.h"

#include "files/ErrorCapture.h"
#include "files/TextUtil.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>

#include <climits>

namespace eee::xml {

namespace {

using namespace std::string_view_literals;

// The whole declaration is read: an encoding hidden behind padding must not
// slip past the check.
constexpr std::size_t kMaxDeclaration = 1024;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"sv;

bool StartsWithNoCase(std::string_view name, std::string_view prefix)
{
    return name.size() >= prefix.size()
        && text::EqualsNoCase(name.substr(0, prefix.size()), prefix);
}

// Character encodings whose ASCII characters are single bytes that are never
// part of a longer sequence; anything else is refused rather than guessed at.
bool IsByteSafeEncoding(std::string_view name)
{
    return text::EqualsNoCase(name, "UTF-8") || text::EqualsNoCase(name, "UTF8")
        || text::EqualsNoCase(name, "US-ASCII") || text::EqualsNoCase(name, "ASCII")
        || StartsWithNoCase(name, "ISO-8859-") || StartsWithNoCase(name, "ISO8859-")
        || StartsWithNoCase(name, "LATIN") || StartsWithNoCase(name, "WINDOWS-125")
        || StartsWithNoCase(name, "CP125");
}

bool IsUtf8OrAscii(std::string_view name)
{
    return name.empty() || text::EqualsNoCase(name, "UTF-8") || text::EqualsNoCase(name, "UTF8")
        || text::EqualsNoCase(name, "US-ASCII") || text::EqualsNoCase(name, "ASCII");
}

bool IsLatin1(std::string_view name)
{
    return text::EqualsNoCase(name, "ISO-8859-1") || text::EqualsNoCase(name, "ISO8859-1")
        || text::EqualsNoCase(name, "LATIN1");
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Converts with the converter libxml2 itself would use for the encoding.
std::string ConvertWithLibrary(std::string_view body, const std::string& name)
{
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(name.c_str());
    if (handler == nullptr || body.size() > static_cast<std::size_t>(INT_MAX))
        return std::string(body);
    // The converter reports bad input as an error of the library; that is no
    // error of the document being read.
    ErrorCapture quiet;
    xmlBufferPtr in = xmlBufferCreate();
    xmlBufferPtr out = xmlBufferCreate();
    std::string result;
    if (in != nullptr && out != nullptr
        && xmlBufferAdd(
               in, reinterpret_cast<const xmlChar*>(body.data()), static_cast<int>(body.size()))
            == 0) {
        while (xmlBufferLength(in) > 0) {
            const int before = xmlBufferLength(in);
            const int rc = xmlCharEncInFunc(handler, out, in);
            result.append(reinterpret_cast<const char*>(xmlBufferContent(out)),
                static_cast<std::size_t>(xmlBufferLength(out)));
            xmlBufferEmpty(out);
            // A byte that does not convert is shown as a replacement character.
            if ((rc == -2 || xmlBufferLength(in) == before) && xmlBufferLength(in) > 0) {
                result += kReplacement;
                xmlBufferShrink(in, 1);
            }
        }
    } else {
        result.assign(body);
    }
    if (in != nullptr)
        xmlBufferFree(in);
    if (out != nullptr)
        xmlBufferFree(out);
    xmlCharEncCloseFunc(handler);
    return result;
}

} // namespace

TextEncoding TextEncoding::Of(std::string_view bytes)
{
    TextEncoding encoding;
    const auto startsWith = [&](std::string_view prefix) { return bytes.starts_with(prefix); };
    // Layouts that libxml2 recognises by their first bytes but whose
    // characters our checks cannot see: UCS-4 and EBCDIC.
    if (startsWith("\x00\x00\x00\x3C"sv) || startsWith("\x3C\x00\x00\x00"sv)
        || startsWith("\x00\x00\x3C\x00"sv) || startsWith("\x00\x3C\x00\x00"sv)
        || startsWith("\x4C\x6F\xA7\x94"sv) || startsWith("\x00\x00\xFE\xFF"sv)
        || startsWith("\xFF\xFE\x00\x00"sv)) {
        encoding.m_refusal = "The character encoding of the document is not supported.";
        return encoding;
    }
    // Code units: single bytes, or 16 bits for UTF-16 (with or without its mark).
    if (startsWith("\xFF\xFE"sv) || startsWith("\x3C\x00\x3F\x00"sv)) {
        encoding.m_form = Form::Utf16Le;
        encoding.m_start = startsWith("\xFF\xFE"sv) ? 2 : 0;
    } else if (startsWith("\xFE\xFF"sv) || startsWith("\x00\x3C\x00\x3F"sv)) {
        encoding.m_form = Form::Utf16Be;
        encoding.m_start = startsWith("\xFE\xFF"sv) ? 2 : 0;
    } else if (startsWith("\xEF\xBB\xBF"sv)) {
        encoding.m_start = 3;
    }

    // The encoding named by the XML declaration, if any.
    std::string head;
    const std::size_t units = encoding.Units(bytes);
    for (std::size_t i = 0; i < units && i < kMaxDeclaration; ++i) {
        const char32_t u = encoding.Unit(bytes, i);
        head += (u < 0x80) ? static_cast<char>(u) : '?';
    }
    if (!head.starts_with("<?xml"))
        return encoding;
    const std::size_t end = head.find("?>");
    if (end == std::string::npos) {
        encoding.m_refusal = "The XML declaration is not closed within "
            + std::to_string(kMaxDeclaration) + " characters.";
        return encoding;
    }
    const std::string_view declaration = std::string_view(head).substr(0, end);
    const std::size_t key = declaration.find("encoding");
    if (key == std::string_view::npos)
        return encoding;
    const std::size_t open = declaration.find_first_of("\"'", key);
    const std::size_t close = open == std::string_view::npos
        ? std::string_view::npos
        : declaration.find(declaration[open], open + 1);
    const std::string_view name = close == std::string_view::npos
        ? std::string_view()
        : declaration.substr(open + 1, close - open - 1);
    const bool supported = encoding.m_form != Form::Bytes
        ? (text::EqualsNoCase(name, "UTF-16") || text::EqualsNoCase(name, "UTF16"))
        : IsByteSafeEncoding(name);
    if (!supported)
        encoding.m_refusal
            = "The character encoding '" + text::ShowableText(name, 40) + "' is not supported.";
    else
        encoding.m_declared = name;
    return encoding;
}

std::size_t TextEncoding::Units(std::string_view bytes) const
{
    if (bytes.size() < m_start)
        return 0;
    return (bytes.size() - m_start) / (m_form == Form::Bytes ? 1 : 2);
}

char32_t TextEncoding::Unit(std::string_view bytes, std::size_t i) const
{
    if (m_form == Form::Bytes)
        return static_cast<unsigned char>(bytes[m_start + i]);
    const std::size_t at = m_start + 2 * i;
    const char32_t a = static_cast<unsigned char>(bytes[at]);
    const char32_t b = static_cast<unsigned char>(bytes[at + 1]);
    return m_form == Form::Utf16Be ? (a << 8 | b) : (b << 8 | a);
}

std::size_t TextEncoding::Count(std::string_view bytes, char c) const
{
    // In every encoding accepted here an ASCII character is one code unit of
    // its own, never part of a longer sequence.
    std::size_t count = 0;
    const std::size_t units = Units(bytes);
    for (std::size_t i = 0; i < units; ++i) {
        if (Unit(bytes, i) == static_cast<unsigned char>(c))
            ++count;
    }
    return count;
}

std::string TextEncoding::ToUtf8(std::string_view bytes) const
{
    const std::string_view body = bytes.size() >= m_start ? bytes.substr(m_start) : bytes;
    if (m_form == Form::Bytes) {
        if (IsUtf8OrAscii(m_declared))
            return std::string(body);
        if (IsLatin1(m_declared)) {
            std::string out;
            out.reserve(body.size());
            for (char c : body)
                AppendUtf8(out, static_cast<unsigned char>(c));
            return out;
        }
        return ConvertWithLibrary(body, m_declared);
    }

    std::string out;
    out.reserve(body.size());
    const std::size_t units = Units(bytes);
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = Unit(bytes, i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char32_t low = Unit(bytes, i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            out += kReplacement;
        else
            AppendUtf8(out, u);
    }
    if (body.size() % 2 != 0)
        out += kReplacement;
    return out;
}

} // namespace eee::xml
