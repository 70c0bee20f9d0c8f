// The command ids of the main window's menus, picture and keys, and how a window command maps
// to the kind of monitor window it opens and the data-transfer mode it sets.
#pragma once

#include <array>
#include <cstdint>

namespace orbex {

enum OrbexCommand : int {
    kCmdGeneralInformation = 40001,
    kCmdSatelliteConstellation = 40002,
    kCmdPositionPlot = 40003,
    kCmdConsole = 40004,
    kCmdTransmitAlmanac = 40005,
    kCmdAcquireAlmanac = 40006,
    kCmdConfigurePort = 40007,
    kCmdConnect = 40009,
    kCmdDisconnect = 40010,
    kCmdCloseAllWindows = 40013,
    kCmdAssistData = 40022,
    kCmdTtff = 40024,
    kCmdSoftwareReset = 40028,
    kCmdVelocity = 40029,
    kCmdLogConsole = 40041,
    kCmdStopLoggingConsole = 40042,
    kCmdAbout = 40062,
    kCmdTransmitEphemeris = 40063,
    kCmdAcquireEphemeris = 40064,
    kCmdTransmitAlmanacEphemeris = 40065,
    kCmdAlwaysOnTop = 4112,  // any id of 4112..4127 is taken as this item
};

// The commands that open (or bring forward) a monitor window.
inline constexpr std::array<int, 13> kMonitorCommands = {kCmdGeneralInformation,
                                                         kCmdSatelliteConstellation,
                                                         kCmdPositionPlot,
                                                         kCmdConsole,
                                                         kCmdTransmitAlmanac,
                                                         kCmdAcquireAlmanac,
                                                         kCmdAssistData,
                                                         kCmdTtff,
                                                         kCmdSoftwareReset,
                                                         kCmdVelocity,
                                                         kCmdTransmitEphemeris,
                                                         kCmdAcquireEphemeris,
                                                         kCmdTransmitAlmanacEphemeris};

bool IsMonitorCommand(int id);
bool IsAlwaysOnTopCommand(int id);

// Opening a monitor window: the mode the command sets and the window kind it opens.
struct MonitorCommand {
    int mappedCommand;  // the command whose title the window gets
    int kind;
    std::uint8_t mode;  // data-transfer mode
};
// Maps a window command (40063 -> mode 1 as 40005, 40064 -> 2 as 40006, 40065 -> 3 as 40005).
MonitorCommand MapMonitorCommand(int command);

}  // namespace orbex
