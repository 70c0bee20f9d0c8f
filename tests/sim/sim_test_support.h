// What the simulator tests share: options with a fixed seed and start, cutting an output
// stream into its lines, and the comma-separated fields of a sentence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_options.h"
#include "sim/sim_time.h"

namespace orbex::sim::testing {

inline SimOptions TestOptions() {
    SimOptions o;
    o.seed = 42;
    o.toStdout = true;
    o.fast = true;
    return o;
}

inline SimMillis TestStart() {
    return FromCivil(2026, 6, 1, 12, 0, 0);
}

// Lines of a stream, each with its terminator (CR LF or 0xDA); a tail without one is kept.
inline std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool crlf = bytes[i] == '\n' && i > begin && bytes[i - 1] == '\r';
        if (crlf || bytes[i] == '\xDA') {
            lines.emplace_back(bytes.substr(begin, i + 1 - begin));
            begin = i + 1;
        }
    }
    if (begin < bytes.size()) {
        lines.emplace_back(bytes.substr(begin));
    }
    return lines;
}

inline std::string Text(const std::string& line) {
    std::string t = line;
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r' || t.back() == '\xDA')) {
        t.pop_back();
    }
    return t;
}

// The fields between "$TAG," and "*", split at every comma.
inline std::vector<std::string> Fields(const std::string& sentence) {
    const std::size_t star = sentence.find('*');
    const std::string body = sentence.substr(0, star);
    std::vector<std::string> fields;
    std::size_t begin = body.find(',');
    while (begin != std::string::npos) {
        const std::size_t next = body.find(',', begin + 1);
        fields.push_back(body.substr(
            begin + 1, next == std::string::npos ? std::string::npos : next - begin - 1));
        begin = next;
    }
    return fields;
}

// The widths of the fields, 0 for an empty one.
inline std::vector<std::size_t> Widths(const std::string& sentence) {
    std::vector<std::size_t> widths;
    for (const std::string& f : Fields(sentence)) {
        widths.push_back(f.size());
    }
    return widths;
}

}  // namespace orbex::sim::testing
