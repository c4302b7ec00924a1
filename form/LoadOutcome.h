// How one session load ended, as the form itself knows it: every front end (the
// window's Load Session, Recent Sessions and drops, eee-calc-cli, the report) reads
// the same outcome instead of guessing from the messages it was shown.
#pragma once

#include "calc/Evaluate.h"
#include "form/FormView.h"

#include <string>
#include <vector>

namespace eee {

enum class LoadStatus {
    Calculated, // put into the form and calculated
    NotCalculated, // put into the form, but a rule of the calculation stopped it
    Refused, // the form refused the record: nothing was calculated
    Unreadable, // the file could not be read as a session
};

// What stopped a load that did not calculate.
enum class LoadStop {
    None,
    FileUnreadable, // the session reader's reason (empty when it gave none)
    OutOfRange, // the record's lifetime or block count is out of the form's range
    UnknownScheme, // the catalogue has no scheme of the record's name
    BlocksTooSmall, // the data does not fit into the selected blocks
    FieldRule, // a field of the form does not pass its rule
};

struct LoadOutcome
{
    LoadStatus Status = LoadStatus::Unreadable;
    LoadStop Stop = LoadStop::None;
    // Every message the load showed, in order; the announcement of the result is the last.
    std::vector<FormMessage> Messages;
    // The message that stopped the load (empty for a calculated one) and the messages
    // before it that did not.
    std::string Error;
    std::vector<std::string> Warnings;
    // Where the window's message gives no reason (a root element that is not the
    // calculator's, a scheme missing from the catalogue), a plain one of the program's own.
    std::string Reason;

    // Of a calculated load: the configuration and every number of its Evaluate(), and
    // the scheme and block size texts the form's lists show for it.
    EvalConfig Config;
    EvalResult Result;
    std::string Scheme;
    std::vector<std::string> BlockTexts;

    // The window announced the file as loaded ("File ... loaded successfully!"): it was
    // calculated, or only its blocks are too small for its data (a design to mend). Any
    // other load failed and left the form as it was.
    bool Announced() const
    {
        return Status == LoadStatus::Calculated || Stop == LoadStop::BlocksTooSmall;
    }
    bool Calculated() const { return Status == LoadStatus::Calculated; }
};

} // namespace eee
