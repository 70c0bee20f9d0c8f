// The link's and the workers' messages ("End of file", "Communication Error 5", ...) in a
// program without windows: each as one line on standard error after the program's name.
#pragma once

#include <string>

#include "platform/message_box.h"

namespace orbex {

// The text on one line: trailing line breaks dropped, the others as spaces.
std::string OneLine(std::string text);

// Prints the message as "PROGRAM: TEXT" and answers as a user who only reads it would: Yes
// where the message asks yes or no, otherwise OK.
MessageResult PrintMessageLine(const char* program, const MessageRequest& request);

// Every message box of the program from here on printed by PrintMessageLine.
void PrintMessagesAsLines(const char* program);

}  // namespace orbex
