// A receiver on a serial port (or a pseudo-terminal standing in for one). The port is named
// by its path, or by its index in the port list at Open. A device that goes away (a USB
// adapter pulled, a receiver's line hung up) is looked for again by its path.
#pragma once

#include <string>

#include "link/stream_link.h"
#include "platform/serial_port.h"

namespace orbex {

class SerialLink : public StreamLink {
  public:
    // Opens the port at the settings' portIndex of the port list.
    SerialLink();
    explicit SerialLink(LineQueue& queue);
    // Opens `path`, whatever the port list holds.
    SerialLink(LineQueue& queue, std::string path);
    ~SerialLink() override;

    std::string Describe() const override { return portName_; }

  protected:
    bool Resolve(const PortSettings& settings) override;
    bool OpenStream(const SerialParameters& parameters, bool reconnect) override;
    void CloseStream() override { port_.Close(); }
    bool StreamOpen() const override { return port_.IsOpen(); }
    int Descriptor() const override { return port_.Descriptor(); }
    long ReadStream(char* bytes, std::size_t capacity, short revents) override;
    bool WriteStream(const void* bytes, std::size_t count) override;
    long QueuedInput() const override { return port_.QueuedInput(); }
    const char* Unsupported(const SerialParameters& parameters) const override {
        return SerialPort::Unsupported(parameters);
    }
    bool ConfigureStream(const SerialParameters& parameters) override {
        return port_.Configure(parameters);
    }
    bool IsGone(int code) const override;

  private:
    SerialPort port_;
    bool fixedPath_ = false;
    std::string portName_;  // the device path opened, reopened after a loss
};

}  // namespace orbex
