// Turning a typed command line into the bytes sent to the receiver. The text is in code page
// 932: a double-byte character is copied whole, even when its second byte is a backslash.
//
//   "\\"      one backslash
//   "\XY"     one byte, high four bits from X, low four bits from Y ("\02" is 0x02)
//   "\X<end>" the character X
//   "\<end>"  dropped, and no line end is added: the bytes sent are the text alone
//
// Otherwise CR LF is appended.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbex {

// True for the first byte of a code page 932 double-byte character.
bool IsCodePage932LeadByte(unsigned char byte);

// Converts text into buffer (NUL-terminated when bufferSize > 0) and returns the number of
// bytes to send (the NUL not counted). A buffer of the text's length plus 3 always suffices;
// a smaller one is never overrun: the output is cut short.
std::size_t EncodeCommand(std::string_view text, char* buffer, std::size_t bufferSize);

// The same into a string holding exactly the bytes to send.
std::string EncodeCommand(std::string_view text);

}  // namespace orbex
