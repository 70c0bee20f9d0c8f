// How every command-line program begins: its arguments read into its options, with the same
// answer to a command line that cannot be read and to --help, and the exit statuses the
// programs share.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace orbex {

inline constexpr int kExitFailed = 1;  // the work failed or was cut short
inline constexpr int kExitBadUse = 2;  // bad arguments, or a file or port named that cannot open

// Tells on standard error why the program ends ("PROGRAM: REASON") and gives `status`, the exit
// status it ends with.
inline int EndWith(const char* program, int status, const std::string& reason) {
    std::fprintf(stderr, "%s: %s\n", program, reason.c_str());
    return status;
}

// Runs a program: reads the arguments after its name with `parse`, then `run` does the work with
// the options and gives the exit status. A command line that cannot be read is told on standard
// error as "PROGRAM: REASON (see --help)" (the hint only once: an unknown option's reason
// already gives it) and ends the program with kExitBadUse; --help prints
// `usage` on standard output and ends it with 0.
template <typename Options>
int RunCommandLine(const char* program, int argc, char** argv,
                   bool (*parse)(const std::vector<std::string>&, Options&, std::string&),
                   std::string (*usage)(), int (*run)(Options&)) {
    Options options;
    std::string error;
    if (!parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        const bool hinted = error.find("--help") != std::string::npos;
        return EndWith(program, kExitBadUse, hinted ? error : error + " (see --help)");
    }
    if (options.help) {
        std::fputs(usage().c_str(), stdout);
        return 0;
    }
    return run(options);
}

}  // namespace orbex
