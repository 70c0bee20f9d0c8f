// The two operations of the assistance tool, each run by a worker over the tool's transfer line
// queue. Acquisition sends "@ASO" ("@SIO"), skips lines up to the echo and stores the header and
// its data lines in AS.DAT. Transmission reads AS.DAT, stamps the header with the current GPS
// time and a new check code, sends "@ASI" ("@SII"), waits for "[ASI] Ready" ("[SII] Ready") and
// sends the header and the data lines one after the other.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "tools/assist/assist_network.h"
#include "tools/transfer/transfer_session.h"

namespace orbex {

// AS.DAT: the settings store's FILEPATH under ASSIST when present, else in the program's
// directory.
std::string AssistFilePath();

// Progress 0..100 and the message list through the session. A receiver error reply ends with
// kTransferReceiverError (the reply is in the list); AS.DAT is then left as it was.
TransferResult RunAssistAcquisition(TransferSession& session, AssistNetwork network,
                                    const std::string& path);

// `now` gives the clock in UTC (tests fix it). After the last data line the worker waits up to
// `verdictWait` for the receiver's verdict ("[ASI] ..."), adds it to the list and ends with
// kTransferReceiverError when it is an error reply.
TransferResult RunAssistTransmission(
    TransferSession& session, AssistNetwork network, const std::string& path,
    const std::function<std::time_t()>& now = [] { return std::time(nullptr); },
    std::chrono::milliseconds verdictWait = std::chrono::milliseconds(3000));

}  // namespace orbex
