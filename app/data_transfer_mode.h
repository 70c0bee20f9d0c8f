// The data-transfer mode lives with the tools that read it; the main window sets it.
#pragma once

#include "tools/common/data_transfer_mode.h"
