// The last calculation the window finished, as its tool windows are given it: they
// follow the window's calculations and never read the form themselves.
#pragma once

#include "calc/Evaluate.h"

namespace eee {

struct FinishedCalculation
{
    int Calculations = 0; // how many have finished; 0 before the first
    EvalConfig LastConfig;
    EvalResult LastResult;
};

} // namespace eee
