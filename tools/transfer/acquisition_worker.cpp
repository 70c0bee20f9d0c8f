#include "tools/transfer/acquisition_worker.h"

#include <algorithm>
#include <new>

#include "tools/transfer/data_file.h"
#include "tools/transfer/data_file_paths.h"

namespace orbex {

AcquisitionPlan AcquisitionPlanFor(std::uint8_t mode) {
    if (mode == kTransferEphemerisAcquire) {
        return {"@EMO", 96};
    }
    return {"@AMO", 64};
}

void UpdateRecognised(std::string_view line, bool& recognised) {
    constexpr std::size_t kNativeRecordLength = 150;
    if (StartsWith(line, "SM")) {
        recognised = line.size() == kNativeRecordLength;
    } else if (StartsWith(line, "$GP") || StartsWith(line, "$PS") || StartsWith(line, "$PVLM")) {
        recognised = true;
    }
}

namespace {

// One wait for the whole synchronisation: a receiver whose output is never recognised (a
// 4-channel stream, native records of another length) is as silent as one that sends nothing.
void Synchronise(TransferSession& session) {
    const TransferDeadline deadline = DeadlineFromNow(session);
    bool recognised = false;
    int counted = 0;
    while (counted < 2) {
        UpdateRecognised(TakeLine(session, "receiver output", deadline), recognised);
        counted += recognised ? 1 : 0;
    }
}

void Acquire(TransferSession& session, std::uint8_t mode, const std::string& path) {
    const AcquisitionPlan plan = AcquisitionPlanFor(mode);
    Synchronise(session);
    session.progress(10);

    DataFileWriter file(path);
    if (!file.IsOpen()) {
        throw TransferEnded{kTransferFileNotOpened, file.openError()};
    }
    session.progress(20);

    session.send(std::string(plan.command) + "\r\n");
    TakeLineStartingWith(session, plan.command, std::string("the echo of ") + plan.command);
    session.progress(30);

    for (int j = 0; j < plan.lines; ++j) {
        const std::string line = TakeLine(
            session, "data line " + std::to_string(j + 1) + " of " + std::to_string(plan.lines));
        int error = 0;
        if (!file.WriteLine(line, error)) {
            throw TransferEnded{kTransferFileFailed, error};
        }
        session.progress(std::min(30 + j, 100));
    }
    int error = 0;
    if (!file.Close(error)) {
        throw TransferEnded{kTransferFileFailed, error};
    }
}

}  // namespace

TransferResult RunAcquisition(TransferSession& session, std::uint8_t mode,
                              const std::string& path) {
    return RunTransferSteps(session, [&] { Acquire(session, mode, path); });
}

}  // namespace orbex
