// The pieces of a self-contained HTML report: escaped text, fixed-point numbers that read the
// same under any locale, table rows and the page around the sections (inline style, no scripts,
// nothing fetched).
#pragma once

#include <string>
#include <vector>

#include "cli/common/text_output.h"

namespace orbex {

// `text` with &, <, >, " and ' as entities.
std::string HtmlEscaped(const std::string& text);

// One table row of cells; a header row uses <th>. Cells are escaped.
std::string TableRow(const std::vector<std::string>& cells, bool header = false);

// The whole page: title, generator line and the body sections as given (already HTML).
std::string HtmlPage(const std::string& title, const std::string& body);

}  // namespace orbex
