#include "cli/Json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace eee {

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc())
        return "null";
    return std::string(buffer, result.ptr);
}

namespace {

// Length of the valid UTF-8 sequence at the start of text, or 0 when it is not one.
size_t Utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    uint32_t code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u)
            return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000)
        || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

class ObjectWriter
{
public:
    ObjectWriter() { m_text = "{"; }
    void Key(const char* name)
    {
        if (!m_first)
            m_text += ',';
        m_first = false;
        m_text += JsonString(name);
        m_text += ':';
    }
    void Raw(const char* name, const std::string& json)
    {
        Key(name);
        m_text += json;
    }
    void String(const char* name, const std::string& value) { Raw(name, JsonString(value)); }
    void Bool(const char* name, bool value) { Raw(name, value ? "true" : "false"); }
    void Integer(const char* name, int64_t value) { Raw(name, std::to_string(value)); }
    void Number(const char* name, double value) { Raw(name, JsonNumber(value)); }
    std::string Finish()
    {
        m_text += '}';
        return std::move(m_text);
    }

private:
    std::string m_text;
    bool m_first = true;
};

template <typename Range, typename ToJson> std::string Array(const Range& items, ToJson toJson)
{
    std::string text = "[";
    bool first = true;
    for (const auto& item : items) {
        if (!first)
            text += ',';
        first = false;
        text += toJson(item);
    }
    text += ']';
    return text;
}

std::string StringArray(const auto& items)
{
    return Array(items, [](const std::string& s) { return JsonString(s); });
}

std::string DataTypeJson(const DataTypeResult& t)
{
    ObjectWriter o;
    o.Integer("dataSize", t.DataSize);
    o.Integer("updates", t.Updates);
    o.Integer("records", t.Records);
    o.String("frequency", t.Daily ? "daily" : "total");
    o.Integer("customOverhead", t.CustomOverhead);
    o.Integer("recordOverhead", t.RecordOverhead);
    return o.Finish();
}

} // namespace

std::string JsonString(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const size_t length = Utf8SequenceLength(text.substr(i));
            if (length == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0x0F];
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    out += '"';
    return out;
}

std::string EvaluationToJson(const Evaluation& e)
{
    ObjectWriter o;
    o.String("file", e.File);
    o.Bool("ok", e.Ok);
    if (!e.Ok) {
        o.String("error", e.Error);
        return o.Finish();
    }
    o.String("scheme", e.Scheme);
    o.Number("lifetimeYears", e.LifeTime);
    o.Raw("blocks", StringArray(e.Blocks));
    o.Raw("blockBytes", Array(e.BlockBytes, [](int64_t v) { return std::to_string(v); }));
    o.Raw("dataTypes", Array(e.DataTypes, DataTypeJson));
    o.Bool("customOverheadEnabled", e.CustomOverheadEnabled);
    o.Integer("blockOverhead", e.BlockOverhead);
    o.Integer("totalUserDataBytes", e.TotalUserDataBytes);
    o.Integer("totalOverhead", e.TotalOverhead);
    o.Integer("totalBytes", e.TotalBytes);
    o.Integer("flashUsedBytes", e.FlashUsedBytes);
    o.String("flashUsedText", e.FlashUsedText);
    o.Number("lifetimeUpdates", e.LifetimeUpdates);
    o.String("lifetimeUpdatesText", e.LifetimeUpdatesText);
    o.Number("maxUpdateRequirement", e.MaxUpdateRequirement);
    o.Number("flashCycles", e.FlashCycles);
    o.Raw(
        "refreshIntervalDays", e.RefreshIntervalDays ? JsonNumber(*e.RefreshIntervalDays) : "null");
    o.Raw(
        "refreshIntervalText", e.RefreshIntervalText ? JsonString(*e.RefreshIntervalText) : "null");
    o.Number("inSpecYears", e.InSpecYears);
    o.Raw("verdict", StringArray(e.Verdict));
    o.Raw("warnings", StringArray(e.Warnings));
    return o.Finish();
}

} // namespace eee
