#include "cli/orbex_ttff/ttff_json.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cmath>

namespace orbex {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void Text(JsonWriter& json, const std::string& text) {
    json.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
}

void NumberOrNull(JsonWriter& json, const char* key, std::optional<double> value) {
    json.Key(key);
    if (value && std::isfinite(*value)) {
        json.Double(*value);
    } else {
        json.Null();
    }
}

// The figures of nothing are null, not 0: no mean of no results.
void Statistics(JsonWriter& json, const TtffStatistics& s, bool withErrors,
                const std::optional<ErrorFigures>& errors) {
    json.StartObject();
    json.Key("count");
    json.Int(s.count);
    json.Key("failures");
    json.Int(s.failures);
    const bool any = s.count > 0;
    const std::pair<const char*, double> figures[] = {
        {"mean", s.mean},   {"median", s.median}, {"percentile", s.percentile},
        {"min", s.minimum}, {"max", s.maximum},   {"stddev", s.deviation}};
    for (const auto& [key, value] : figures) {
        NumberOrNull(json, key, any ? std::optional<double>(value) : std::nullopt);
    }
    if (withErrors) {
        NumberOrNull(json, "error_m_median",
                     errors ? std::optional<double>(errors->median) : std::nullopt);
        NumberOrNull(json, "error_m_p95",
                     errors ? std::optional<double>(errors->p95) : std::nullopt);
    }
    json.EndObject();
}

void PortStatistics(JsonWriter& json, const TtffOptions& options, const PortResults& r) {
    Statistics(json, ComputeStatistics(r.ttffs, r.failures, options.percentile),
               options.reference.has_value(), ComputeErrorFigures(r.errors));
}

void VerdictMembers(JsonWriter& json, const TtffVerdict& verdict) {
    json.Key("verdict");
    if (verdict.pass) {
        json.String(*verdict.pass ? "pass" : "fail");
    } else {
        json.Null();
    }
    NumberOrNull(json, "confidence", verdict.confidence);
}

}  // namespace

std::string StatisticsJson(const TtffOptions& options, const std::vector<std::string>& ports,
                           const std::vector<PortResults>& results, const TtffVerdict& verdict) {
    rapidjson::StringBuffer buffer;
    JsonWriter json(buffer);
    json.StartObject();
    json.Key("statistics");
    json.StartObject();
    json.Key("percentile");
    json.Double(options.percentile);
    json.Key("ports");
    json.StartObject();
    for (std::size_t i = 0; i < ports.size(); ++i) {
        json.Key(ports[i].c_str(), static_cast<rapidjson::SizeType>(ports[i].size()));
        PortStatistics(json, options, results[i]);
    }
    json.EndObject();
    json.Key("all");
    Statistics(json, verdict.all, options.reference.has_value(), verdict.allErrors);
    if (options.limit) {
        VerdictMembers(json, verdict);
    }
    json.EndObject();
    json.EndObject();
    return buffer.GetString();
}

std::string SummaryJson(const TtffOptions& options, const std::vector<std::string>& ports,
                        const std::vector<PortResults>& results, const TtffVerdict& verdict,
                        bool complete) {
    rapidjson::StringBuffer buffer;
    JsonWriter json(buffer);
    json.StartObject();
    json.Key("options");
    json.StartObject();
    json.Key("mode");
    json.String(TextsOf(options.mode).optionName);
    json.Key("count");
    json.Int(options.count);
    json.Key("interval");
    if (options.interval == kRandomInterval) {
        json.String("random");
    } else {
        json.Int(options.interval);
    }
    NumberOrNull(json, "limit", options.limit);
    json.Key("percentile");
    json.Double(options.percentile);
    json.Key("max_failures");
    json.Int(options.maxFailures);
    NumberOrNull(json, "cycle_timeout", options.cycleTimeout);
    json.Key("ports");
    json.StartArray();
    for (const std::string& port : ports) {
        Text(json, port);
    }
    json.EndArray();
    json.Key("ref");
    if (options.reference) {
        json.StartArray();
        json.Double(options.reference->latDegrees);
        json.Double(options.reference->lonDegrees);
        if (std::isfinite(options.reference->altitude)) {
            json.Double(options.reference->altitude);
        } else {
            json.Null();
        }
        json.EndArray();
    } else {
        json.Null();
    }
    json.EndObject();
    json.Key("receivers");
    json.StartArray();
    for (std::size_t i = 0; i < ports.size(); ++i) {
        json.StartObject();
        json.Key("port");
        Text(json, ports[i]);
        json.Key("cycles");
        json.StartArray();
        for (const std::string& cycle : results[i].jsons) {
            json.RawValue(cycle.c_str(), cycle.size(), rapidjson::kObjectType);
        }
        json.EndArray();
        json.Key("statistics");
        PortStatistics(json, options, results[i]);
        json.EndObject();
    }
    json.EndArray();
    json.Key("all");
    Statistics(json, verdict.all, options.reference.has_value(), verdict.allErrors);
    VerdictMembers(json, verdict);
    json.Key("complete");
    json.Bool(complete);
    json.EndObject();
    return std::string(buffer.GetString()) + "\n";
}

}  // namespace orbex
