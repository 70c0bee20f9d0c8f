#include "platform/message_box.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <utility>
#include <vector>

namespace orbex {

namespace {

// The answer a user who only reads the message would give: the affirmative button.
MessageResult DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageResult::Yes;
        case MessageButtons::Ok:
        case MessageButtons::OkCancel:
            break;
    }
    return MessageResult::Ok;
}

MessageResult WriteToStandardError(const MessageRequest& request) {
    // One write per message keeps messages from different threads apart on the terminal.
    std::string line =
        request.caption.empty() ? request.text : request.caption + ": " + request.text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return DefaultAnswer(request.buttons);
}

struct Installed {
    std::mutex mutex;
    MessageBoxFunction function;
};

// The process-wide message function (the application installs its own once).
Installed& InstalledFunction() {
    static Installed installed;
    return installed;
}

}  // namespace

MessageResult ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons, std::optional<MessageResult> defaultButton) {
    MessageBoxFunction function;
    {
        // Held only to copy the function: a message waiting for its answer must not block
        // other threads' messages, nor a replacement of the function.
        std::lock_guard<std::mutex> lock(InstalledFunction().mutex);
        function = InstalledFunction().function;
    }
    MessageRequest request{text, caption, icon, buttons, defaultButton};
    if (!function) {
        return WriteToStandardError(request);
    }
    return function(request);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    // Guards the swap against a message being shown on another thread.
    std::lock_guard<std::mutex> lock(InstalledFunction().mutex);
    return std::exchange(InstalledFunction().function, std::move(function));
}

std::string FormatText(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measure;
    va_copy(measure, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
        text.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(arguments);
    return text;
}

}  // namespace orbex
