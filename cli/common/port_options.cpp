#include "cli/common/port_options.h"

#include <type_traits>
#include <vector>

namespace orbex {
namespace {

// Sets `field` to the index of `text` among `texts` (case ignored).
template <typename Texts>
std::string SetIndex(const char* option, const Texts& texts, const std::string& text,
                     std::int32_t& field) {
    std::vector<std::string> names;
    for (const auto& entry : texts) {
        if constexpr (std::is_integral_v<std::decay_t<decltype(entry)>>) {
            names.push_back(std::to_string(entry));
        } else {
            names.emplace_back(entry);
        }
    }
    int index = 0;
    std::string error = ReadChoice(option, text, names, index);
    if (error.empty()) {
        field = index;
    }
    return error;
}

}  // namespace

std::string SetPortSpeed(PortSettings& settings, const std::string& baud) {
    return SetIndex("--speed", kBaudRates, baud, settings.speed);
}

std::string SetPortParity(PortSettings& settings, const std::string& parity) {
    return SetIndex("--parity", kParityTexts, parity, settings.parity);
}

std::string SetPortDataBits(PortSettings& settings, const std::string& bits) {
    return SetIndex("--data-bits", kDataBitTexts, bits, settings.dataBits);
}

std::string SetPortStopBits(PortSettings& settings, const std::string& bits) {
    return SetIndex("--stop-bits", kStopBitTexts, bits, settings.stopBits);
}

}  // namespace orbex
