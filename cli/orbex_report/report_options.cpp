#include "cli/orbex_report/report_options.h"

#include "cli/common/option_setters.h"
#include "cli/common/option_table.h"
#include "cli/common/reference_option.h"

namespace orbex {

namespace {

const OptionTable<ReportOptions>& ReportOptionTable() {
    static const OptionTable<ReportOptions> table = {
        {"-o", "FILE", "the HTML file to write (required)",
         SetsNonEmpty("-o", "a file name", &ReportOptions::output)},
        {"--limit", "S", "ttff: the pass limit in seconds for the percentile",
         SetsDecimal("--limit", 0, 86400, &ReportOptions::limit)},
        {"--max-failures", "N",
         "ttff: failed cycles a pass allows (default: the summary's, or 0, as orbex-ttff)",
         [](ReportOptions& o, const std::string& v) {
             double value = 0;
             std::string error = ReadDecimal("--max-failures", v, 0, 1e9, value);
             if (error.empty() && value != static_cast<double>(static_cast<int>(value))) {
                 error = "--max-failures needs a whole number, not '" + v + "'";
             }
             o.maxFailures = static_cast<int>(value);
             return error;
         }},
        {"--percentile", "P", "ttff: the percentile judged and shown (default: the input's, or 95)",
         SetsDecimal("--percentile", 1, 100, &ReportOptions::percentile)},
        {"--ref", "LAT,LON[,ALT]", "accuracy: offsets about this position instead of the mean",
         SetsReference(&ReportOptions::reference)},
        {"--title", "TEXT", "the report's heading", SetsText(&ReportOptions::title)},
    };
    return table;
}

// The report's kind and inputs from the words, and the options that go with that kind.
std::string CheckReportWords(ReportOptions& options, const std::vector<std::string>& words) {
    if (words.empty()) {
        return "give the report kind: ttff or accuracy";
    }
    const std::string& kind = words.front();
    if (kind == "ttff") {
        options.kind = ReportKind::Ttff;
    } else if (kind == "accuracy") {
        options.kind = ReportKind::Accuracy;
    } else {
        return "unknown report kind '" + kind + "' (ttff or accuracy)";
    }
    options.inputs.assign(words.begin() + 1, words.end());
    if (options.inputs.empty()) {
        return kind == "ttff" ? "give the result files of orbex-ttff --json or --summary"
                              : "give the recordings to read";
    }
    if (options.output.empty()) {
        return "give the HTML file to write with -o";
    }
    if (options.kind == ReportKind::Ttff && options.reference) {
        return "--ref belongs to the accuracy report";
    }
    if (options.kind == ReportKind::Accuracy &&
        (options.limit || options.percentile || options.maxFailures)) {
        return "--limit, --percentile and --max-failures belong to the ttff report";
    }
    return {};
}

}  // namespace

bool ParseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options,
                        std::string& error) {
    return ParseCommandLine(ReportOptionTable(), arguments, options, error, CheckReportWords);
}

std::string ReportUsage() {
    return "usage: orbex-report ttff RESULTS... -o FILE [--limit S] [--percentile P]\n"
           "                         [--max-failures N]\n"
           "       orbex-report accuracy RECORDING... -o FILE [--ref LAT,LON[,ALT]]\n"
           "Writes one self-contained HTML file (inline pictures, no scripts, nothing fetched).\n"
           "ttff: reads what orbex-ttff --json printed or its --summary files (one or several\n"
           "runs, e.g. two firmware versions) and shows the options, the statistics per\n"
           "receiver and over all, the verdict with its 95 % confidence bound, the histogram\n"
           "with 1 s bins, the cumulative distribution with the limit, and every cycle.\n"
           "accuracy: reads recordings (native records or NMEA) and shows each one's fixes about\n"
           "the mean or --ref with the CEP50 and CEP95 circles, the shares within 1, 2, 5 and\n"
           "10 m and the accuracy figures.\n\n" +
           OptionHelp(ReportOptionTable());
}

}  // namespace orbex
