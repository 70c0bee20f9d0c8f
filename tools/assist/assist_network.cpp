#include "tools/assist/assist_network.h"

namespace orbex {

const AssistNetworkLayout& LayoutOf(AssistNetwork network) {
    static constexpr AssistNetworkLayout kGsm = {
        "@ASO\r\n", "[ASO] Err", "@ASI\r\n", "[ASI] Ready", "[ASI]", "Send ASO...", 27, 2,
        28,         0,           9};
    static constexpr AssistNetworkLayout kWcdma = {
        "@SIO\r\n", "[SIO] Err", "@SII\r\n", "[SII] Ready", "[SII]", "Send SIO...", 34, 1,
        36,         24,          10};
    return network == AssistNetwork::Gsm ? kGsm : kWcdma;
}

const char* NetworkName(AssistNetwork network) {
    return network == AssistNetwork::Gsm ? "GSM" : "W-CDMA";
}

}  // namespace orbex
