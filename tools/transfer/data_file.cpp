#include "tools/transfer/data_file.h"

#include <cerrno>

#include "platform/crlf_text.h"

namespace orbex {

DataFileWriter::DataFileWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    openError_ = file_ ? 0 : errno;
}

bool DataFileWriter::WriteLine(std::string_view line, int& error) {
    const std::string stored = WithCrLf(line);
    errno = 0;
    // Flushed per line, so that a full disk is reported at the line it hit.
    if (std::fwrite(stored.data(), 1, stored.size(), file_.get()) != stored.size() ||
        std::fflush(file_.get()) != 0) {
        error = errno ? errno : EIO;
        return false;
    }
    return true;
}

bool DataFileWriter::Close(int& error) {
    std::FILE* file = file_.release();
    errno = 0;
    if (std::fclose(file) != 0) {
        error = errno ? errno : EIO;
        return false;
    }
    return true;
}

DataFileReader::DataFileReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
    openError_ = file_ ? 0 : errno;
}

bool DataFileReader::ReadLine(std::string& line, int& error) {
    char buffer[kLineLimit + 1];
    errno = 0;
    if (!std::fgets(buffer, sizeof buffer, file_.get())) {
        if (std::ferror(file_.get())) {
            error = errno ? errno : EIO;
            return false;
        }
        line = "\n";  // past the end: a bare line feed
        return true;
    }
    line.assign(buffer);
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
    }
    line += '\n';
    return true;
}

}  // namespace orbex
