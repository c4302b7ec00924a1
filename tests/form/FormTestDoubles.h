// Stand-ins for the world around the input form: the in-memory data files, and a
// view that records what the form asks of the window.
#pragma once

#include "form/FormModel.h"
#include "tests/support/FakeDataSource.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace eee::testing_support {

struct ShownMessage
{
    std::string Text;
    MsgIcon Icon = MsgIcon::Warning;
};

class RecordingView : public IFormView
{
public:
    void ShowMessage(const std::string& text, MsgIcon icon) override
    {
        Messages.push_back({text, icon});
    }
    void FocusField(FieldId field) override { Focus.push_back(field); }
    void Invalidate() override
    {
        ++Invalidations;
        ++PendingRepaints;
    }
    std::optional<std::string> AskSaveFileName() override
    {
        ++SaveDialogs;
        return SaveAnswer;
    }
    std::optional<std::string> AskOpenFileName() override
    {
        ++OpenDialogs;
        return OpenAnswer;
    }

    void Clear()
    {
        Messages.clear();
        Focus.clear();
    }

    std::vector<ShownMessage> Messages;
    std::vector<FieldId> Focus;
    int Invalidations = 0;
    int PendingRepaints = 0;
    int SaveDialogs = 0;
    int OpenDialogs = 0;
    std::optional<std::string> SaveAnswer;
    std::optional<std::string> OpenAnswer;
};

} // namespace eee::testing_support
