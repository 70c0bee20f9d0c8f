// Table tests: rows of what a function is given and what it must give back, checked one by one.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace orbex::test {

// Checks `f(in) == out` for every row {in, out}; a failure names the row by its place in the
// table, counted from 0. `Out` is the type compared: std::string compares texts, also where
// `f` gives a C string.
template <class In, class Out, class F>
void ExpectRows(F f, std::initializer_list<std::pair<In, Out>> rows) {
    int row = 0;
    for (const auto& [in, out] : rows) {
        EXPECT_EQ(Out(f(in)), out) << "row " << row;
        ++row;
    }
}

}  // namespace orbex::test
