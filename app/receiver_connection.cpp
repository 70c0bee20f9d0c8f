#include "app/receiver_connection.h"

#include "app/data_log.h"
#include "app/port_settings_store.h"
#include "app/string_resources.h"
#include "decode/line_decoder.h"
#include "gui/main_window_messages.h"
#include "link/line_queue.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/window_messages.h"

namespace orbex {

ReceiverConnection::ReceiverConnection(DataLog& dataLog, LineDecoder& decoder)
    : dataLog_(dataLog), decoder_(decoder), session_(SharedLineQueue()) {}

// Deleting the link stops and joins its reader thread, which wakes at once on its stop event. The
// reader never waits for this thread (it only posts, and its message boxes are queued), so the
// join cannot deadlock; a worker's send that arrives meanwhile is handled afterwards and, with
// the link gone, gets 0.
ReceiverConnection::~ReceiverConnection() {
    Disconnect();
}

bool ReceiverConnection::Connect() {
    decoder_.samples().Reset();
    PortSettings settings;
    std::string port;
    if (replayPath_.isEmpty()) {
        LoadPortSettings(settings);
        port = LoadPortAddress();  // a stored address wins over COMPORT
    }
    session_.Close();
    dataLog_.SetReplaySource({});
    WriteNumber("CONFIG", "CONNECT", 1);
    const std::string replay = replayPath_.toStdString();
    if (!replay.empty() && RefuseOwnLog(replay)) {
        return false;
    }
    const std::intptr_t generation = ++generation_;
    session_.SetReplayPace(replayPace_);
    OwnerPost owner = [generation](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        PostToMainWindow(message, wParam, message == UWM_REPLAY_END ? generation : lParam);
    };
    if (!session_.Open(owner, settings, port, replay)) {
        return false;  // the link has told the user why
    }
    dataLog_.SetReplaySource(replay);
    return true;
}

bool ReceiverConnection::RefuseOwnLog(const std::string& replay) const {
    if (!dataLog_.Writes(replay)) {
        return false;
    }
    ShowMessageBox(
        FormatStringResource(kIdsReplayIsDataLog, QString::fromStdString(replay)).toStdString(),
        LoadStringResource(kIdsMainTitle).toStdString(), MessageIcon::Warning);
    return true;
}

bool ReceiverConnection::Disconnect() {
    if (!session_.IsOpen()) {
        return false;
    }
    session_.Close();
    dataLog_.SetReplaySource({});
    return true;
}

bool ReceiverConnection::IsCurrentReplayEnd(std::intptr_t generation) const {
    return generation == 0 || generation == generation_;
}

bool ReceiverConnection::ApplyPortSettings(const PortSettings& settings) {
    return session_.ApplyPortSettings(settings);
}

std::intptr_t ReceiverConnection::Send(const void* bytes, std::size_t count) {
    if (!session_.IsOpen() || !bytes) {
        return 0;
    }
    return session_.Write(std::string_view(static_cast<const char*>(bytes), count)) ? 1 : 0;
}

std::intptr_t ReceiverConnection::PendingInputCount() const {
    return session_.PendingInputCount();
}

}  // namespace orbex
