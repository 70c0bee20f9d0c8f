#include "cli/orbex_report/ttff_results.h"

#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

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

std::optional<int> WholeMember(const rapidjson::Value& object, const char* key) {
    const std::optional<double> value = NumberMember(object, key);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

// One cycle object; the reason it is no result, or "". A summary's cycles may leave out the
// port their receiver names (`port`).
std::string ReadCycle(const rapidjson::Value& object, const std::string& label,
                      const std::string& receiverPort, TtffCycle& cycle) {
    if (!object.IsObject()) {
        return "not a JSON object";
    }
    std::string port = StringMember(object, "port");
    if (port.empty()) {
        port = receiverPort;
    }
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

void AddCycle(TtffCycle cycle, TtffResults& results) {
    if (std::find(results.receivers.begin(), results.receivers.end(), cycle.receiver) ==
        results.receivers.end()) {
        results.receivers.push_back(cycle.receiver);
    }
    results.cycles.push_back(std::move(cycle));
}

TtffRun ReadRunOptions(const rapidjson::Value& summary, const std::string& source) {
    TtffRun run;
    run.source = source;
    if (const auto options = summary.FindMember("options");
        options != summary.MemberEnd() && options->value.IsObject()) {
        const rapidjson::Value& o = options->value;
        run.mode = StringMember(o, "mode");
        run.count = WholeMember(o, "count");
        run.interval = WholeMember(o, "interval");
        run.maxFailures = WholeMember(o, "max_failures");
        run.limit = NumberMember(o, "limit");
        run.percentile = NumberMember(o, "percentile");
        run.cycleTimeout = NumberMember(o, "cycle_timeout");
        if (const auto ports = o.FindMember("ports");
            ports != o.MemberEnd() && ports->value.IsArray()) {
            for (const rapidjson::Value& port : ports->value.GetArray()) {
                if (port.IsString()) {
                    run.ports.emplace_back(port.GetString());
                }
            }
        }
        if (const auto ref = o.FindMember("ref"); ref != o.MemberEnd() && ref->value.IsArray()) {
            for (const rapidjson::Value& value : ref->value.GetArray()) {
                if (value.IsNumber()) {
                    run.reference.push_back(value.GetDouble());
                }
            }
        }
    }
    run.verdict = StringMember(summary, "verdict");
    run.confidence = NumberMember(summary, "confidence");
    const auto complete = summary.FindMember("complete");
    run.complete =
        complete == summary.MemberEnd() || !complete->value.IsBool() || complete->value.GetBool();
    return run;
}

bool AddSummary(const rapidjson::Value& summary, const std::string& source,
                const std::string& label, TtffResults& results, std::string& error) {
    const auto receivers = summary.FindMember("receivers");
    if (!receivers->value.IsArray()) {
        error = source + ": \"receivers\" is not a list";
        return false;
    }
    TtffRun run = ReadRunOptions(summary, source);
    if (!results.percentile) {
        results.percentile = run.percentile;
    }
    results.runs.push_back(std::move(run));
    std::size_t index = 0;
    for (const rapidjson::Value& receiver : receivers->value.GetArray()) {
        const std::string where = source + ": receiver " + std::to_string(++index);
        if (!receiver.IsObject()) {
            results.skipped.push_back(where + ": not a JSON object");
            continue;
        }
        const std::string port = StringMember(receiver, "port");
        const auto cycles = receiver.FindMember("cycles");
        if (cycles == receiver.MemberEnd() || !cycles->value.IsArray()) {
            results.skipped.push_back(where + ": no list of cycles");
            continue;
        }
        std::size_t position = 0;
        for (const rapidjson::Value& object : cycles->value.GetArray()) {
            ++position;
            TtffCycle cycle;
            if (std::string reason = ReadCycle(object, label, port, cycle); !reason.empty()) {
                results.skipped.push_back(where + ", cycle entry " + std::to_string(position) +
                                          ": " + reason);
                continue;
            }
            AddCycle(std::move(cycle), results);
        }
    }
    return true;
}

void AddLines(const std::string& text, const std::string& source, const std::string& label,
              TtffResults& results) {
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::string where = source + ":" + std::to_string(lineNumber) + ": ";
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
        if (std::string reason = ReadCycle(document, label, {}, cycle); !reason.empty()) {
            results.skipped.push_back(where + reason);
            continue;
        }
        AddCycle(std::move(cycle), results);
    }
}

}  // namespace

bool AddTtffResultsText(const std::string& text, const std::string& source,
                        const std::string& label, TtffResults& results, std::string& error) {
    // A summary is one JSON object with a list of receivers; --json output is one object per
    // line and never parses whole.
    rapidjson::Document whole;
    whole.Parse(text.c_str(), text.size());
    if (!whole.HasParseError() && whole.IsObject() && whole.HasMember("receivers")) {
        results.files.push_back(source);
        return AddSummary(whole, source, label, results, error);
    }
    // --json's lines never hold these names.
    if (whole.HasParseError() && (text.find("\"receivers\"") != std::string::npos ||
                                  text.find("\"options\"") != std::string::npos)) {
        // Cut short (a full disk, a copy taken mid-write): say so rather than skip every line.
        error = source + " looks like a summary but is not whole JSON (broken at byte " +
                std::to_string(whole.GetErrorOffset()) + ")";
        return false;
    }
    results.files.push_back(source);
    AddLines(text, source, label, results);
    return true;
}

bool ReadTtffResults(const std::string& path, const std::string& label, TtffResults& results,
                     std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    return AddTtffResultsText(text.str(), path, label, results, error);
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
