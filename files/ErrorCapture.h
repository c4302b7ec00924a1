// Collects the errors that libxml2 reports on this thread while an object of
// this class is alive, instead of letting the library print them.
#pragma once

#include <libxml/xmlerror.h>

#include <string>
#include <string_view>

namespace eee::xml {

// The first error is kept as the reason; later ones are only counted.
class ErrorCapture
{
public:
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    void Note(std::string_view message, int line);
    bool HasError() const { return m_count > 0; }
    int Count() const { return m_count; }
    const std::string& Message() const { return m_message; }
    int Line() const { return m_line; }
    // "Line N: message", or the message alone when no line is known.
    std::string Reason() const;

    // The innermost capture alive on this thread, or null.
    static ErrorCapture* Current();
    // A structured error handler for libxml2 that notes into Current().
    static void OnStructuredError(void* context, xmlErrorPtr error);

private:
    ErrorCapture* m_previous = nullptr;
    void* m_oldStructuredContext = nullptr;
    xmlStructuredErrorFunc m_oldStructured = nullptr;
    void* m_oldGenericContext = nullptr;
    xmlGenericErrorFunc m_oldGeneric = nullptr;
    int m_count = 0;
    std::string m_message;
    int m_line = 0;
};

} // namespace eee::xml
