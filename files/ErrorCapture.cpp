#include "files/ErrorCapture.h"

#include "files/TextUtil.h"

#include <libxml/globals.h>

namespace eee::xml {

namespace {

thread_local ErrorCapture* tCurrentCapture = nullptr;

void IgnoreGeneric(void* /*context*/, const char* /*message*/, ...) { }

} // namespace

ErrorCapture::ErrorCapture()
    : m_previous(tCurrentCapture)
    , m_oldStructuredContext(xmlStructuredErrorContext)
    , m_oldStructured(xmlStructuredError)
    , m_oldGenericContext(xmlGenericErrorContext)
    , m_oldGeneric(xmlGenericError)
{
    tCurrentCapture = this;
    xmlSetStructuredErrorFunc(nullptr, &ErrorCapture::OnStructuredError);
    xmlSetGenericErrorFunc(nullptr, &IgnoreGeneric);
}

ErrorCapture::~ErrorCapture()
{
    xmlSetGenericErrorFunc(m_oldGenericContext, m_oldGeneric);
    xmlSetStructuredErrorFunc(m_oldStructuredContext, m_oldStructured);
    tCurrentCapture = m_previous;
}

ErrorCapture* ErrorCapture::Current()
{
    return tCurrentCapture;
}

void ErrorCapture::OnStructuredError(void* /*context*/, xmlErrorPtr error)
{
    ErrorCapture* capture = tCurrentCapture;
    if (capture == nullptr || error == nullptr || error->level < XML_ERR_ERROR)
        return;
    capture->Note(error->message != nullptr ? error->message : "Unknown XML error.", error->line);
}

void ErrorCapture::Note(std::string_view message, int line)
{
    if (m_count++ > 0)
        return;
    // libxml2 spreads some messages over two lines; the reason is one line of
    // the messages built from it.
    std::string oneLine(text::TrimXmlSpace(message));
    for (char& c : oneLine) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    m_message = text::ShowableText(oneLine, 1024);
    m_line = line;
}

std::string ErrorCapture::Reason() const
{
    if (m_line > 0)
        return "Line " + std::to_string(m_line) + ": " + m_message;
    return m_message;
}

} // namespace eee::xml
