#include "cli/orbex_report/report_file.h"

#include "platform/whole_file.h"

namespace orbex {

bool WriteReportFile(const std::string& path, const std::string& html, std::string& error) {
    return ReplaceWholeFile(path, html, error);
}

}  // namespace orbex
