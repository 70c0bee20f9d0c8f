#include "cli/orbex_dump/fix_export.h"

#include <cmath>
#include <cstdio>

#include "cli/common/text_output.h"

namespace orbex {

namespace {

// "2026-06-01T12:00:00Z", "12:00:00" without a date, nothing when the time is not known.
std::string TimeText(const FixTime& t) {
    char buffer[40];
    if (!t.hasTime) {
        return {};
    }
    if (t.HasDate()) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month,
                      t.day, t.hour, t.minute, t.second);
    } else {
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    }
    return buffer;
}

// True when `text` is well-formed UTF-8 without characters XML 1.0 forbids.
bool IsXmlSafeUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80           ? 1
                                   : (c >> 5) == 0x06 ? 2
                                   : (c >> 4) == 0x0E ? 3
                                   : (c >> 3) == 0x1E ? 4
                                                      : 0;
        if (length == 0 || i + length > text.size() ||
            (c < 0x20 && c != '\t' && c != '\n' && c != '\r')) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// Text for an XML element or attribute: markup characters escaped; a name that is not clean
// UTF-8 keeps only its printable ASCII characters.
std::string XmlText(std::string_view text) {
    if (IsXmlSafeUtf8(text)) {
        return MarkupEscaped(text, "&apos;");
    }
    std::string printable;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        printable += (u < 0x20 || u > 0x7E) ? '?' : c;
    }
    return MarkupEscaped(printable, "&apos;");
}

// Latitude, `between`, longitude: in degrees with nine decimals, as every export writes them.
void AppendLatLon(std::string& out, const GeoPoint& position, std::string_view between) {
    AppendFixed(out, position.latDegrees, 9);
    out += between;
    AppendFixed(out, position.lonDegrees, 9);
}

std::string Csv(const std::vector<PositionFix>& fixes) {
    std::string out = "time,latitude,longitude,altitude\r\n";
    for (const PositionFix& fix : fixes) {
        out += TimeText(fix.time);
        out += ',';
        AppendLatLon(out, fix.position, ",");
        out += ',';
        if (!std::isnan(fix.position.altitude)) {
            AppendFixed(out, fix.position.altitude, 2);
        }
        out += "\r\n";
    }
    return out;
}

std::string Gpx(const std::vector<PositionFix>& fixes, std::string_view title) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gpx version=\"1.1\" creator=\"orbex-dump\" xmlns=\"http://www.topografix.com/GPX/1/1\""
        " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation="
        "\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
        "  <trk>\n    <name>" +
        XmlText(title) + "</name>\n    <trkseg>\n";
    for (const PositionFix& fix : fixes) {
        out += "      <trkpt lat=\"";
        AppendLatLon(out, fix.position, "\" lon=\"");
        out += "\">";
        if (!std::isnan(fix.position.altitude)) {
            out += "<ele>";
            AppendFixed(out, fix.position.altitude, 2);
            out += "</ele>";
        }
        if (fix.time.HasDate()) {
            out += "<time>" + TimeText(fix.time) + "</time>";
        }
        out += "</trkpt>\n";
    }
    return out + "    </trkseg>\n  </trk>\n</gpx>\n";
}

void AppendKmlCoordinates(std::string& out, const PositionFix& fix) {
    AppendFixed(out, fix.position.lonDegrees, 9);
    out += ',';
    AppendFixed(out, fix.position.latDegrees, 9);
    out += ',';
    AppendFixed(out, std::isnan(fix.position.altitude) ? 0.0 : fix.position.altitude, 2);
}

void AppendKmlPoint(std::string& out, const char* name, const PositionFix& fix) {
    out += "    <Placemark>\n      <name>";
    out += name;
    out += "</name>\n";
    if (fix.time.HasDate()) {
        out += "      <TimeStamp><when>" + TimeText(fix.time) + "</when></TimeStamp>\n";
    }
    out += "      <Point><coordinates>";
    AppendKmlCoordinates(out, fix);
    out += "</coordinates></Point>\n    </Placemark>\n";
}

std::string Kml(const std::vector<PositionFix>& fixes, std::string_view title) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n  <Document>\n    <name>" +
        XmlText(title) + "</name>\n";
    // A LineString needs two points; a single fix is shown by its placemark alone.
    if (fixes.size() >= 2) {
        out +=
            "    <Placemark>\n      <name>Track</name>\n      <LineString>\n"
            "        <tessellate>1</tessellate>\n        <coordinates>\n";
        for (const PositionFix& fix : fixes) {
            out += "          ";
            AppendKmlCoordinates(out, fix);
            out += '\n';
        }
        out += "        </coordinates>\n      </LineString>\n    </Placemark>\n";
    }
    if (!fixes.empty()) {
        AppendKmlPoint(out, "First fix", fixes.front());
        AppendKmlPoint(out, "Last fix", fixes.back());
    }
    return out + "  </Document>\n</kml>\n";
}

}  // namespace

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
    auto is = [&](std::string_view want) {
        if (name.size() != want.size()) {
            return false;
        }
        for (std::size_t i = 0; i < name.size(); ++i) {
            if ((name[i] | 0x20) != want[i]) {
                return false;
            }
        }
        return true;
    };
    if (is("csv")) {
        return ExportFormat::Csv;
    }
    if (is("gpx")) {
        return ExportFormat::Gpx;
    }
    if (is("kml")) {
        return ExportFormat::Kml;
    }
    return std::nullopt;
}

std::string ExportFixes(ExportFormat format, const std::vector<PositionFix>& fixes,
                        std::string_view title) {
    switch (format) {
        case ExportFormat::Csv:
            return Csv(fixes);
        case ExportFormat::Gpx:
            return Gpx(fixes, title);
        case ExportFormat::Kml:
            break;
    }
    return Kml(fixes, title);
}

}  // namespace orbex
