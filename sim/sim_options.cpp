#include "sim/sim_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>

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

const OptionTable<SimOptions>& SimOptionTable() {
    static const OptionTable<SimOptions> table = {
        {"--stdout", nullptr,
         "write the stream to standard output, read commands from standard input",
         [](SimOptions& o, const std::string&) {
             o.toStdout = true;
             return Ok();
         }},
        {"--link", "PATH", "also make a symbolic link PATH to the pseudo-terminal",
         [](SimOptions& o, const std::string& v) {
             o.linkPath = v;
             return Ok();
         }},
        {"--truth", "FILE", "write one JSON object per line sent, with the values encoded",
         [](SimOptions& o, const std::string& v) {
             o.truthPath = v;
             return Ok();
         }},
        {"--fast", nullptr, "do not sleep: simulated time advances one period per epoch",
         [](SimOptions& o, const std::string&) {
             o.fast = true;
             return Ok();
         }},
        {"--duration", "SECONDS", "stop after this much simulated time",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.duration, "--duration", v, 0, 1e7);
         }},
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
        {"--lat", "DEG", "latitude of the antenna (default 35.681236, north)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.latDeg, "--lat", v, -89.9, 89.9);
         }},
        {"--lon", "DEG", "longitude of the antenna (default 139.767125, east)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.lonDeg, "--lon", v, -179.99, 179.99);
         }},
        {"--alt", "METRES", "altitude above mean sea level (default 40)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.altMetres, "--alt", v, -9000, 90000);
         }},
        {"--south", nullptr, "put the latitude in the southern hemisphere",
         [](SimOptions& o, const std::string&) {
             o.south = true;
             return Ok();
         }},
        {"--west", nullptr, "put the longitude in the western hemisphere",
         [](SimOptions& o, const std::string&) {
             o.west = true;
             return Ok();
         }},
        {"--speed-kmh", "KMH", "speed over ground (default 0)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.speedKmh, "--speed-kmh", v, 0, 900);
         }},
        {"--heading", "DEG", "course over ground, degrees from true north (default 0)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.headingDeg, "--heading", v, 0, 360);
         }},
        {"--format", "native|4ch|nmea|mixed", "output format (default nmea)",
         [](SimOptions& o, const std::string& v) {
             if (v == "native")
                 o.format = OutputFormat::kNative;
             else if (v == "4ch")
                 o.format = OutputFormat::kFourChannel;
             else if (v == "nmea")
                 o.format = OutputFormat::kNmea;
             else if (v == "mixed")
                 o.format = OutputFormat::kMixed;
             else
                 return std::string("--format") + ": expected native, 4ch, nmea or mixed, got \"" +
                        v + "\"";
             return Ok();
         }},
        {"--extra", nullptr, "add $GPGLL, $PEXT, $PVLM, $PSSST, $PSGSA and $GPRMC to NMEA epochs",
         [](SimOptions& o, const std::string&) {
             o.extra = true;
             return Ok();
         }},
        {"--handheld", nullptr, "the handheld viewer's stream: GGA, GSA, GSV, RMC at 4800 baud",
         [](SimOptions& o, const std::string&) {
             o.handheld = true;
             return Ok();
         }},
        {"--four-digit-minutes", nullptr,
         "four decimals of latitude/longitude minutes in GGA (default)",
         [](SimOptions& o, const std::string&) {
             o.fourDigitMinutes = true;
             return Ok();
         }},
        {"--three-digit-minutes", nullptr, "three decimals of minutes in GGA",
         [](SimOptions& o, const std::string&) {
             o.fourDigitMinutes = false;
             return Ok();
         }},
        {"--rate", "HZ", "epochs per second (default 1)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.rateHz, "--rate", v, 0.01, 20);
         }},
        {"--ttff-hot", "SECONDS", "time to fix after @SR (default 1)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.ttffHot, "--ttff-hot", v, 0, 36000);
         }},
        {"--ttff-warm", "SECONDS", "time to fix after @SW (default 30)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.ttffWarm, "--ttff-warm", v, 0, 36000);
         }},
        {"--ttff-cold", "SECONDS", "time to fix after @CD (default 45)",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.ttffCold, "--ttff-cold", v, 0, 36000);
         }},
        {"--ignore-resets", nullptr, "take @SR, @SW and @CD without echo, banner or restart",
         [](SimOptions& o, const std::string&) {
             o.ignoreResets = true;
             return Ok();
         }},
        {"--assist-error", nullptr, "answer @ASO/@SIO with \"[ASO] Err\"/\"[SIO] Err\"",
         [](SimOptions& o, const std::string&) {
             o.assistError = true;
             return Ok();
         }},
        {"--bad-checksum-every", "N", "every Nth sentence gets a wrong checksum",
         [](SimOptions& o, const std::string& v) {
             return SetCount(o.faults.badChecksumEvery, "--bad-checksum-every", v, 1, 1000000);
         }},
        {"--unprintable-every", "N", "every Nth line gets an unprintable byte",
         [](SimOptions& o, const std::string& v) {
             return SetCount(o.faults.unprintableEvery, "--unprintable-every", v, 1, 1000000);
         }},
        {"--da-terminator", nullptr, "end lines with the byte 0xDA instead of CR LF",
         [](SimOptions& o, const std::string&) {
             o.faults.daTerminator = true;
             return Ok();
         }},
        {"--burst", "BYTES", "hold output back and write it in chunks of BYTES",
         [](SimOptions& o, const std::string& v) {
             return SetCount(o.faults.burstBytes, "--burst", v, 1, 1 << 20);
         }},
        {"--no-terminator-run", "BYTES",
         "every 10 epochs, send BYTES printable bytes without a terminator",
         [](SimOptions& o, const std::string& v) {
             return SetCount(o.faults.noTerminatorRun, "--no-terminator-run", v, 1, 1 << 20);
         }},
        {"--hangup-after", "SECONDS", "close the port after SECONDS and exit with status 3",
         [](SimOptions& o, const std::string& v) {
             return SetNumber(o.faults.hangupAfter, "--hangup-after", v, 0.001, 1e7);
         }},
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
