// The command line of orbex-render: KIND FILE [--png OUT] [--draw-log] [--keys TEXT].
#pragma once

#include <optional>
#include <string>

namespace orbex {

struct RenderArguments {
    int kind = -1;
    std::string file;
    std::string pngPath;  // empty: no picture
    bool drawLog = false;
    std::string keys;  // typed into the window after the recording, one key per character
};

inline constexpr const char* kRenderUsage =
    "usage: orbex-render KIND FILE [--png OUT] [--draw-log] [--keys TEXT]\n"
    "  KIND: 0 General Information, 1 Satellite Constellation, 2 Position Plot, 3 Console,\n"
    "        13 Velocity\n"
    "  FILE: a recording of receiver output, replayed line by line\n"
    "  --keys TEXT: keys typed into the window after the recording (e.g. \"+C\")\n";

// The arguments, or nothing (with the reason in `error`) when they do not make a command.
std::optional<RenderArguments> ParseRenderArguments(int argc, const char* const* argv,
                                                    std::string& error);

}  // namespace orbex
