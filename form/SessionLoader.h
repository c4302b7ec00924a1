// The session loader of the front ends without a window (eee-calc-cli, the report):
// one form, started as the window starts it, that loads any number of session files,
// each from the same start-up state, through the same LoadFile as File > Load Session.
#pragma once

#include "chart/ChartModel.h"
#include "form/CachingDataSource.h"
#include "form/FormModel.h"
#include "form/LoadOutcome.h"

#include <optional>
#include <string>
#include <vector>

namespace eee {

// A form without a window: its messages are kept in the outcomes, there is nothing
// to focus or repaint, and no file dialog to ask.
class SilentView : public IFormView
{
public:
    void ShowMessage(const std::string&, MsgIcon) override { }
    void FocusField(FieldId) override { }
    void Invalidate() override { }
    std::optional<std::string> AskSaveFileName() override { return std::nullopt; }
    std::optional<std::string> AskOpenFileName() override { return std::nullopt; }
};

class SessionLoader
{
public:
    // defaults: the record read from Defaults.xml, or nothing when it could not be read.
    SessionLoader(IDataSource& data, const std::optional<SessionRecord>& defaults);
    SessionLoader(const SessionLoader&) = delete;
    SessionLoader& operator=(const SessionLoader&) = delete;

    // Messages the start-up showed (a broken catalogue, for instance).
    const std::vector<FormMessage>& StartupMessages() const { return m_startupMessages; }

    // Loads the session file at a full path as File > Load Session does.
    LoadOutcome Load(const std::string& fullPath);

    // The configuration the form holds after the last load, also when its calculation
    // stopped at the block fit check; nothing when the form's fields do not read.
    std::optional<EvalConfig> FormConfig();

    // The form and the chart as the last load left them.
    const FormState& State() const { return m_model.State(); }
    ChartModel& Chart() { return m_chart; }
    IDataSource& Data() { return m_data; }

private:
    CachingDataSource m_data;
    SilentView m_view;
    ChartModel m_chart;
    FormModel m_model;
    FormState m_startState;
    ChartModel m_startChart;
    std::vector<FormMessage> m_startupMessages;
};

} // namespace eee
