// The session commands of the form: Save Session, Load Session and Restore Default,
// and the putting of a session record into the form that the last two share.
#pragma once

#include "form/Calculation.h"
#include "form/DataSource.h"
#include "form/Form.h"
#include "form/FormBehaviour.h"
#include "form/LoadOutcome.h"

#include <optional>
#include <string>

namespace eee {

// A session record with another scheme and other blocks, everything else as in `base`.
// In a fixed-length scheme every data size becomes the largest, as the form wants it.
SessionRecord RecordWithConfiguration(const SessionRecord& base, const std::string& scheme,
    const std::vector<std::string>& blockTexts);

class SessionCommands
{
public:
    SessionCommands(Form& form, FormBehaviour& behaviour, Calculation& calculation,
        IDataSource& data, ChartModel& chart);

    // Puts a session's inputs into the form through the form's own handlers.
    bool ApplySessionData(const SessionRecord& record, std::string& errorText);
    // The session record of what the form holds.
    SessionRecord RecordFromForm(int blockCount) const;

    // What Load Session does with the record it read: puts it into the form and, when the
    // blocks hold the data, calculates. False, with the reason, when the form refused it.
    bool LoadRecord(const SessionRecord& record, std::string& errorText);

    // The session loader: reads the session file at `path` (a full path), puts it into
    // the form, calculates, and announces the result, as Load Session does once the
    // file is chosen. The messages are shown as they come and kept in the outcome. A load
    // that fails (the file, the record or a field of the form refused) leaves the form and
    // its chart exactly as they were, and is announced as failed with its reason.
    LoadOutcome LoadFile(const std::string& path);

    // The commands of the File and Edit menus. Save gives the path it saved to (nothing
    // when it did not save), Load the outcome of the file chosen (nothing when cancelled).
    std::optional<std::string> SaveSessionCommand();
    std::optional<LoadOutcome> LoadSessionCommand();
    void RestoreDefaultCommand();

private:
    Form& m_form;
    FormBehaviour& m_behaviour;
    Calculation& m_calculation;
    IDataSource& m_data;
    ChartModel& m_chart;
};

} // namespace eee
