#include "cli/orbex_ttff/binomial_bound.h"

#include <cmath>

namespace orbex {
namespace {

// P(X >= k) for X binomial with n trials of probability p, summed in logarithms so that long
// series neither overflow nor underflow.
double UpperTail(int k, int n, double p) {
    const double logP = std::log(p);
    const double logQ = std::log1p(-p);
    double sum = 0;
    for (int i = k; i <= n; ++i) {
        const double logTerm = std::lgamma(n + 1.0) - std::lgamma(i + 1.0) -
                               std::lgamma(n - i + 1.0) + i * logP + (n - i) * logQ;
        sum += std::exp(logTerm);
    }
    return sum;
}

}  // namespace

double ClopperPearsonLowerBound(int successes, int trials, double confidence) {
    if (successes <= 0 || trials <= 0) {
        return 0;
    }
    const double alpha = 1 - confidence;
    if (successes >= trials) {
        return std::pow(alpha, 1.0 / trials);  // the closed form of the tail's single term
    }
    // The tail grows with p: find where it reaches alpha.
    double low = 0;
    double high = 1;
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        if (UpperTail(successes, trials, middle) < alpha) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return (low + high) / 2;
}

}  // namespace orbex
