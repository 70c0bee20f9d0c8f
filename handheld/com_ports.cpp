#include "handheld/com_ports.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace orbexce {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitList(std::string_view list) {
    std::vector<std::string> paths;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view path = list.substr(0, colon);
        if (!path.empty()) {
            paths.emplace_back(path);
        }
        if (colon == std::string_view::npos) {
            break;
        }
        list.remove_prefix(colon + 1);
    }
    return paths;
}

// A UART driver registers every possible port; one whose type reads 0 has no hardware.
bool HasHardware(const fs::path& ttyEntry) {
    std::ifstream type(ttyEntry / "type");
    int portType = 0;
    return !type.is_open() || !(type >> portType) || portType != 0;
}

// ttyS2 before ttyS10: by the letters, then by the number.
std::pair<std::string, long> SortKey(const std::string& name) {
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])) != 0) {
        --digits;
    }
    const std::string number = name.substr(digits);
    return {name.substr(0, digits),
            number.empty() ? -1L : std::strtol(number.c_str(), nullptr, 10)};
}

std::vector<std::string> SerialDevicesPresent() {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator("/sys/class/tty", error)) {
        std::error_code linkError;
        if (fs::exists(entry.path() / "device", linkError) && HasHardware(entry.path())) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return SortKey(a) < SortKey(b); });
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back("/dev/" + name);
    }
    return paths;
}

ComPortTable TableOf(const std::vector<std::string>& paths) {
    ComPortTable table;
    for (std::size_t i = 0; i < table.size() && i < paths.size(); ++i) {
        table[i] = paths[i];
    }
    return table;
}

}  // namespace

ComPortTable FindComPorts() {
    const char* listed = std::getenv("ORBEXCE_PORTS");
    std::vector<std::string> paths = SplitList(listed != nullptr ? listed : "");
    for (std::string& device : SerialDevicesPresent()) {
        if (std::find(paths.begin(), paths.end(), device) == paths.end()) {
            paths.push_back(std::move(device));
        }
    }
    return TableOf(paths);
}

}  // namespace orbexce
