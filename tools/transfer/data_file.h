// The data files of the transfer tools (AL.DAT, EP.DAT, AS.DAT): received lines stored as
// text, each line's line feed written as carriage return and line feed, so a line received
// with CR LF ends on disk with CR CR LF. Reading a line back drops the line feed and one
// carriage return before it and adds a line feed: the receiver gets its line again with one
// CR LF. Past the end of the file a read gives a bare line feed.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace orbex {

class DataFileWriter {
  public:
    // Opens (creating or truncating) the file; errno is kept when it cannot.
    explicit DataFileWriter(const std::string& path);

    bool IsOpen() const { return file_ != nullptr; }
    int openError() const { return openError_; }
    // Writes one received line; false with errno in `error` when the write fails. What was
    // written before stays in the file.
    bool WriteLine(std::string_view line, int& error);
    // Flushes and closes; false with errno when the data did not reach the file.
    bool Close(int& error);

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    int openError_ = 0;
};

class DataFileReader {
  public:
    static constexpr std::size_t kLineLimit = 255;  // characters read per line at most

    explicit DataFileReader(const std::string& path);

    bool IsOpen() const { return file_ != nullptr; }
    int openError() const { return openError_; }
    // The next line as it is sent: its text with one CR LF when it was stored with CR CR LF,
    // and always ending in a line feed ("\n" alone past the end). False with errno in `error`
    // when the read fails.
    bool ReadLine(std::string& line, int& error);

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    int openError_ = 0;
};

}  // namespace orbex
