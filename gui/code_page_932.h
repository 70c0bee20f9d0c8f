// Conversion between the user interface's Unicode text and the receiver's code page 932 bytes
// (iconv). Characters that code page 932 cannot hold become "?".
#pragma once

#include <QString>
#include <string>

namespace orbex {

std::string ToCodePage932(const QString& text);
QString FromCodePage932(const std::string& bytes);

}  // namespace orbex
