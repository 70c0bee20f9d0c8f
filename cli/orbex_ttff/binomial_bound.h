// How sure a pass rate is: the exact (Clopper-Pearson) one-sided lower confidence bound of the
// share of trials that succeeded.
#pragma once

namespace orbex {

// The lower bound at `confidence` (0.95: one-sided 95 %) of the success probability after
// `successes` of `trials`; 0 when nothing succeeded or nothing was tried.
double ClopperPearsonLowerBound(int successes, int trials, double confidence = 0.95);

}  // namespace orbex
