#include "cli/orbex_render/render_arguments.h"

#include <charconv>
#include <cstring>
#include <vector>

namespace orbex {
namespace {

bool IsWindowKind(int kind) {
    return kind == 0 || kind == 1 || kind == 2 || kind == 3 || kind == 13;
}

}  // namespace

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
    const std::string& kindText = positional[0];
    const char* end = kindText.data() + kindText.size();
    const auto [rest, status] = std::from_chars(kindText.data(), end, arguments.kind);
    if (status != std::errc() || rest != end || !IsWindowKind(arguments.kind)) {
        error = "no monitor window of kind " + kindText;
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
