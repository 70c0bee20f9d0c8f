#include "cli/orbex_render/render_arguments.h"

#include <cstring>
#include <vector>

#include "windows/registry/monitor_window_rows.h"

namespace orbex {

std::optional<RenderArguments> ParseRenderArguments(int argc, const char* const* argv,
                                                    std::string& error) {
    RenderArguments arguments;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--draw-log") {
            arguments.drawLog = true;
        } else if (arg == "--png") {
            if (i + 1 >= argc) {
                error = "--png needs a file name";
                return std::nullopt;
            }
            arguments.pngPath = argv[++i];
        } else if (arg == "--keys") {
            if (i + 1 >= argc) {
                error = "--keys needs the keys to type";
                return std::nullopt;
            }
            arguments.keys = argv[++i];
        } else if (arg.starts_with("--")) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        error = "KIND and FILE are needed";
        return std::nullopt;
    }
    static const WindowTable monitorWindows({MonitorWindowRows()});
    arguments.window = monitorWindows.RowNamed(positional[0]);
    if (arguments.window == nullptr) {
        error = "no monitor window of kind " + positional[0];
        return std::nullopt;
    }
    arguments.file = positional[1];
    if (arguments.pngPath.empty() && !arguments.drawLog) {
        error = "nothing to write: give --png OUT or --draw-log";
        return std::nullopt;
    }
    return arguments;
}

}  // namespace orbex
