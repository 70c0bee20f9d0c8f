// The command line of orbex-data: the direction, the data, the port and where the file lies.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/common/port_options.h"
#include "link/port_settings.h"

namespace orbex {

enum class DataDirection { Get, Put };
enum class DataKind { Almanac, Ephemeris, Both, AssistGsm, AssistWcdma };

struct DataOptions {
    DataDirection direction = DataDirection::Get;
    DataKind kind = DataKind::Almanac;
    std::string port;
    PortSettings settings = SettingsWithoutHandshake();  // the data lines are plain text
    std::optional<std::string> file;       // the one data file, instead of the default
    std::optional<std::string> directory;  // where AL.DAT, EP.DAT and AS.DAT lie
    std::optional<double> timeout;         // seconds a single wait may last
    bool json = false;                     // one result object on standard output
    bool help = false;
};

// False with a one-line reason in `error` when the arguments make no sense.
bool ParseDataOptions(const std::vector<std::string>& arguments, DataOptions& options,
                      std::string& error);

std::string DataUsage();

// The data's name on the command line and in the JSON outcome ("almanac", "assist-gsm", ...).
std::string DataKindName(DataKind kind);

}  // namespace orbex
