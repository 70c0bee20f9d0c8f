#include "cli/orbex_report/html_page.h"

namespace orbex {

std::string HtmlEscaped(const std::string& text) {
    return MarkupEscaped(text, "&#39;");
}

std::string TableRow(const std::vector<std::string>& cells, bool header) {
    const char* tag = header ? "th" : "td";
    std::string row = "<tr>";
    for (const std::string& cell : cells) {
        row += std::string("<") + tag + ">" + HtmlEscaped(cell) + "</" + tag + ">";
    }
    return row + "</tr>\n";
}

std::string HtmlPage(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" +
           HtmlEscaped(title) +
           "</title>\n<style>\n"
           "body{font-family:sans-serif;margin:24px;color:#1a1a1a;max-width:1100px}\n"
           "h1{font-size:22px}h2{font-size:18px;margin-top:28px}h3{font-size:15px}\n"
           "table{border-collapse:collapse;margin:8px 0}\n"
           "th,td{border:1px solid #bbb;padding:3px 8px;text-align:right;"
           "font-variant-numeric:tabular-nums}\n"
           "th{background:#eee}td:first-child,th:first-child{text-align:left}\n"
           ".pass{color:#176b1d;font-weight:bold}.fail{color:#b01515;font-weight:bold}\n"
           "svg{background:#fff;border:1px solid #ccc;margin:4px 8px 4px 0}\n"
           "svg text{font-family:sans-serif;font-size:11px}\n"
           ".charts{display:flex;flex-wrap:wrap}\n"
           "</style>\n</head>\n<body>\n<h1>" +
           HtmlEscaped(title) + "</h1>\n" + body + "</body>\n</html>\n";
}

}  // namespace orbex
