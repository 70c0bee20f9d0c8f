// The serial port options of every program that opens a receiver: --speed, --parity,
// --data-bits, --stop-bits, --rtscts and --xonxoff, read into the eight port settings.
#pragma once

#include <string>
#include <type_traits>

#include "cli/common/option_table.h"
#include "link/port_settings.h"

namespace orbex {

// Each returns the reason the value cannot be set, or "".
std::string SetPortSpeed(PortSettings& settings, const std::string& baud);
std::string SetPortParity(PortSettings& settings, const std::string& parity);
std::string SetPortDataBits(PortSettings& settings, const std::string& bits);
std::string SetPortStopBits(PortSettings& settings, const std::string& bits);

// Appends the six rows, which set `options.*settings`.
template <typename Options>
void AddPortSettingRows(OptionTable<Options>& table,
                        std::type_identity_t<PortSettings Options::*> settings) {
    table.push_back(
        {"--speed", "BAUD", "110 .. 256000 (default 9600)",
         [settings](Options& o, const std::string& v) { return SetPortSpeed(o.*settings, v); }});
    table.push_back(
        {"--parity", "none|odd|even|mark|space", "parity (default none)",
         [settings](Options& o, const std::string& v) { return SetPortParity(o.*settings, v); }});
    table.push_back(
        {"--data-bits", "7|8", "data bits (default 8)",
         [settings](Options& o, const std::string& v) { return SetPortDataBits(o.*settings, v); }});
    table.push_back(
        {"--stop-bits", "1|1.5|2", "stop bits (default 1)",
         [settings](Options& o, const std::string& v) { return SetPortStopBits(o.*settings, v); }});
    table.push_back(
        {"--rtscts", nullptr, "RTS/CTS handshake", [settings](Options& o, const std::string&) {
             (o.*settings).flowRts = 1;
             return std::string();
         }});
    table.push_back(
        {"--xonxoff", nullptr, "XON/XOFF handshake", [settings](Options& o, const std::string&) {
             (o.*settings).flowXon = 1;
             return std::string();
         }});
}

}  // namespace orbex
