// The serial transport on POSIX termios.
#pragma once
#include <string>

#include "link/CommSettings.h"
#include "link/Transport.h"

namespace qv {

class SerialPort final : public Transport {
public:
    // Reads the settings it needs at each step (time-outs, line settings).
    explicit SerialPort(const CommSettings& settings) : settings_(settings) {}
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens the device for exclusive use in raw mode with the line settings.
    // 111: cannot open, or in use (TIOCEXCL, flock); 112: no terminal
    // (tcgetattr); 113: line settings refused, or a code that has no POSIX
    // form (LastError EINVAL). A failed open closes what it opened.
    LinkResult Open(const std::string& devicePath, uint32_t& lastError);
    bool IsOpen() const override { return fd_ >= 0; }
    int Handle() const { return fd_; }
    LinkResult Send(const char* data, size_t size, uint32_t& lastError) override;
    LinkResult ReadSome(char* buffer, size_t capacity, size_t& got, uint32_t& lastError) override;
    void DiscardInput() override;
    // While not 0, a receive waits this long for each next byte in place of
    // `COM RecvTimeout`.
    void SetRecvIdleMs(uint32_t ms) { idleMs_ = ms; }
    // Drops DTR (best effort), discards both queues, closes. The descriptor is
    // gone even when close() reports a failure (411).
    LinkResult Close(uint32_t& lastError) override;

private:
    const CommSettings& settings_;
    int fd_ = -1;
    uint32_t idleMs_ = 0;
};

} // namespace qv
