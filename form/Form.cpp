#include "form/Form.h"

#include "calc/BlockSize.h"

namespace eee {

Form::Form(IFormView& view)
    : m_view(view)
{
    // The form opens with the texts of the initial inputs.
    WriteFields(m_s.In, m_s.Out, m_s.Fields);
    for (auto& list : m_s.BlockLists)
        list.Sorted = true;
}

bool Form::ReadForm()
{
    IgnoreScope ignore(*this);
    const std::optional<FieldFailure> failure = ReadFields(m_s.Fields, m_s.In, m_s.Out);
    if (!failure)
        return true;
    Tell(failure->Message, MsgIcon::Warning);
    m_view.FocusField(failure->Field);
    return false;
}

void Form::Tell(const std::string& text, MsgIcon icon)
{
    if (m_log)
        m_log->push_back(FormMessage {text, icon});
    m_view.ShowMessage(text, icon);
}

void Form::WriteForm()
{
    IgnoreScope ignore(*this);
    WriteFields(m_s.In, m_s.Out, m_s.Fields);
}

std::string Form::GetSelectedScheme() const
{
    return m_s.SchemeList.SelectedText();
}

int Form::GetBlockCount() const
{
    return LeadingInteger(m_s.BlockCountList.SelectedText());
}

int Form::GetDataTypeSelection() const
{
    return LeadingInteger(m_s.DataTypesList.SelectedText());
}

std::array<int64_t, kMaxBlocks> Form::SelectedBlockBytes() const
{
    std::array<int64_t, kMaxBlocks> bytes {};
    for (size_t k = 0; k < kMaxBlocks; ++k) {
        const ComboState& list = m_s.BlockLists[k];
        if (list.Selected >= 0)
            bytes[k] = BlockSizeBytes(list.SelectedText());
    }
    return bytes;
}

} // namespace eee
