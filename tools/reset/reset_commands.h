// The three buttons of the "Software Reset" dialog and the five bytes each sends.
#pragma once

#include <array>
#include <string_view>

namespace orbex {

struct ResetButton {
    int id;  // control id of the dialog template
    const char* text;
    std::string_view command;
};

inline constexpr std::array<ResetButton, 3> kResetButtons = {{
    {1033, "Hot Start", "@SR\r\n"},
    {1034, "Warm Start", "@SW\r\n"},
    {1035, "Cold Start", "@CD\r\n"},
}};

}  // namespace orbex
