// The command ids of the main window's menus, picture and keys: the resource numbers of the menu
// items. A window command's title is the string resource of the same number.
#pragma once

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
    kCmdSignalHistory = 40070,
    kCmdAlwaysOnTop = 4112,  // any id of 4112..4127 is taken as this item
};

inline bool IsAlwaysOnTopCommand(int id) {
    return id >= kCmdAlwaysOnTop && id <= kCmdAlwaysOnTop + 15;
}

}  // namespace orbex
