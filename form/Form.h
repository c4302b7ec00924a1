// The form's state and its field binding: reading every field into the inputs with
// the field rules, writing inputs and results back, and what the lists say is selected.
// While the form is read or written, control notifications are ignored.
#pragma once

#include "form/FormState.h"
#include "form/FormView.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace eee {

class Form
{
public:
    explicit Form(IFormView& view);

    FormState& State() { return m_s; }
    const FormState& State() const { return m_s; }
    IFormView& View() { return m_view; }

    // Shows a message through the view; while a log is open it is also kept there, in
    // the order shown, so that a command can say afterwards what it was told.
    void Tell(const std::string& text, MsgIcon icon);
    void OpenLog(std::vector<FormMessage>* log) { m_log = log; }

    // Takes every field into the inputs; a field out of rule stops it with a warning
    // and the focus on that field.
    bool ReadForm();
    void WriteForm();
    // True while the form is read or written.
    bool NotificationsIgnored() const { return m_ignoreNotifications > 0; }

    std::string GetSelectedScheme() const;
    int GetBlockCount() const;
    int GetDataTypeSelection() const;
    // Bytes of each block size list's selection; a list without entries counts as 0 bytes.
    std::array<int64_t, kMaxBlocks> SelectedBlockBytes() const;

    // Holds notifications off for its lifetime.
    class IgnoreScope
    {
    public:
        explicit IgnoreScope(Form& form)
            : m_counter(form.m_ignoreNotifications)
        {
            ++m_counter;
        }
        ~IgnoreScope() { --m_counter; }
        IgnoreScope(const IgnoreScope&) = delete;
        IgnoreScope& operator=(const IgnoreScope&) = delete;

    private:
        int& m_counter;
    };

private:
    IFormView& m_view;
    std::vector<FormMessage>* m_log = nullptr;
    FormState m_s;
    int m_ignoreNotifications = 0;
};

} // namespace eee
