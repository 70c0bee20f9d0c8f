// A command-line program run to its end through the shell, with what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/test_files.h"

namespace orbex::test {

struct ProgramRun {
    int exitCode = -1;  // -1: it did not exit by itself (a signal ended it)
    std::string out;
    std::string err;
};

// Runs the shell command line `command` with its standard output and error in the files "out"
// and "err" of `dir`.
inline ProgramRun RunProgram(const std::string& command, const std::filesystem::path& dir) {
    const auto out = dir / "out";
    const auto err = dir / "err";
    const int status = std::system((command + " >" + out.string() + " 2>" + err.string()).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
}

}  // namespace orbex::test
