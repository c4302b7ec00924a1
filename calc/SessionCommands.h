// The session commands of the form: Save Session, Load Session and Restore Default,
// and the putting of a session record into the form that the last two share.
#pragma once

#include "Calculation.h"
#include "DataSource.h"
#include "Form.h"
#include "FormBehaviour.h"

#include <string>

namespace eee {

class SessionCommands
{
public:
    SessionCommands(
        Form& form, FormBehaviour& behaviour, Calculation& calculation, IDataSource& data);

    // Puts a session's inputs into the form through the form's own handlers.
    bool ApplySessionData(const SessionRecord& record, std::string& errorText);
    // The session record of what the form holds.
    SessionRecord RecordFromForm(int blockCount) const;

    // What Load Session does with the record it read: puts it into the form and, when the
    // blocks hold the data, calculates. False, with the reason, when the form refused it.
    bool LoadRecord(const SessionRecord& record, std::string& errorText);

    void SaveSessionCommand();
    void LoadSessionCommand();
    void RestoreDefaultCommand();

private:
    Form& m_form;
    FormBehaviour& m_behaviour;
    Calculation& m_calculation;
    IDataSource& m_data;
};

} // namespace eee
