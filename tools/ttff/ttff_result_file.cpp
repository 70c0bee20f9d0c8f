#include "tools/ttff/ttff_result_file.h"

#include <cstdio>
#include <memory>

#include "platform/crlf_text.h"
#include "platform/settings_store.h"

namespace orbex {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string DefaultResultFilePath(const std::string& directory, StartMode mode,
                                  std::time_t localDay) {
    std::tm local{};
    localtime_r(&localDay, &local);
    char day[32];
    std::snprintf(day, sizeof day, "%02d%02d", local.tm_mon + 1, local.tm_mday);
    return directory + "TTFF" + TextsOf(mode).filePrefix + day + ".dat";
}

std::string ResultFilePath(const std::string& directory, StartMode mode, std::time_t localDay) {
    std::string stored;
    if (ReadString("TTFFMode", "FILEPATH", stored) && !stored.empty()) {
        return stored;
    }
    return DefaultResultFilePath(directory, mode, localDay);
}

std::string FormatRecordLine(const TtffRecord& r) {
    const TtffPosition& p = r.position;
    char line[256];
    std::snprintf(line, sizeof line, "%lld,%s,%d,%d,%c,%d,%d.%04d,%c,%d,%d.%04d,%s%d.%c\r\n",
                  r.count, r.cycleStartText.c_str(), r.ttff, r.average, p.latDir, p.latDeg,
                  p.latMin, p.latFrac, p.lonDir, p.lonDeg, p.lonMin, p.lonFrac,
                  p.altNegative ? "-" : "", p.altWhole, p.altTenth);
    return line;
}

bool AppendRecord(const std::string& path, bool firstOfSeries, StartMode mode,
                  const TtffRecord& record) {
    std::string text;
    if (firstOfSeries) {
        text = WithCrLf(std::string(TextsOf(mode).fileLine) + kResultFileHeader);
    }
    text += FormatRecordLine(record);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "ab"));
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    // A full disk may show only when the buffer is flushed.
    return std::fclose(file.release()) == 0 && written;
}

}  // namespace orbex
