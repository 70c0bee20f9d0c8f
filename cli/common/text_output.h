// Texts the command-line programs write into their files: fixed-point numbers that read the
// same under any locale, and text escaped for HTML, SVG and XML.
#pragma once

#include <string>
#include <string_view>

namespace orbex {

// Fixed-point text with "." decimals; a value that is not finite gives `missing`.
std::string FixedText(double value, int decimals, const char* missing = "-");
void AppendFixed(std::string& out, double value, int decimals);

// `text` with &, <, >, " and ' as entities; `apostrophe` is the entity for ' ("&apos;" in
// XML files, "&#39;" in HTML pages, which older HTML readers understand).
std::string MarkupEscaped(std::string_view text, const char* apostrophe);

}  // namespace orbex
