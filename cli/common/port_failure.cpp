#include "cli/common/port_failure.h"

#include <cstring>

#include "platform/system_error.h"

namespace orbex {

std::string PortFailureLine(const std::string& port) {
    return PortFailureLine(port, SystemError());
}

std::string PortFailureLine(const std::string& port, int code) {
    if (code == 0) {
        return port + ": the port cannot be used";
    }
    return port + ": " + std::strerror(code);
}

}  // namespace orbex
