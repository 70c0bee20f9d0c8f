#include "cli/orbex_report/ttff_results.h"

#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace orbex {

namespace {

std::string StringMember(const rapidjson::Value& object, const char* key) {
    const auto member = object.FindMember(key);
    return member != object.MemberEnd() && member->value.IsString() ? member->value.GetString()
                                                                    : std::string();
}

std::optional<double> NumberMember(const rapidjson::Value& object, const char* key) {
    const auto member = object.FindMember(key);
    if (member == object.MemberEnd() || !member->value.IsNumber()) {
        return std::nullopt;
    }
    const double value = member->value.GetDouble();
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// One cycle object; the reason it is no result, or "".
std::string ReadCycle(const rapidjson::Value& object, const std::string& label, TtffCycle& cycle) {
    const std::string port = StringMember(object, "port");
    const std::optional<double> number = NumberMember(object, "cycle");
    if (port.empty() || !number) {
        return "no port or cycle";
    }
    cycle.receiver = label.empty() ? port : label + " " + port;
    cycle.cycle = static_cast<int>(*number);
    cycle.start = StringMember(object, "start");
    if (object.HasMember("error")) {
        cycle.failed = true;
        cycle.error = StringMember(object, "error");
        return {};
    }
    const std::optional<double> ms = NumberMember(object, "ttff_ms");
    const std::optional<double> seconds = NumberMember(object, "ttff");
    if (!ms && !seconds) {
        return "neither a time nor an error";
    }
    cycle.milliseconds = ms.has_value();
    cycle.ttff = ms ? *ms / 1000 : *seconds;
    if (cycle.ttff < 0) {
        return "a negative time";
    }
    cycle.lat = NumberMember(object, "lat").value_or(std::nan(""));
    cycle.lon = NumberMember(object, "lon").value_or(std::nan(""));
    cycle.alt = NumberMember(object, "alt").value_or(std::nan(""));
    cycle.errorMetres = NumberMember(object, "error_m");
    const auto hot = object.FindMember("hot");
    cycle.hot = hot != object.MemberEnd() && hot->value.IsBool() && hot->value.GetBool();
    return {};
}

}  // namespace

bool ReadTtffResults(const std::string& path, const std::string& label, TtffResults& results,
                     std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    results.files.push_back(path);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::string where = path + ":" + std::to_string(lineNumber) + ": ";
        rapidjson::Document document;
        document.Parse(line.c_str(), line.size());
        if (document.HasParseError() || !document.IsObject()) {
            results.skipped.push_back(where + "not a JSON object");
            continue;
        }
        if (const auto statistics = document.FindMember("statistics");
            statistics != document.MemberEnd()) {
            if (statistics->value.IsObject() && !results.percentile) {
                results.percentile = NumberMember(statistics->value, "percentile");
            }
            continue;
        }
        TtffCycle cycle;
        if (std::string reason = ReadCycle(document, label, cycle); !reason.empty()) {
            results.skipped.push_back(where + reason);
            continue;
        }
        if (std::find(results.receivers.begin(), results.receivers.end(), cycle.receiver) ==
            results.receivers.end()) {
            results.receivers.push_back(cycle.receiver);
        }
        results.cycles.push_back(std::move(cycle));
    }
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

std::vector<double> TtffsOf(const TtffResults& results, const std::string& receiver) {
    std::vector<double> ttffs;
    for (const TtffCycle& cycle : results.cycles) {
        if (!cycle.failed && (receiver.empty() || cycle.receiver == receiver)) {
            ttffs.push_back(cycle.ttff);
        }
    }
    return ttffs;
}

int FailuresOf(const TtffResults& results, const std::string& receiver) {
    return static_cast<int>(std::count_if(
        results.cycles.begin(), results.cycles.end(), [&receiver](const TtffCycle& cycle) {
            return cycle.failed && (receiver.empty() || cycle.receiver == receiver);
        }));
}

}  // namespace orbex
