#include "link/receiver_link.h"

#include <new>
#include <string>

#include "link/line_queue.h"
#include "platform/serial_port.h"
#include "platform/system_error.h"

namespace orbex {

ReceiverLink::ReceiverLink() : ReceiverLink(SharedLineQueue()) {}

ReceiverLink::ReceiverLink(LineQueue& queue) : queue_(queue) {}

bool ReceiverLink::WriteLine(const char* text) {
    std::string line;
    try {
        if (text != nullptr) {
            line.append(text);
        }
        line.append("\r\n");
    } catch (const std::bad_alloc&) {
        ReportError("Not enough memory", MessageIcon::Error);
        SetSystemError(kErrorNotEnoughMemory);
        return false;
    }
    return Write(line.data(), line.size());
}

void ReceiverLink::ReportError(const std::string& text, MessageIcon icon) const {
    if (errorReport_) {
        errorReport_(text, icon);
    } else {
        ShowMessageBox(text, {}, icon);
    }
}

void ReceiverLink::Notify(unsigned message) const {
    if (owner_) {
        owner_(message, 0, 0);
    }
}

void ReceiverLink::QueueLine(std::string line) const {
    queue_.Push(std::move(line), owner_);
}

bool ToSerialParameters(const PortSettings& settings, SerialParameters& parameters) {
    const bool inRange = settings.speed >= 0 &&
                         settings.speed < static_cast<std::int32_t>(kBaudRates.size()) &&
                         settings.stopBits >= 0 && settings.stopBits <= 2 && settings.parity >= 0 &&
                         settings.parity <= 4 && settings.dataBits >= 0 &&
                         settings.dataBits < static_cast<std::int32_t>(kDataBitValues.size());
    if (!inRange) {
        return false;
    }
    parameters.baudRate = kBaudRates[static_cast<std::size_t>(settings.speed)];
    parameters.dataBits = kDataBitValues[static_cast<std::size_t>(settings.dataBits)];
    parameters.parity = static_cast<SerialParity>(settings.parity);
    parameters.stopBits = static_cast<SerialStopBits>(settings.stopBits);
    parameters.dsrDtr = settings.flowDsr != 0;
    parameters.rtsCts = settings.flowRts != 0;
    parameters.xonXoff = settings.flowXon != 0;
    return true;
}

}  // namespace orbex
