// The code tables that turn record codes into numbers and display texts. Pure functions;
// texts are exact, trailing blanks included, so that columns line up in a fixed-pitch font.
#pragma once

#include <string>

#include "decode/receiver_state.h"

namespace orbex {

std::string VersionText(const ReceiverState& record);
const char* TimeBaseLabel(char dayCode);
const char* WeekdayLabel(char dayCode);
const char* PositioningModeText(char fixMode);
const char* DatumName(char datumCode);
std::string DopText(const ReceiverState& record);
int SatelliteNumber(char prnCode);
std::string AngleText(char angleCode);
const char* ChannelStatusName(char statusCode);
std::string LevelText(char levelCode);

}  // namespace orbex
