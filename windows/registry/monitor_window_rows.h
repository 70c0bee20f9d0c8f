// The monitor windows' rows of the window-kind table: General Information, Satellite
// Constellation, Position Plot, Console and Velocity.
#pragma once

#include <span>

#include "gui/window_table.h"

namespace orbex {

std::span<const WindowRow> MonitorWindowRows();

}  // namespace orbex
