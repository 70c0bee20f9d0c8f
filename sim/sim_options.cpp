#include "sim/sim_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "cli/common/option_setters.h"
#include "cli/common/option_table.h"

namespace orbex::sim {
namespace {

std::optional<double> ToNumber(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Reads a number into `target` when it lies in [low, high]; returns the error text otherwise.
std::string SetNumber(double& target, const std::string& name, const std::string& text, double low,
                      double high) {
    const auto value = ToNumber(text);
    if (!value || *value < low || *value > high) {
        return name + ": expected a number from " + std::to_string(low) + " to " +
               std::to_string(high) + ", got \"" + text + "\"";
    }
    target = *value;
    return {};
}

std::string SetCount(int& target, const std::string& name, const std::string& text, int low,
                     int high) {
    double value = 0;
    std::string error = SetNumber(value, name, text, low, high);
    if (error.empty() && value != std::floor(value)) {
        error = name + ": expected a whole number, got \"" + text + "\"";
    }
    if (error.empty()) {
        target = static_cast<int>(value);
    }
    return error;
}

std::string Ok() {
    return {};
}

using Row = OptionRow<SimOptions>;

// The rows below name the field they set: a member of SimOptions, or a function that gives one
// (the faults' fields), used through std::invoke.

// A switch that sets a flag to `value`.
template <typename Field>
Row Switch(const char* name, const char* help, Field field, bool value = true) {
    return {name, nullptr, help, [field, value](SimOptions& o, const std::string&) {
                std::invoke(field, o) = value;
                return Ok();
            }};
}

// A number in [low, high].
template <typename Field>
Row Number(const char* name, const char* valueName, const char* help, Field field, double low,
           double high) {
    return {name, valueName, help, [=](SimOptions& o, const std::string& v) {
                return SetNumber(std::invoke(field, o), name, v, low, high);
            }};
}

// A whole number in [low, high].
template <typename Field>
Row Count(const char* name, const char* valueName, const char* help, Field field, int low,
          int high) {
    return {name, valueName, help, [=](SimOptions& o, const std::string& v) {
                return SetCount(std::invoke(field, o), name, v, low, high);
            }};
}

template <typename Value>
auto Fault(Value FaultOptions::*field) {
    return [field](SimOptions& o) -> Value& { return o.faults.*field; };
}

std::string SetFormat(SimOptions& o, const std::string& v) {
    if (v == "native")
        o.format = OutputFormat::kNative;
    else if (v == "4ch")
        o.format = OutputFormat::kFourChannel;
    else if (v == "nmea")
        o.format = OutputFormat::kNmea;
    else if (v == "mixed")
        o.format = OutputFormat::kMixed;
    else
        return std::string("--format") + ": expected native, 4ch, nmea or mixed, got \"" + v + "\"";
    return Ok();
}

const OptionTable<SimOptions>& SimOptionTable() {
    static const OptionTable<SimOptions> table = {
        Switch("--stdout", "write the stream to standard output, read commands from standard input",
               &SimOptions::toStdout),
        {"--link", "PATH", "also make a symbolic link PATH to the pseudo-terminal",
         SetsText(&SimOptions::linkPath)},
        {"--truth", "FILE", "write one JSON object per line sent, with the values encoded",
         SetsText(&SimOptions::truthPath)},
        Switch("--fast", "do not sleep: simulated time advances one period per epoch",
               &SimOptions::fast),
        Number("--duration", "SECONDS", "stop after this much simulated time",
               &SimOptions::duration, 0, 1e7),
        {"--start", "UTC",
         "simulated start time, YYYY-MM-DDTHH:MM:SS (default: now; "
         "2026-06-01T12:00:00 with --fast)",
         [](SimOptions& o, const std::string& v) {
             o.start = ParseUtc(v);
             return o.start ? Ok()
                            : std::string("--start") + ": expected YYYY-MM-DDTHH:MM:SS, got \"" +
                                  v + "\"";
         }},
        {"--seed", "N", "seed of the world's random generator (same seed, same run)",
         [](SimOptions& o, const std::string& v) {
             double value = 0;
             std::string error = SetNumber(value, "--seed", v, 0, 4e18);
             o.seed = static_cast<std::uint64_t>(value);
             return error;
         }},
        Number("--lat", "DEG", "latitude of the antenna (default 35.681236, north)",
               &SimOptions::latDeg, -89.9, 89.9),
        Number("--lon", "DEG", "longitude of the antenna (default 139.767125, east)",
               &SimOptions::lonDeg, -179.99, 179.99),
        Number("--alt", "METRES", "altitude above mean sea level (default 40)",
               &SimOptions::altMetres, -9000, 90000),
        Switch("--south", "put the latitude in the southern hemisphere", &SimOptions::south),
        Switch("--west", "put the longitude in the western hemisphere", &SimOptions::west),
        Number("--speed-kmh", "KMH", "speed over ground (default 0)", &SimOptions::speedKmh, 0,
               900),
        Number("--heading", "DEG", "course over ground, degrees from true north (default 0)",
               &SimOptions::headingDeg, 0, 360),
        {"--format", "native|4ch|nmea|mixed", "output format (default nmea)", SetFormat},
        Switch("--extra", "add $GPGLL, $PEXT, $PVLM, $PSSST, $PSGSA and $GPRMC to NMEA epochs",
               &SimOptions::extra),
        Switch("--handheld", "the handheld viewer's stream: GGA, GSA, GSV, RMC at 4800 baud",
               &SimOptions::handheld),
        Switch("--four-digit-minutes",
               "four decimals of latitude/longitude minutes in GGA (default)",
               &SimOptions::fourDigitMinutes),
        Switch("--three-digit-minutes", "three decimals of minutes in GGA",
               &SimOptions::fourDigitMinutes, false),
        Number("--rate", "HZ", "epochs per second (default 1)", &SimOptions::rateHz, 0.01, 20),
        Number("--ttff-hot", "SECONDS", "time to fix after @SR (default 1)", &SimOptions::ttffHot,
               0, 36000),
        Number("--ttff-warm", "SECONDS", "time to fix after @SW (default 30)",
               &SimOptions::ttffWarm, 0, 36000),
        Number("--ttff-cold", "SECONDS", "time to fix after @CD (default 45)",
               &SimOptions::ttffCold, 0, 36000),
        Switch("--ignore-resets", "take @SR, @SW and @CD without echo, banner or restart",
               &SimOptions::ignoreResets),
        Switch("--assist-error", "answer @ASO/@SIO with \"[ASO] Err\"/\"[SIO] Err\"",
               &SimOptions::assistError),
        Count("--bad-checksum-every", "N", "every Nth sentence gets a wrong checksum",
              Fault(&FaultOptions::badChecksumEvery), 1, 1000000),
        Count("--unprintable-every", "N", "every Nth line gets an unprintable byte",
              Fault(&FaultOptions::unprintableEvery), 1, 1000000),
        Switch("--da-terminator", "end lines with the byte 0xDA instead of CR LF",
               Fault(&FaultOptions::daTerminator)),
        Count("--burst", "BYTES", "hold output back and write it in chunks of BYTES",
              Fault(&FaultOptions::burstBytes), 1, 1 << 20),
        Count("--no-terminator-run", "BYTES",
              "every 10 epochs, send BYTES printable bytes without a terminator",
              Fault(&FaultOptions::noTerminatorRun), 1, 1 << 20),
        Number("--hangup-after", "SECONDS", "close the port after SECONDS and exit with status 3",
               Fault(&FaultOptions::hangupAfter), 0.001, 1e7),
    };
    return table;
}

}  // namespace

ParsedOptions ParseSimOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    CommandWords words;
    parsed.error = ReadOptions(SimOptionTable(), args, parsed.options, words);
    parsed.showHelp = words.help;
    if (parsed.error.empty() && !words.words.empty()) {
        parsed.error = "unknown option \"" + words.words.front() + "\" (try --help)";
    }
    if (!parsed.error.empty()) {
        return parsed;
    }
    SimOptions& o = parsed.options;
    if (o.south) {
        o.latDeg = -std::fabs(o.latDeg);
    }
    if (o.west) {
        o.lonDeg = -std::fabs(o.lonDeg);
    }
    if (parsed.options.handheld) {
        parsed.options.format = OutputFormat::kNmea;
    }
    return parsed;
}

std::string SimUsage() {
    std::string text =
        "usage: vm8140-sim [options]\n"
        "A stand-in VM8140 receiver. By default it opens a pseudo-terminal, prints the path of\n"
        "its slave on the first line of standard output and serves until killed.\n\n";
    text += OptionHelp(SimOptionTable());
    text +=
        "\nCommands end with CR LF, or a lone CR: @SR, @SW, @CD restart (echo, banner\n"
        "\"VELMAR VM8140 GPS V1.04\", no fix for the time to fix); @AMO/@EMO dump 64/96\n"
        "almanac/ephemeris lines; @AMI/@EMI answer \"[AMI] Ready\"/\"[EMI] Ready\" and one\n"
        "line per data line, and the next dump returns the upload; @ASO/@SIO dump the GSM/\n"
        "W-CDMA assistance block; @ASI/@SII take one and answer \"[ASI] OK ...\" or\n"
        "\"[ASI] Err ...\"; any other command gets \"[NAME] OK\" or \"[NAME] Err Unknown "
        "Command\".\n"
        "The port keeps serving while clients close and reopen it; output nobody reads for a\n"
        "second is discarded. With --fast --stdout, standard input is a script read at the\n"
        "start and fed one line per epoch.\n";
    return text;
}

}  // namespace orbex::sim
