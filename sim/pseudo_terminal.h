// The simulator's end of a pseudo-terminal. The slave side is set raw and kept open by the
// simulator itself, so that a client closing (and reopening) the port never makes the master
// see a hang-up.
#pragma once

#include <string>
#include <string_view>

namespace orbex::sim {

class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(PseudoTerminal&& other) noexcept;
    PseudoTerminal& operator=(PseudoTerminal&& other) noexcept;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens a new pair; `baud` is recorded in the slave's settings (a pty does not pace).
    // On failure returns false and sets `error`.
    bool Open(unsigned baud, std::string& error);
    void Close();

    bool isOpen() const { return master_ >= 0; }
    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

    // Writes all bytes. When nobody reads the slave for a second and its buffer is full, the
    // unread output is discarded (a receiver talking to an unplugged cable) and writing goes
    // on. Returns false on a real write error.
    bool Write(std::string_view bytes);
    // Reads what the client has written, without blocking; empty when nothing is there.
    std::string ReadAvailable();

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace orbex::sim
