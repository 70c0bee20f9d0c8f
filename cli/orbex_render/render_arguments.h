// The command line of orbex-render: KIND FILE [--png OUT] [--draw-log] [--keys TEXT].
#pragma once

#include <optional>
#include <string>

#include "gui/window_table.h"

namespace orbex {

struct RenderArguments {
    const WindowRow* window = nullptr;  // a row of the monitor windows' table
    std::string file;
    std::string pngPath;  // empty: no picture
    bool drawLog = false;
    std::string keys;  // typed into the window after the recording, one key per character
};

inline constexpr const char* kRenderUsage =
    "usage: orbex-render KIND FILE [--png OUT] [--draw-log] [--keys TEXT]\n"
    "  KIND: a monitor window's kind, by number or name: 0 general-info, 1 satellites,\n"
    "        2 position-plot, 3 console, 13 velocity\n"
    "  FILE: a recording of receiver output, replayed line by line\n"
    "  --keys TEXT: keys typed into the window after the recording (e.g. \"+C\")\n";

// The arguments, or nothing (with the reason in `error`) when they do not make a command.
std::optional<RenderArguments> ParseRenderArguments(int argc, const char* const* argv,
                                                    std::string& error);

}  // namespace orbex
