#include "app/orbex_commands.h"

#include <algorithm>

#include "app/data_transfer_mode.h"

namespace orbex {

bool IsMonitorCommand(int id) {
    return std::find(kMonitorCommands.begin(), kMonitorCommands.end(), id) !=
           kMonitorCommands.end();
}

bool IsAlwaysOnTopCommand(int id) {
    return id >= kCmdAlwaysOnTop && id <= kCmdAlwaysOnTop + 15;
}

MonitorCommand MapMonitorCommand(int command) {
    std::uint8_t mode = kTransferAlmanac;
    if (command == kCmdTransmitEphemeris) {
        mode = kTransferEphemerisTransmit;
        command = kCmdTransmitAlmanac;
    } else if (command == kCmdAcquireEphemeris) {
        mode = kTransferEphemerisAcquire;
        command = kCmdAcquireAlmanac;
    } else if (command == kCmdTransmitAlmanacEphemeris) {
        mode = kTransferAlmanacEphemerisTransmit;
        command = kCmdTransmitAlmanac;
    }
    const int kind = command >= kCmdAssistData ? command - 40016 : command - 40001;
    return MonitorCommand{command, kind, mode};
}

}  // namespace orbex
