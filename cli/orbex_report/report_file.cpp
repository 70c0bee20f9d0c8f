#include "cli/orbex_report/report_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace orbex {

bool WriteReportFile(const std::string& path, const std::string& html, std::string& error) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << html;
        out.close();
        if (!out) {
            error = "cannot write " + temporary;
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code code;
    std::filesystem::rename(temporary, path, code);
    if (code) {
        error = "cannot write " + path + ": " + code.message();
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace orbex
