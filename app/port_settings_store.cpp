#include "app/port_settings_store.h"

#include <array>

#include "platform/settings_store.h"

namespace orbex {

namespace {

constexpr const char* kSection = "Config";

struct PortKey {
    const char* name;
    std::int32_t PortSettings::*field;
    std::int32_t limit;  // values 0 .. limit-1 are valid; 0: any value
};

const std::array<PortKey, 8>& PortKeys() {
    static const std::array<PortKey, 8> keys = {{
        {"STOPBIT", &PortSettings::stopBits, static_cast<std::int32_t>(kStopBitTexts.size())},
        {"SPEED", &PortSettings::speed, static_cast<std::int32_t>(kBaudRates.size())},
        {"PARITY", &PortSettings::parity, static_cast<std::int32_t>(kParityTexts.size())},
        {"DATABIT", &PortSettings::dataBits, static_cast<std::int32_t>(kDataBitTexts.size())},
        {"FROWRTS", &PortSettings::flowRts, 0},
        {"FROWDSR", &PortSettings::flowDsr, 0},
        {"FROWXON", &PortSettings::flowXon, 0},
        {"COMPORT", &PortSettings::portIndex, 0},
    }};
    return keys;
}

}  // namespace

void LoadPortSettings(PortSettings& settings) {
    const PortSettings defaults;
    for (const PortKey& key : PortKeys()) {
        std::int32_t value = 0;
        if (!ReadNumber(kSection, key.name, value)) {
            continue;
        }
        const bool outOfList = key.limit > 0 && (value < 0 || value >= key.limit);
        settings.*key.field = outOfList ? defaults.*key.field : value;
    }
}

std::string LoadPortAddress() {
    std::string address;
    if (!ReadString(kSection, "ADDRESS", address)) {
        address.clear();
    }
    return address;
}

void SavePortAddress(const std::string& address) {
    WriteString(kSection, "ADDRESS", address.c_str());
}

void SavePortSettings(const PortSettings& settings) {
    for (const PortKey& key : PortKeys()) {
        WriteNumber(kSection, key.name, settings.*key.field);
    }
}

}  // namespace orbex
