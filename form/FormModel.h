// The input form without a window. The window mirrors its state in Qt controls and
// forwards the user's actions; eee-calc-cli drives the same form to load a session,
// so both always give the same answers. Its parts, each in its own file:
//   Form             the state and the field binding (read and write with the field rules)
//   FormBehaviour    what the lists, check box and fields show, enable and select
//   Calculation      the calculation road on top of Evaluate(), and the verdict
//   SessionCommands  Save Session, Load Session and Restore Default
#pragma once

#include "chart/ChartModel.h"
#include "form/Calculation.h"
#include "form/DataSource.h"
#include "form/Form.h"
#include "form/FormBehaviour.h"
#include "form/FormView.h"
#include "form/SessionCommands.h"

#include <optional>
#include <string>

namespace eee {

class FormModel
{
public:
    FormModel(IDataSource& data, IFormView& view, ChartModel& chart);
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    FormState& State() { return m_form.State(); }
    const FormState& State() const { return m_form.State(); }
    ChartModel& Chart() { return m_chart; }
    Form& Fields() { return m_form; }
    FormBehaviour& Behaviour() { return m_behaviour; }
    Calculation& Calc() { return m_calculation; }
    SessionCommands& Sessions() { return m_sessions; }

    // Start-up of the window, after its controls exist: fills the lists, reads the
    // catalogue, applies the scheme and blocks of the defaults (when they could be
    // read) and runs the first calculation.
    void Startup(const std::optional<SessionRecord>& defaults);

    // The operations the window and the tests reach most often.
    bool NotificationsIgnored() const { return m_form.NotificationsIgnored(); }
    bool ReadForm() { return m_form.ReadForm(); }
    std::string GetSelectedScheme() const { return m_form.GetSelectedScheme(); }
    int GetBlockCount() const { return m_form.GetBlockCount(); }
    int GetDataTypeSelection() const { return m_form.GetDataTypeSelection(); }

    void UserSelectScheme(int index) { m_behaviour.UserSelectScheme(index); }
    void UserSelectBlockCount(int index) { m_behaviour.UserSelectBlockCount(index); }
    void UserSelectBlockSize(int block, int index)
    {
        m_behaviour.UserSelectBlockSize(block, index);
    }
    void UserSelectDataTypes(int index) { m_behaviour.UserSelectDataTypes(index); }
    void UserSetCustomizeOverhead(bool checked) { m_behaviour.UserSetCustomizeOverhead(checked); }
    void UserEditText(FieldId field, const std::string& text)
    {
        m_behaviour.UserEditText(field, text);
    }
    void UserClickFrequency(int row, bool daily) { m_behaviour.UserClickFrequency(row, daily); }
    void OnInputFocus(FieldId field) { m_behaviour.OnInputFocus(field); }

    void RunCalculation() { m_calculation.RunCalculation(); }
    void ShowVerdict() { m_calculation.ShowVerdict(); }

    bool ApplySessionData(const SessionRecord& record, std::string& errorText)
    {
        return m_sessions.ApplySessionData(record, errorText);
    }
    std::optional<std::string> SaveSessionCommand() { return m_sessions.SaveSessionCommand(); }
    std::optional<LoadOutcome> LoadSessionCommand() { return m_sessions.LoadSessionCommand(); }
    void RestoreDefaultCommand() { m_sessions.RestoreDefaultCommand(); }

private:
    IDataSource& m_data;
    ChartModel& m_chart;
    Form m_form;
    Calculation m_calculation;
    FormBehaviour m_behaviour;
    SessionCommands m_sessions;
};

} // namespace eee
