// Where orbex-dump prints: each line as received, or its decoded JSON object, collected in a
// large buffer and written to standard output in big blocks.
#pragma once

#include <string>
#include <string_view>

#include "decode/line_decoder.h"

namespace orbex {

class LineOutput {
  public:
    explicit LineOutput(bool decode);
    LineOutput(const LineOutput&) = delete;
    LineOutput& operator=(const LineOutput&) = delete;
    ~LineOutput() { Flush(); }

    void Print(std::string_view line);
    // Writes what is collected. False (and the reason on standard error, once) when standard
    // output cannot take it, for example a full disk; a closed pipe ends quietly.
    bool Flush();
    bool Failed() const { return failed_; }
    bool ReaderGone() const { return readerGone_; }

  private:
    bool decode_;
    LineDecoder decoder_;  // decodes what is printed when decode_ is set
    bool failed_ = false;
    bool readerGone_ = false;
    std::string pending_;
};

}  // namespace orbex
