#include "cli/common/recording_fixes.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "cli/common/recording_lines.h"
#include "decode/line_decoder.h"
#include "platform/system_error.h"
#include "platform/unique_fd.h"

namespace orbex {

bool ReadRecordingFixes(const std::string& path, RecordingFixes& result, std::string& error,
                        const std::function<bool()>& stop) {
    result = RecordingFixes{};
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    result.opened = true;
    RecordingLineReader reader(file.Get());
    reader.StopWhen(stop);
    // The recording's own decoder: its lines are one stream, decoded in order.
    LineDecoder decoder;
    FixCollector collector;
    std::string_view line;
    RecordingLineReader::Result status;
    while ((status = reader.Next(line)) == RecordingLineReader::Result::Line) {
        ++result.lines;
        ReceiverState record;
        if (!decoder.Decode(record, line)) {
            continue;
        }
        ++result.decoded;
        if (auto fix = collector.Take(record)) {
            result.fixes.push_back(*fix);
        }
    }
    FillMissingDates(result.fixes);
    if (status == RecordingLineReader::Result::Stopped) {
        result.stopped = true;
        error = "stopped after " + std::to_string(result.lines) + " lines of " + path;
        return false;
    }
    if (status == RecordingLineReader::Result::Failed) {
        error = "cannot read " + path + ": " + std::strerror(SystemError());
        return false;
    }
    return true;
}

}  // namespace orbex
