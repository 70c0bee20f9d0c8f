// The tools' rows of the window-kind table: the data-transfer windows (one row per command, each
// with the data-transfer mode it sets), the TTFF window and the software reset window.
#pragma once

#include <span>

#include "gui/window_table.h"

namespace orbex {

std::span<const WindowRow> ToolWindowRows();

}  // namespace orbex
