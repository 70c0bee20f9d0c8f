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
    bool help = false;
};

// The usage text: its lines and the option lines of the table.
std::string RenderUsage();

// The arguments, or nothing (with the reason in `error`) when they do not make a command.
// With --help, the rest need not be there.
std::optional<RenderArguments> ParseRenderArguments(int argc, const char* const* argv,
                                                    std::string& error);

}  // namespace orbex
