#include "cli/common/port_failure.h"

#include <cstring>
#include <string_view>

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

std::optional<int> CommunicationErrorCode(const std::string& text) {
    constexpr std::string_view kPrefix = "Communication Error ";
    if (!text.starts_with(kPrefix) || text.size() == kPrefix.size() ||
        text.size() - kPrefix.size() > 6) {
        return std::nullopt;
    }
    int code = 0;
    for (std::size_t i = kPrefix.size(); i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        code = code * 10 + (text[i] - '0');
    }
    return code;
}

}  // namespace orbex
