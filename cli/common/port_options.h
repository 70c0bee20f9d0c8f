// The serial port options of every program that opens a receiver: --speed, --parity,
// --data-bits, --stop-bits, --rtscts and --xonxoff, read into the eight port settings.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include "cli/common/option_table.h"
#include "link/port_settings.h"

namespace orbex {

// The line settings a program that passes the receiver's bytes on as they are opens a port with,
// unless told otherwise: Orbex's, without the XON/XOFF handshake (which takes 0x11 and 0x13 out
// of the stream).
inline PortSettings SettingsWithoutHandshake() {
    PortSettings settings;
    settings.flowXon = 0;
    return settings;
}

// Each returns the reason the value cannot be set, or "".
std::string SetPortSpeed(PortSettings& settings, const std::string& baud);
std::string SetPortParity(PortSettings& settings, const std::string& parity);
std::string SetPortDataBits(PortSettings& settings, const std::string& bits);
std::string SetPortStopBits(PortSettings& settings, const std::string& bits);

// The port options that take a value, each read into the settings by its setter.
struct PortValueOption {
    const char* name;
    const char* valueName;
    const char* help;
    std::string (*set)(PortSettings& settings, const std::string& value);
};
inline constexpr PortValueOption kPortValueOptions[] = {
    {"--speed", "BAUD", "110 .. 256000 (default 9600)", SetPortSpeed},
    {"--parity", "none|odd|even|mark|space", "parity (default none)", SetPortParity},
    {"--data-bits", "7|8", "data bits (default 8)", SetPortDataBits},
    {"--stop-bits", "1|1.5|2", "stop bits (default 1)", SetPortStopBits},
};

// The handshake switches, each turning one flow setting on.
struct PortSwitchOption {
    const char* name;
    const char* help;
    std::int32_t PortSettings::*flag;
};
inline constexpr PortSwitchOption kPortSwitchOptions[] = {
    {"--rtscts", "RTS/CTS handshake", &PortSettings::flowRts},
    {"--xonxoff", "XON/XOFF handshake", &PortSettings::flowXon},
};

// Appends the six rows, which set `options.*settings`.
template <typename Options>
void AddPortSettingRows(OptionTable<Options>& table,
                        std::type_identity_t<PortSettings Options::*> settings) {
    for (const PortValueOption& option : kPortValueOptions) {
        table.push_back({option.name, option.valueName, option.help,
                         [settings, set = option.set](Options& o, const std::string& v) {
                             return set(o.*settings, v);
                         }});
    }
    for (const PortSwitchOption& option : kPortSwitchOptions) {
        table.push_back({option.name, nullptr, option.help,
                         [settings, flag = option.flag](Options& o, const std::string&) {
                             (o.*settings).*flag = 1;
                             return std::string();
                         }});
    }
}

}  // namespace orbex
