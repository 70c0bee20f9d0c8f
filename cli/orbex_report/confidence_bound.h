// How sure a pass is: the one-sided lower confidence bound (Clopper-Pearson) of the share of
// cycles that met the limit, from how many met it out of how many ran.
#pragma once

namespace orbex {

// The lower bound at `confidence` (0.95 for 95 %) of the true share when `within` of `cycles`
// met the limit: the share p at which seeing `within` or more is just 1 - confidence likely.
// 0 when none met it or nothing ran; (1 - confidence)^(1/n) when all n met it.
double ClopperPearsonLower(int within, int cycles, double confidence = 0.95);

}  // namespace orbex
