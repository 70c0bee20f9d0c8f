#include "cli/orbex_report/confidence_bound.h"

#include <cmath>

namespace orbex {

namespace {

// P(X >= k) for X binomial(n, p), summed in logarithms so that large series do not overflow.
double UpperTail(int k, int n, double p) {
    const double logP = std::log(p);
    const double logQ = std::log1p(-p);
    const double logN = std::lgamma(n + 1.0);
    double sum = 0;
    for (int i = k; i <= n; ++i) {
        sum += std::exp(logN - std::lgamma(i + 1.0) - std::lgamma(n - i + 1.0) + i * logP +
                        (n - i) * logQ);
    }
    return sum;
}

}  // namespace

double ClopperPearsonLower(int within, int cycles, double confidence) {
    if (cycles <= 0 || within <= 0) {
        return 0;
    }
    const double alpha = 1 - confidence;
    if (within >= cycles) {
        return std::pow(alpha, 1.0 / cycles);
    }
    // The tail grows with p from 0 to 1: halve the interval until it is far below the printed
    // digits.
    double low = 0;
    double high = 1;
    for (int step = 0; step < 60; ++step) {
        const double middle = (low + high) / 2;
        if (UpperTail(within, cycles, middle) < alpha) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return (low + high) / 2;
}

}  // namespace orbex
