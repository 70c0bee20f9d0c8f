// The state of a TTFF series, owned by whoever runs it (the TTFF window, or one receiver of
// orbex-ttff). The user-interface side sets the selection and starts cycles; one cycle worker
// at a time measures and counts.
#pragma once

#include <atomic>
#include <ctime>
#include <string>

#include "tools/ttff/gga_position.h"
#include "tools/ttff/ttff_tables.h"

namespace orbex {

struct TtffSeries {
    // Written by the user-interface side (START, STOP, CLEAR, the series timer) and by the
    // cycle worker, read by both: atomic.
    std::atomic<bool> idle{true};
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> firstRecordPending{false};
    // Counted by the worker, read by the series timer and cleared by CLEAR: atomic.
    std::atomic<double> count{0};
    std::atomic<double> total{0};
    std::atomic<int> average{0};
    std::atomic<double> lastTtff{0};

    // Set by the user-interface side before a cycle starts; the worker gets a copy.
    StartMode startMode = StartMode::None;
    int maxCount = 1;  // 0: without end
    int interval = 7;  // seconds between the end of one cycle and the start of the next
    bool randomInterval = false;
    int randomValue = 30;  // the value of "Randam", drawn at START and, when chosen, per cycle
    int pauseSeconds = 0;
    bool recordLog = false;
    std::string resultFile;  // kept for the whole series
    std::time_t cycleStart = 0;
    std::string cycleStartText;
    int cyclesStarted = 0;

    // The last position read from "$GPGGA": fields a sentence leaves empty keep their values
    // from cycle to cycle. Only the one running worker touches it.
    TtffPosition position;
};

}  // namespace orbex
