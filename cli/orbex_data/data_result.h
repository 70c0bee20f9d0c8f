// The outcome of one orbex-data run, as --json prints it: one object on standard output.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orbex {

struct DataResult {
    std::string operation;           // "get" or "put"
    std::string data;                // "almanac", "ephemeris", "both", "assist-gsm", ...
    std::string port;                // the port as given
    std::vector<std::string> files;  // the data files read or written
    // "completed", "cancelled", "no-reply", "rejected", "link-lost", "file-error",
    // "port-error" or "failed"
    std::string result = "completed";
    std::string message;                  // the last line told on standard error
    std::optional<std::string> receiver;  // the receiver's words when it rejected the data
    std::optional<bool> confirmed;        // an upload confirmed by "Completed" (put only)
    int exitCode = 0;
};

std::string DataResultJson(const DataResult& result);

}  // namespace orbex
