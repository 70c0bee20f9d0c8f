#include "tools/assist/assist_workers.h"

#include <new>

#include "platform/program_directory.h"
#include "platform/settings_store.h"
#include "tools/assist/assist_header.h"
#include "tools/transfer/data_file.h"

namespace orbex {

namespace {

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

void Acquire(TransferSession& session, AssistNetwork network, const std::string& path) {
    const AssistNetworkLayout& layout = LayoutOf(network);
    session.progress(0);
    DiscardQueuedLines(session);
    session.send(layout.acquireCommand);
    session.progress(10);
    session.message(layout.sendText);
    const std::string echo(layout.acquireCommand);
    TakeLineStartingWith(session, echo, "the echo of " + WithoutLineEnd(echo));
    session.progress(20);

    const std::string header = TakeLine(session, "the assistance header");
    if (StartsWith(header, layout.errorReply)) {
        session.message(WithoutLineEnd(header));
        throw TransferEnded{kTransferReceiverError};
    }
    const int lines = AssistDataLineCount(network, header);
    if (lines < 0) {
        session.message("Assistance data format error\n");
        throw TransferEnded{kTransferBadFormat};
    }
    const int satellites = lines / layout.linesPerSatellite;
    session.message("Num of SV:" + std::to_string(satellites));

    DataFileWriter file(path);
    int error = 0;
    if (!file.IsOpen() || !file.WriteLine(header, error)) {
        session.message("Assist data can't be written\n");
        throw TransferEnded{kTransferFileNotOpened, file.IsOpen() ? error : file.openError()};
    }
    session.progress(30);
    for (int i = 0; i < lines; ++i) {
        const std::string line = TakeLine(session, "assistance data line " + std::to_string(i + 1) +
                                                       " of " + std::to_string(lines));
        if (!file.WriteLine(line, error)) {
            session.message("Assist data can't be written\n");
            throw TransferEnded{kTransferFileFailed, error};
        }
        session.progress(30 + 3 * i);
    }
    if (!file.Close(error)) {
        session.message("Assist data can't be written\n");
        throw TransferEnded{kTransferFileFailed, error};
    }
}

void Transmit(TransferSession& session, AssistNetwork network, const std::string& path,
              const std::function<std::time_t()>& now, std::chrono::milliseconds verdictWait) {
    const AssistNetworkLayout& layout = LayoutOf(network);
    session.progress(0);
    DataFileReader file(path);
    if (!file.IsOpen()) {
        session.message("Assistance data not found\n");
        throw TransferEnded{kTransferFileNotFound, file.openError()};
    }
    std::string header;
    int error = 0;
    if (!file.ReadLine(header, error)) {
        session.message("Assistance data format error\n");
        throw TransferEnded{kTransferFileFailed, error};
    }
    session.progress(10);
    header = WithoutLineEnd(header);
    if (header.size() <= MinimumHeaderLength(network)) {
        session.message("Assistance data format error\n");
        throw TransferEnded{kTransferBadFormat};
    }
    const std::string stamped = StampAssistHeader(network, header, GpsTimeOf(now()));
    const int lines = AssistDataLineCount(network, stamped);

    DiscardQueuedLines(session);
    session.send(layout.transmitCommand);
    session.progress(20);
    TakeLineStartingWith(session, layout.readyReply, std::string("\"") + layout.readyReply + "\"");
    session.progress(30);
    session.send(stamped);
    for (int i = 0; i < lines; ++i) {
        std::string line;
        if (!file.ReadLine(line, error)) {
            session.message("Assistance data format error\n");
            throw TransferEnded{kTransferFileFailed, error};
        }
        session.send(line);
        session.progress(40 + 2 * i);
    }
    session.progress(90);
    // The receiver's verdict on the block, when it gives one in time.
    TransferSession verdict = session;
    verdict.waitLimit = verdictWait;
    std::string reply;
    try {
        reply = TakeLineStartingWith(verdict, layout.replyTag, "the receiver's verdict");
    } catch (const TransferEnded& ended) {
        if (ended.code == kTransferCancelled) {
            throw;
        }
        return;  // no verdict: the block was sent
    }
    session.message(WithoutLineEnd(reply));
    if (reply.find(" Err") != std::string::npos) {
        throw TransferEnded{kTransferReceiverError};
    }
}

TransferResult Finish(TransferSession& session, const std::function<void()>& work) {
    TransferResult result{kTransferOk, 0, {}};
    try {
        work();
    } catch (const TransferEnded& ended) {
        result = {ended.code, ended.systemError, ended.waitingFor};
    } catch (const std::bad_alloc&) {
        result = {kTransferOutOfMemory, 0, {}};
    }
    // Finished or stopped by the receiver's reply, the bar is full; a failure of the program's
    // side (file, cancel) returns it to 0.
    const bool full = result.code == kTransferOk || result.code == kTransferReceiverError;
    session.progress(full ? 100 : 0);
    return result;
}

}  // namespace

std::string AssistFilePath() {
    std::string path;
    if (ReadString("ASSIST", "FILEPATH", path)) {
        return path;
    }
    return ProgramDirectory() + "AS.DAT";
}

TransferResult RunAssistAcquisition(TransferSession& session, AssistNetwork network,
                                    const std::string& path) {
    return Finish(session, [&] { Acquire(session, network, path); });
}

TransferResult RunAssistTransmission(TransferSession& session, AssistNetwork network,
                                     const std::string& path,
                                     const std::function<std::time_t()>& now,
                                     std::chrono::milliseconds verdictWait) {
    return Finish(session, [&] { Transmit(session, network, path, now, verdictWait); });
}

}  // namespace orbex
