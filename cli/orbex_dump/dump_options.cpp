#include "cli/orbex_dump/dump_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <string_view>

namespace orbex {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool ParseLong(const std::string& text, long& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

// Finds `text` among `names` (case ignored): its index, or -1.
template <typename Names>
int IndexOf(const Names& names, const std::string& text) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (Lower(names[i]) == Lower(text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ParseSpeed(const std::string& text, PortSettings& settings, std::string& error) {
    long baud = 0;
    if (ParseLong(text, baud)) {
        for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
            if (kBaudRates[i] == static_cast<unsigned long>(baud)) {
                settings.speed = static_cast<std::int32_t>(i);
                return true;
            }
        }
    }
    error =
        "--speed takes one of 110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, "
        "56000, 57600, 115200, 128000, 256000, not '" +
        text + "'";
    return false;
}

}  // namespace

bool ParseDumpOptions(const std::vector<std::string>& arguments, DumpOptions& options,
                      std::string& error) {
    options = DumpOptions{};
    // A dump passes every byte on: no handshake unless asked for.
    options.settings.flowXon = 0;
    int sources = 0;
    bool paceGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                error = option + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--port") {
            if (!value(options.port)) {
                return false;
            }
            options.source = DumpSource::Port;
            ++sources;
        } else if (option == "--replay" || option == "--file") {
            if (!value(options.path)) {
                return false;
            }
            options.source = option == "--replay" ? DumpSource::Replay : DumpSource::File;
            ++sources;
        } else if (option == "--speed") {
            if (!value(text) || !ParseSpeed(text, options.settings, error)) {
                return false;
            }
        } else if (option == "--parity") {
            if (!value(text)) {
                return false;
            }
            const int parity = IndexOf(kParityTexts, text);
            if (parity < 0) {
                error = "--parity takes none, odd, even, mark or space, not '" + text + "'";
                return false;
            }
            options.settings.parity = parity;
        } else if (option == "--data-bits") {
            if (!value(text)) {
                return false;
            }
            const int dataBits = IndexOf(kDataBitTexts, text);
            if (dataBits < 0) {
                error = "--data-bits takes 7 or 8, not '" + text + "'";
                return false;
            }
            options.settings.dataBits = dataBits;
        } else if (option == "--stop-bits") {
            if (!value(text)) {
                return false;
            }
            const int stopBits = IndexOf(kStopBitTexts, text);
            if (stopBits < 0) {
                error = "--stop-bits takes 1, 1.5 or 2, not '" + text + "'";
                return false;
            }
            options.settings.stopBits = stopBits;
        } else if (option == "--rtscts") {
            options.settings.flowRts = 1;
        } else if (option == "--xonxoff") {
            options.settings.flowXon = 1;
        } else if (option == "--send") {
            if (!value(text)) {
                return false;
            }
            options.commands.push_back(text);
        } else if (option == "--count") {
            long count = 0;
            if (!value(text) || !ParseLong(text, count) || count < 1) {
                error = error.empty() ? "--count takes a whole number of lines above 0" : error;
                return false;
            }
            options.count = count;
        } else if (option == "--seconds") {
            if (!value(text)) {
                return false;
            }
            char* end = nullptr;
            const double seconds = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !(seconds > 0) || seconds > 1e9) {
                error = "--seconds takes a time above 0, not '" + text + "'";
                return false;
            }
            options.seconds = seconds;
        } else if (option == "--decode") {
            options.decode = true;
        } else if (option == "--pace") {
            if (!value(text)) {
                return false;
            }
            const int pace = IndexOf(std::array<const char*, 3>{"fast", "recorded", "x10"}, text);
            if (pace < 0) {
                error = "--pace takes fast, recorded or x10, not '" + text + "'";
                return false;
            }
            options.pace = static_cast<ReplayPace>(pace);
            paceGiven = true;
        } else if (option == "--export") {
            if (!value(text)) {
                return false;
            }
            options.exportFormat = ExportFormatNamed(text);
            if (!options.exportFormat) {
                error = "--export takes csv, gpx or kml, not '" + text + "'";
                return false;
            }
        } else {
            error = "unknown argument '" + option + "'";
            return false;
        }
    }
    if (options.help) {
        return true;
    }
    if (sources != 1) {
        error = sources == 0 ? "give one of --port, --replay or --file"
                             : "give only one of --port, --replay or --file";
        return false;
    }
    if (paceGiven && options.source != DumpSource::Replay) {
        error = "--pace sets how a replay runs: use it with --replay";
        return false;
    }
    if (options.exportFormat && (options.source != DumpSource::File || options.decode)) {
        error = "--export reads a recording: use it with --file and without --decode";
        return false;
    }
    if (options.source == DumpSource::File && !options.commands.empty()) {
        error = "--send needs a link: use it with --port or --replay";
        return false;
    }
    return true;
}

const char* DumpUsage() {
    return "usage: orbex-dump --port NAME_OR_INDEX [--speed N] [--parity "
           "none|odd|even|mark|space]\n"
           "                  [--data-bits 7|8] [--stop-bits 1|1.5|2] [--rtscts] [--xonxoff]\n"
           "       orbex-dump --replay FILE [--pace fast|recorded|x10]\n"
           "       orbex-dump --file FILE [--export csv|gpx|kml]\n"
           "  common: [--send TEXT]... [--count N] [--seconds S] [--decode]\n"
           "Prints every received line as received (terminator included), or with --decode\n"
           "one JSON object per line. --port takes an index into the port list or a device\n"
           "path; the port opens at 9600 baud, 8 data bits, no parity, 1 stop bit, no\n"
           "handshake unless told otherwise; a port that goes away is reopened with the\n"
           "same settings when it comes back. --replay replays a recording through the link\n"
           "as Orbex does: a line each millisecond (fast), or at the pace of the times the\n"
           "epochs carry (recorded), or ten times that (x10). --file reads it directly, at\n"
           "full speed; --export writes its fixes instead: CSV with a header row, a GPX 1.1\n"
           "track, or KML with the track and placemarks at the first and last fix.\n";
}

}  // namespace orbex
