// The setters of the common kinds of option row: a switch, a text, a text that may not be empty,
// a whole or a decimal number in a range. Each returns the `set` of an OptionRow that writes one
// member of the options; the member may belong to a base of the row's options, as the programs'
// command-line structs extend their options. A value that cannot be read leaves the member as it
// was and names the option in its reason.
#pragma once

#include <optional>
#include <string>

#include "cli/common/option_table.h"

namespace orbex {

// The type a member holds its value in: T for T and for std::optional<T>.
template <typename Field>
struct OptionValueOf {
    using type = Field;
};
template <typename T>
struct OptionValueOf<std::optional<T>> {
    using type = T;
};

// A switch: sets the member to true.
template <typename Class>
auto SetsFlag(bool Class::*flag) {
    return [flag](Class& options, const std::string&) {
        options.*flag = true;
        return std::string();
    };
}

// Any text, the empty one too.
template <typename Class>
auto SetsText(std::string Class::*field) {
    return [field](Class& options, const std::string& value) {
        options.*field = value;
        return std::string();
    };
}

// A text that may not be empty (a file or folder name): "OPTION needs WHAT" when it is.
template <typename Field, typename Class>
auto SetsNonEmpty(const char* option, const char* what, Field Class::*field) {
    return [option, what, field](Class& options, const std::string& value) {
        if (value.empty()) {
            return std::string(option) + " needs " + what;
        }
        options.*field = value;
        return std::string();
    };
}

// A number read by `read` (one of the value readers of option_table.h) in [low, high].
template <typename Number, typename Field, typename Class>
auto SetsNumber(std::string (*read)(const std::string&, const std::string&, Number, Number,
                                    Number&),
                const char* option, Number low, Number high, Field Class::*field) {
    return [read, option, low, high, field](Class& options, const std::string& value) {
        Number number = 0;
        std::string error = read(option, value, low, high, number);
        if (error.empty()) {
            options.*field = static_cast<typename OptionValueOf<Field>::type>(number);
        }
        return error;
    };
}

// A whole decimal number in [low, high].
template <typename Field, typename Class>
auto SetsWholeNumber(const char* option, long low, long high, Field Class::*field) {
    return SetsNumber(ReadWholeNumber, option, low, high, field);
}

// A decimal number with "." whatever the locale, in [low, high].
template <typename Field, typename Class>
auto SetsDecimal(const char* option, double low, double high, Field Class::*field) {
    return SetsNumber(ReadDecimal, option, low, high, field);
}

}  // namespace orbex
