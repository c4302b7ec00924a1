// The calculation road of the form, on top of Evaluate():
//
//     Submit -> ReadForm (once) -> Evaluate() (once) -> results written (once)
//            -> chart given its operating point
//     chart repainted -> ShowVerdict (the three lines)
//
// Nothing flows back from painting into the numbers, and no result is read back from
// its own text: the verdict takes the in-spec years from the chart model, which
// computes them for the window chart's own size.
#pragma once

#include "calc/Evaluate.h"
#include "chart/ChartModel.h"
#include "form/Form.h"

namespace eee {

class Calculation
{
public:
    Calculation(Form& form, ChartModel& chart);

    // The configuration the form's inputs and lists stand for.
    EvalConfig CurrentConfig() const;

    // Reads the form and shows the sizes of its data types (the totals), as the form
    // does whenever the data types change or a field takes the focus.
    void ComputeSizes();
    // Whether the totals on display fit into the selected blocks; warns when they do not.
    bool CheckBlockSizes();
    // Submit: reads the form once and calculates what it holds.
    void RunCalculation();
    // Evaluates what the form holds (already read) once and shows every number: the
    // sizes always, the endurance numbers and the chart's operating point when the data
    // fits. False, after the warning, when it does not.
    bool Calculate();
    // The answer to the chart's report after a repaint.
    void ShowVerdict();

private:
    Form& m_form;
    ChartModel& m_chart;
};

} // namespace eee
