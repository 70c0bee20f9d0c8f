#include "cli/common/option_table.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

namespace orbex {
namespace {

constexpr std::size_t kHelpColumn = 34;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// "%g" without the locale: whole numbers as such, others with their decimals.
std::string NumberText(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string("?");
}

}  // namespace

std::string OptionHelpLine(const char* name, const char* valueName, const char* help) {
    std::string left = std::string("  ") + name;
    if (valueName != nullptr) {
        left += std::string(" ") + valueName;
    }
    if (left.size() < kHelpColumn) {
        left.resize(kHelpColumn, ' ');
    } else {
        left += "\n" + std::string(kHelpColumn, ' ');
    }
    return left + help + "\n";
}

std::string ReadWholeNumber(const std::string& option, const std::string& text, long low, long high,
                            long& value) {
    long read = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, read);
    if (text.empty() || error != std::errc() || stop != end || read < low || read > high) {
        return option + " takes a whole number from " + std::to_string(low) + " to " +
               std::to_string(high) + ", not '" + text + "'";
    }
    value = read;
    return {};
}

std::string ReadDecimal(const std::string& option, const std::string& text, double low, double high,
                        double& value) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    double read = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, read);
    if (digits.empty() || error != std::errc() || stop != end || !std::isfinite(read) ||
        read < low || read > high) {
        return option + " takes a number from " + NumberText(low) + " to " + NumberText(high) +
               ", not '" + text + "'";
    }
    value = read;
    return {};
}

std::string ReadChoice(const std::string& option, const std::string& text,
                       const std::vector<std::string>& names, int& index) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameIgnoringCase(names[i], text)) {
            index = static_cast<int>(i);
            return {};
        }
    }
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    }
    return option + " takes " + list + ", not '" + text + "'";
}

}  // namespace orbex
