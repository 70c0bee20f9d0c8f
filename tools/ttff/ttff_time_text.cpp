#include "tools/ttff/ttff_time_text.h"

#include <array>
#include <cstdio>

namespace orbex {
namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::tm Utc(std::time_t time) {
    std::tm parts{};
    gmtime_r(&time, &parts);
    return parts;
}

}  // namespace

std::string CycleStartListText(std::time_t time) {
    const std::tm t = Utc(time);
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d", kWeekdays[t.tm_wday % 7],
                  kMonths[t.tm_mon % 12], t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
                  t.tm_year + 1900);
    return text;
}

std::string CycleStartRecordText(std::time_t time) {
    const std::tm t = Utc(time);
    char text[64];
    std::snprintf(text, sizeof text, "%d,%02d,%02d,%02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string IsoUtcText(std::time_t time) {
    const std::tm t = Utc(time);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

}  // namespace orbex
