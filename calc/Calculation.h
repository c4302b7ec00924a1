// The calculation road of the form, on top of Evaluate():
//
//     Submit -> ReadForm -> flash used -> sizes -> block fit check -> ReadForm
//            -> Evaluate() -> results written -> chart given its operating point
//     chart repainted -> ShowVerdict (the three lines)
//
// Nothing flows back from painting into the numbers: the verdict takes the in-spec
// years from the chart model, which computes them for the window chart's own size.
#pragma once

#include "Evaluate.h"
#include "Form.h"
#include "chart/ChartModel.h"

namespace eee {

class Calculation
{
public:
    Calculation(Form& form, ChartModel& chart);

    // The configuration the form's inputs and lists stand for.
    EvalConfig CurrentConfig() const;

    void ComputeSizes();
    // Adds up the selected blocks and refreshes the memory usage line.
    void ComputeFlashUsed(bool writeForm = true);
    bool CheckBlockSizes();
    void RunCalculation();
    // Evaluates the form's inputs, shows the results and gives the chart its operating point.
    bool ComputeEndurance();
    // The answer to the chart's report after a repaint.
    void ShowVerdict();

private:
    Form& m_form;
    ChartModel& m_chart;
};

} // namespace eee
