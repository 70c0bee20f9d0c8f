// The eight port settings in the settings store (section "Config"), read and written in the
// order STOPBIT, SPEED, PARITY, DATABIT, FROWRTS, FROWDSR, FROWXON, COMPORT.
#pragma once

#include <string>

#include "link/port_settings.h"

namespace orbex {

// Reads each key; an absent or unreadable key keeps the record's value. A stored index
// outside its value list (say SPEED = 99) gives that setting's default instead, so a damaged
// store can never make a link index past a list. COMPORT is kept as stored: a port that does
// not exist makes Connect fail with its message.
void LoadPortSettings(PortSettings& settings);
void SavePortSettings(const PortSettings& settings);

// The network address typed in the port dialog (tcp://HOST:PORT or rfc2217://HOST:PORT), kept
// as "ADDRESS" beside the eight keys. A stored address wins over COMPORT; an empty one (or
// none, as in older files) leaves COMPORT to name the serial port.
std::string LoadPortAddress();
void SavePortAddress(const std::string& address);

}  // namespace orbex
