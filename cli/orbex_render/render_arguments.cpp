#include "cli/orbex_render/render_arguments.h"

#include "cli/common/option_setters.h"
#include "cli/common/option_table.h"
#include "windows/registry/monitor_window_rows.h"

namespace orbex {
namespace {

const OptionTable<RenderArguments>& RenderOptionTable() {
    static const OptionTable<RenderArguments> table = {
        {"--png", "OUT", "write the window as a PNG picture", SetsText(&RenderArguments::pngPath)},
        {"--draw-log", nullptr, "print every drawing call of one full paint as JSON lines",
         SetsFlag(&RenderArguments::drawLog)},
        {"--keys", "TEXT", "keys typed into the window after the recording (e.g. \"+C\")",
         SetsText(&RenderArguments::keys)},
    };
    return table;
}

// The window and the recording from the words, and something to write.
std::string CheckRenderWords(RenderArguments& arguments, const std::vector<std::string>& words) {
    if (words.size() != 2) {
        return "KIND and FILE are needed";
    }
    static const WindowTable monitorWindows({MonitorWindowRows()});
    arguments.window = monitorWindows.RowNamed(words[0]);
    if (arguments.window == nullptr) {
        return "no monitor window of kind " + words[0];
    }
    arguments.file = words[1];
    if (arguments.pngPath.empty() && !arguments.drawLog) {
        return "nothing to write: give --png OUT or --draw-log";
    }
    return {};
}

}  // namespace

std::optional<RenderArguments> ParseRenderArguments(int argc, const char* const* argv,
                                                    std::string& error) {
    RenderArguments arguments;
    if (!ParseCommandLine(RenderOptionTable(),
                          std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc),
                          arguments, error, CheckRenderWords)) {
        return std::nullopt;
    }
    return arguments;
}

std::string RenderUsage() {
    return "usage: orbex-render KIND FILE [--png OUT] [--draw-log] [--keys TEXT]\n"
           "Opens one monitor window offscreen, replays the recording FILE into it as Orbex\n"
           "would and writes the window as a PNG and/or its draw log.\n"
           "  KIND: a monitor window by number or name: 0 general-info, 1 satellites,\n"
           "        2 position-plot, 3 console, 13 velocity\n\n" +
           OptionHelp(RenderOptionTable()) +
           "\nExit status: 0 written; 1 the recording could not be read to its end or a write\n"
           "failed part-way (a full disk); 2 bad arguments, or a FILE that cannot be opened or an\n"
           "OUT that cannot be written at the start.\n";
}

}  // namespace orbex
