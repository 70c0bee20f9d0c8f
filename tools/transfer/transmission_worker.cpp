#include "tools/transfer/transmission_worker.h"

#include <algorithm>
#include <new>

#include "tools/transfer/data_file.h"

namespace orbex {

namespace {

bool IsReceiverOutput(std::string_view line) {
    return StartsWith(line, "$GP") || StartsWith(line, "$PS") || StartsWith(line, "$PVLM") ||
           StartsWith(line, "SM");
}

// One wait for the whole search: a receiver whose output is never recognised is as silent as
// one that sends nothing.
void Synchronise(TransferSession& session) {
    const TransferDeadline deadline = DeadlineFromNow(session);
    while (!IsReceiverOutput(TakeLine(session, "receiver output", deadline))) {
    }
    TakeLine(session, "receiver output", deadline);
}

// Sends `count` lines of the file, each followed by one receiver line taken in reply (its
// content is not examined). A file shorter than `count` lines sends bare line feeds.
void SendFileLines(TransferSession& session, const std::string& path, int count,
                   int (*position)(int j)) {
    DataFileReader file(path);
    if (!file.IsOpen()) {
        throw TransferEnded{kTransferFileNotOpened, file.openError()};
    }
    for (int j = 0; j < count; ++j) {
        std::string line;
        int error = 0;
        if (!file.ReadLine(line, error)) {
            throw TransferEnded{kTransferFileFailed, error};
        }
        session.send(line);
        session.progress(position(j));
        TakeLine(session, "the receiver's reply to data line " + std::to_string(j + 1));
    }
}

void TransmitAlmanac(TransferSession& session, const std::string& path) {
    session.progress(30);
    session.text("Transmit Almanac Data...");
    DiscardQueuedLines(session);
    session.send("@AMI\r\n");
    TakeLineStartingWith(session, "[AMI] Ready", "\"[AMI] Ready\"");
    session.progress(40);
    SendFileLines(session, path, kAlmanacLines, [](int j) { return std::min(40 + j, 100); });
}

void TransmitEphemeris(TransferSession& session, const std::string& path) {
    session.text("Transmit Ephemeris Data...");
    TakeLineStartingWith(session, "$GP", "\"$GP\" output");
    session.send("@EMI\r\n");
    TakeLine(session, "the echo of @EMI");
    TakeLineStartingWith(session, "[EMI] Ready", "\"[EMI] Ready\"");
    SendFileLines(session, path, kEphemerisLines, [](int j) { return 40 + j / 2; });
}

void Transmit(TransferSession& session, std::uint8_t mode, const TransmissionFiles& files) {
    DiscardQueuedLines(session);
    session.progress(20);
    Synchronise(session);
    if (mode != kTransferEphemerisTransmit) {
        TransmitAlmanac(session, files.almanac);
        if (mode != kTransferAlmanacEphemerisTransmit) {
            return;
        }
        session.progress(30);
    }
    TransmitEphemeris(session, files.ephemeris);
}

}  // namespace

TransferResult RunTransmission(TransferSession& session, std::uint8_t mode,
                               const TransmissionFiles& files) {
    return RunTransferSteps(session, [&] { Transmit(session, mode, files); });
}

}  // namespace orbex
