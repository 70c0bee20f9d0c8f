// The TTFF result file: where a series writes, and the lines it appends. Every line ends in
// carriage return and line feed.
//
//   Start Mode: Cold Start
//   Count,Year,Month,Day,StartTime,TTFF(s),Ave(s),LatDir,LatDeg,LatMin,LonDir,LonDeg,LonMin,Alt
//   1,2026,12,08,06:16:24,3,3,N,35,40.8741,E,139,46.0275,40.1
#pragma once

#include <ctime>
#include <string>

#include "tools/ttff/gga_position.h"
#include "tools/ttff/ttff_tables.h"

namespace orbex {

// The file a series writes when no FILEPATH is stored under TTFFMode: "TTFF" + mode prefix +
// local month and day + ".dat" in `directory` (which ends in "/").
std::string DefaultResultFilePath(const std::string& directory, StartMode mode,
                                  std::time_t localDay);

// FILEPATH under TTFFMode when the settings store holds it, else the default path.
std::string ResultFilePath(const std::string& directory, StartMode mode, std::time_t localDay);

struct TtffRecord {
    long long count = 0;         // measurement count after this result
    std::string cycleStartText;  // "2003,12,06,20:03:42"
    int ttff = 0;
    int average = 0;
    TtffPosition position;
};

// One record line, CR LF included.
std::string FormatRecordLine(const TtffRecord& record);

// Appends the record to the file (created when missing), preceded by the start-mode line and
// the header when `firstOfSeries`. False when the file cannot be opened or written.
bool AppendRecord(const std::string& path, bool firstOfSeries, StartMode mode,
                  const TtffRecord& record);

}  // namespace orbex
