#include "platform/program_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace orbex {

namespace {

std::string WithSlash(std::string directory) {
    if (directory.empty() || directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

}  // namespace

bool IsSystemProgramDirectory(const std::string& directory) {
    const std::string path = WithSlash(directory);
    for (const char* system :
         {"/usr/bin/", "/usr/sbin/", "/usr/local/bin/", "/usr/local/sbin/", "/bin/", "/sbin/"}) {
        if (path == system) {
            return true;
        }
    }
    return false;
}

std::string ProgramDirectory() {
    std::error_code ignored;
    if (const char* home = std::getenv("ORBEX_HOME"); home && *home) {
        std::filesystem::create_directories(home, ignored);
        return WithSlash(home);
    }
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ignored);
    if (!executable.empty()) {
        std::string directory = executable.parent_path().string();
        if (!IsSystemProgramDirectory(directory) && ::access(directory.c_str(), W_OK) == 0) {
            return WithSlash(directory);
        }
    }
    std::string base = std::getenv("HOME") ? std::getenv("HOME") : "/tmp";
    std::string directory = base + "/.local/share/orbex";
    std::filesystem::create_directories(directory, ignored);
    return WithSlash(directory);
}

}  // namespace orbex
