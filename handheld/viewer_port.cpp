#include "handheld/viewer_port.h"

#include <sys/ioctl.h>
#include <termios.h>

namespace orbexce {

bool ViewerPort::Open(const std::string& path) {
    port_.Close();
    if (path.empty() || !port_.Open(path)) {
        return false;
    }
    orbex::SerialParameters lineSettings;
    lineSettings.baudRate = 4800;
    lineSettings.dataBits = 8;
    lineSettings.parity = orbex::SerialParity::None;
    lineSettings.stopBits = orbex::SerialStopBits::One;
    orbex::SerialParameters applied;
    if (!port_.Configure(lineSettings) || !port_.ReadParameters(applied)) {
        port_.Close();
        return false;
    }
    return true;
}

void ViewerPort::DiscardInput() {
    if (port_.IsOpen()) {
        ::tcflush(port_.Descriptor(), TCIFLUSH);
    }
}

bool ViewerPort::Write(const std::string& bytes) {
    return port_.IsOpen() && port_.Write(bytes.data(), bytes.size());
}

}  // namespace orbexce
