#include "app/string_resources.h"

#include <array>

namespace orbex {

namespace {

struct StringResource {
    int id;
    const char* text;
};

constexpr std::array<StringResource, 21> kStrings = {{
    {kIdsMainTitle, "Orbex 2003"},
    {40001, "General Information"},
    {40002, "Satellite Constellation"},
    {40003, "Position Plot"},
    {40004, "Console"},
    {40005, "Transmit Almanac Data to Receiver"},
    {40006, "Acquire Almanac Data from Receiver"},
    {kIdsApplicationKey, "Software\\VELMAR\\ORBEX"},
    {kIdsNoDataLogChosen,
     "No file was chosen for the GPS data log. The received data will not be recorded."},
    {kIdsLogOpenFailed, "The log file\n%1\ncould not be opened."},
    {kIdsLogWriteFailed,
     "The log file could not be written and has been closed.\nError number: %u"},
    {kIdsDataLogAlreadyFull,
     "The GPS data log file is already larger than its size limit.\nPlease choose another file."},
    {kIdsDataLogLimitReached,
     "The GPS data log file has reached its size limit and has been closed.\n"
     "Please choose a new file to continue recording."},
    {kIdsReplayIsDataLog,
     "The file\n%1\nis the GPS data log that is being recorded and cannot be replayed while it "
     "grows.\nPlease choose another file to replay."},
    {kIdsDataLogIsReplayed,
     "The file\n%1\nis being replayed and cannot also record the GPS data log.\n"
     "Please choose another file."},
    {kIdsDataLogLinesDropped,
     "%1 lines (%2 bytes) received while the new GPS data log file was chosen could not be "
     "held and are missing from the log."},
    {40022, "Assist Data??"},
    {40028, "Software Reset"},
    {40029, "Velocity"},
    {40062, "About Orbex"},
    {40070, "Signal History"},
}};

}  // namespace

QString LoadStringResource(int id) {
    for (const StringResource& entry : kStrings) {
        if (entry.id == id) {
            return QString::fromUtf8(entry.text);
        }
    }
    return {};
}

QString FormatStringResource(int id, const QString& argument) {
    QString text = LoadStringResource(id);
    text.replace(QStringLiteral("%1"), argument);
    return text;
}

}  // namespace orbex
