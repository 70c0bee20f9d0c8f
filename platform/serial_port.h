// The serial port a receiver is connected to: a tty device (or a pseudo-terminal standing in
// for one) in raw mode, never blocking on a read. Every failing call returns false (or -1) and
// leaves the system error code (errno) behind.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/unique_fd.h"

namespace orbex {

enum class SerialParity { None, Odd, Even, Mark, Space };
enum class SerialStopBits { One, OneAndHalf, Two };

struct SerialParameters {
    std::uint32_t baudRate = 9600;
    int dataBits = 8;  // 7 or 8
    SerialParity parity = SerialParity::None;
    SerialStopBits stopBits = SerialStopBits::One;
    bool rtsCts = false;
    bool xonXoff = false;
    bool dsrDtr = false;  // DSR/DTR handshake: the tty driver has none, so it is refused
};

class SerialPort {
  public:
    SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort() { Close(); }

    // Opens an existing device for reading and writing, exclusively, in raw mode.
    bool Open(const std::string& path);
    // Drops DTR, discards both queues and closes the device. Does nothing when closed.
    void Close();
    bool IsOpen() const { return fd_.Valid(); }

    // Why the parameters cannot be set on this system, or nullptr when they can.
    static const char* Unsupported(const SerialParameters& parameters);
    // Programs speed, character format and handshakes.
    bool Configure(const SerialParameters& parameters);
    // Reads the line settings back from the driver (speed as the driver holds it).
    bool ReadParameters(SerialParameters& parameters) const;

    // DTR: raised on open, dropped on close. A pseudo-terminal has no modem lines; that is
    // not an error.
    bool RaiseDtr();
    bool DropDtr();
    // Discards everything queued in both directions.
    bool Purge();
    // Bytes received and waiting in the driver, or -1 when the port cannot be asked (for
    // example because the device has gone away).
    long QueuedInput() const;
    // Reads at most `capacity` of the bytes already queued: the count read, 0 when nothing
    // is waiting, -1 on failure.
    long Read(void* bytes, std::size_t capacity);
    // Writes all bytes, waiting at most `timeout` for the driver to take them. A time-out
    // fails with ETIMEDOUT.
    bool Write(const void* bytes, std::size_t count,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));

    int Descriptor() const { return fd_.Get(); }

  private:
    bool SetModemLine(bool raise);

    UniqueFd fd_;
};

}  // namespace orbex
