// The one function through which every layer shows a message to the user. Until the windows
// exist it writes to standard error; the application installs a QMessageBox version, and tests
// install a sink that collects the texts.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace orbex {

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    // The button that Return presses; none given: the box's first button (OK or Yes). A
    // confirmation of something that overwrites data names Cancel here.
    std::optional<MessageResult> defaultButton;
};

using MessageBoxFunction = std::function<MessageResult(const MessageRequest&)>;

// Shows a message and waits for the answer. Safe to call from any thread; the installed
// function decides how the message reaches the user.
MessageResult ShowMessageBox(const std::string& text, const std::string& caption = {},
                             MessageIcon icon = MessageIcon::None,
                             MessageButtons buttons = MessageButtons::Ok,
                             std::optional<MessageResult> defaultButton = std::nullopt);

// Replaces the function; an empty function restores the standard-error version. Returns the
// previous function so that a test can put it back.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);

// printf-style text formatting for the fixed message texts ("Communication Error %d").
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace orbex
