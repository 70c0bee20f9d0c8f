// The program's directory lives with the other stand-ins in platform/, where the tools reach it.
#pragma once

#include "platform/program_directory.h"
