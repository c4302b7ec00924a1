// What the input form asks of the window it lives in.
#pragma once

#include "form/FieldRules.h"

#include <optional>
#include <string>

namespace eee {

enum class MsgIcon { Warning, Error, Information };

// One message box as the form showed it.
struct FormMessage
{
    std::string Text;
    MsgIcon Icon = MsgIcon::Information;
};

class IFormView
{
public:
    virtual ~IFormView() = default;
    // A modal message box with the program's caption and an OK button.
    virtual void ShowMessage(const std::string& text, MsgIcon icon) = 0;
    // Moves the keyboard focus to a field and selects its whole text.
    virtual void FocusField(FieldId field) = 0;
    // Repaints the window and its chart; the chart then reports back, and the
    // window answers that report with the verdict.
    virtual void Invalidate() = 0;
    // The file dialogs of the session commands: a full path, or nothing when cancelled.
    virtual std::optional<std::string> AskSaveFileName() = 0;
    virtual std::optional<std::string> AskOpenFileName() = 0;
};

} // namespace eee
