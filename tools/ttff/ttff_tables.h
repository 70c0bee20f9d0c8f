// The fixed tables of the TTFF series: the start modes with their texts and reset commands, the
// entries of the "Max Count" and "Time" lists, and the random interval.
#pragma once

#include <array>
#include <string_view>

namespace orbex {

enum class StartMode : int { None = 0, Hot = 1, Warm = 2, Cold = 3 };

struct StartModeTexts {
    const char* listEntry;   // "Start Mode" list
    const char* resultLine;  // added to the result list when the reset is sent
    const char* command;     // the five bytes of the reset
    const char* filePrefix;  // result file name: "TTFF" + prefix + MMDD + ".dat"
    const char* fileLine;    // first line of a series in the result file
    const char* optionName;  // orbex-ttff --mode
};

inline constexpr std::array<StartModeTexts, 4> kStartModes = {{
    {"NONE", "", "", "", "", "none"},
    {"HOT", "HotStart", "@SR\r\n", "HOT_", "Start Mode: Hot Start\n", "hot"},
    {"WARM", "WarmStart", "@SW\r\n", "WARM_", "Start Mode: Warm Start\n", "warm"},
    {"COLD", "ColdStart", "@CD\r\n", "COLD_", "Start Mode: Cold Start\n", "cold"},
}};

inline const StartModeTexts& TextsOf(StartMode mode) {
    return kStartModes[static_cast<std::size_t>(mode)];
}

struct ListEntry {
    const char* text;
    int value;
};

// "Max Count": the number of measurements of a series; 0 runs without end.
inline constexpr std::array<ListEntry, 10> kMaxCountEntries = {{{"1", 1},
                                                                {"2", 2},
                                                                {"5", 5},
                                                                {"10", 10},
                                                                {"20", 20},
                                                                {"50", 50},
                                                                {"100", 100},
                                                                {"500", 500},
                                                                {"1000", 1000},
                                                                {"Inf.", 0}}};

// "Time": the pause between cycles in seconds. The receiver's tool has always waited 7 s for
// "0sec" and 6000 s and 12000 s for the hours; series are compared against those figures.
inline constexpr int kRandomInterval = -1;
inline constexpr std::array<ListEntry, 11> kTimeEntries = {{{"0sec", 7},
                                                            {"30sec", 30},
                                                            {"1min", 60},
                                                            {"2min", 120},
                                                            {"5min", 300},
                                                            {"10min", 600},
                                                            {"20min", 1200},
                                                            {"30min", 1800},
                                                            {"1hour", 6000},
                                                            {"2hour", 12000},
                                                            {"Randam", kRandomInterval}}};

// A random interval from a draw r of 0..32767: 30 to 150 seconds.
inline constexpr int RandomInterval(int r) {
    return 30 + r * 120 / 32767;
}

// The first line the receiver prints when it restarts.
inline constexpr std::string_view kStartupBanner = "VELMAR VM8140 GPS V1.04";
static_assert(kStartupBanner.size() == 23);

// Result-list and message texts.
inline constexpr const char* kPushStopText = "Please push stop button !\n";
inline constexpr const char* kSelectCommandText = "Please select command !\n";
inline constexpr const char* kErrorCaption = "ERROR";
inline constexpr const char* kHotModeText = "Gps:HotMode Start";
inline constexpr const char* kCommandFailText = "Command send fail.";
inline constexpr const char* kCheckCommandLineText = "Please check the commandline.";
inline constexpr const char* kTooLongText = "Error dTTFFTime > 36000";
inline constexpr const char* kZeroText = "Error dTTFFTime = 0";
inline constexpr const char* kNegativeText = "Error dTTFFTime < 0";
inline constexpr const char* kNotWrittenText = "TTFFMode data can't be written\n";
inline constexpr const char* kNotEnoughMemoryText = "Not enough memory";
inline constexpr const char* kResultFileHeader =
    "Count,Year,Month,Day,StartTime,TTFF(s),Ave(s),LatDir,LatDeg,LatMin,LonDir,LonDeg,LonMin,"
    "Alt\n";

}  // namespace orbex
