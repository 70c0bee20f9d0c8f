#include "cli/common/message_lines.h"

#include <cstdio>

namespace orbex {

std::string OneLine(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    for (char& c : text) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return text;
}

MessageResult PrintMessageLine(const char* program, const MessageRequest& request) {
    // One write per message keeps the messages of the link's threads apart.
    const std::string line = std::string(program) + ": " + OneLine(request.text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    const bool asksYesOrNo =
        request.buttons == MessageButtons::YesNo || request.buttons == MessageButtons::YesNoCancel;
    return asksYesOrNo ? MessageResult::Yes : MessageResult::Ok;
}

void PrintMessagesAsLines(const char* program) {
    SetMessageBoxFunction(
        [program](const MessageRequest& request) { return PrintMessageLine(program, request); });
}

}  // namespace orbex
