// One table of options per command-line program: each row names an option, its value, one line
// of help and how it sets the program's options. The same rows read the command line and write
// the option lines of --help, so the two cannot disagree.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orbex {

template <typename Options>
struct OptionRow {
    const char* name;       // "--speed"
    const char* valueName;  // "N"; null for a switch
    const char* help;       // one line; several rows may share one by leaving it null
    // Sets the value (empty for a switch); returns the reason it cannot, or "".
    std::function<std::string(Options& options, const std::string& value)> set;
};

template <typename Options>
using OptionTable = std::vector<OptionRow<Options>>;

// The help line of one option: name and value padded to a column, then the help.
std::string OptionHelpLine(const char* name, const char* valueName, const char* help);

// The option lines of a table, --help last.
template <typename Options>
std::string OptionHelp(const OptionTable<Options>& table) {
    std::string text;
    for (const OptionRow<Options>& row : table) {
        if (row.help != nullptr) {
            text += OptionHelpLine(row.name, row.valueName, row.help);
        }
    }
    return text + OptionHelpLine("--help", nullptr, "this text");
}

// What a command line held besides its options.
struct CommandWords {
    std::vector<std::string> words;  // the arguments that are not options, in order
    bool help = false;               // --help or -h was given
};

// Reads the arguments (without the program name) by the table into `options`. A word that begins
// with "--" and names no row is an error; other words are collected. Returns the reason the
// command line cannot be read, or "".
template <typename Options>
std::string ReadOptions(const OptionTable<Options>& table,
                        const std::vector<std::string>& arguments, Options& options,
                        CommandWords& words) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            words.help = true;
            continue;
        }
        const OptionRow<Options>* row = nullptr;
        for (const OptionRow<Options>& candidate : table) {
            if (argument == candidate.name) {
                row = &candidate;
            }
        }
        if (row == nullptr) {
            if (argument.starts_with("--")) {
                return "unknown option '" + argument + "' (try --help)";
            }
            words.words.push_back(argument);
            continue;
        }
        std::string value;
        if (row->valueName != nullptr) {
            if (i + 1 >= arguments.size()) {
                return argument + " needs a value (" + row->valueName + ")";
            }
            value = arguments[++i];
        }
        if (std::string error = row->set(options, value); !error.empty()) {
            return error;
        }
    }
    return {};
}

// Reads a command line that holds options only: a word that is no option is an error too.
template <typename Options>
std::string ReadOptionsOnly(const OptionTable<Options>& table,
                            const std::vector<std::string>& arguments, Options& options,
                            bool& help) {
    CommandWords words;
    std::string error = ReadOptions(table, arguments, options, words);
    if (error.empty() && !words.words.empty()) {
        error = "unknown argument '" + words.words.front() + "'";
    }
    help = words.help;
    return error;
}

// How a program's Parse goes: `options` as the table reads them from the arguments, with --help
// in options.help; then, unless the arguments cannot be read or --help was given, `check` looks
// at the options and at the words that are no options and gives the reason they make no command,
// or "". Returns whether the command line can be used, with the reason in `error` when not.
template <typename Options, typename Check>
bool ParseCommandLine(const OptionTable<Options>& table, const std::vector<std::string>& arguments,
                      Options& options, std::string& error, Check check) {
    options = Options{};
    CommandWords words;
    error = ReadOptions(table, arguments, options, words);
    options.help = words.help;
    if (error.empty() && !options.help) {
        error = check(options, words.words);
    }
    return error.empty();
}

// The same for a program that takes options only (a word that is no option is an error, --help
// or not). The table reads into a `Line`: the program's options with what reading them needs
// besides, such as how often an option was given; `check` looks at the Line, and the options
// part of it is handed on in `options`.
template <typename Line, typename Options, typename Check>
bool ParseOptionsOnly(const OptionTable<Line>& table, const std::vector<std::string>& arguments,
                      Options& options, std::string& error, Check check) {
    Line line;
    bool help = false;
    error = ReadOptionsOnly(table, arguments, line, help);
    line.help = help;
    if (error.empty() && !help) {
        error = check(line);
    }
    options = line;
    return error.empty();
}

// Value readers shared by the programs' rows. Each returns the reason a value cannot be read,
// naming the option, or "".

// A whole decimal number in [low, high].
std::string ReadWholeNumber(const std::string& option, const std::string& text, long low, long high,
                            long& value);
// A decimal number with "." whatever the locale, in [low, high].
std::string ReadDecimal(const std::string& option, const std::string& text, double low, double high,
                        double& value);
// One of `names` (case ignored): its index.
std::string ReadChoice(const std::string& option, const std::string& text,
                       const std::vector<std::string>& names, int& index);

}  // namespace orbex
