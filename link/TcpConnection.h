// The TCP transport to the unit on POSIX sockets.
#pragma once
#include <netinet/in.h>

#include "link/CommSettings.h"
#include "link/Transport.h"

namespace qv {

// Parses a dotted IPv4 address text; false for anything else (also for an
// empty text).
bool ParseIpv4(const char* text, in_addr& out);

// Socket steps the TCP connection shares with the unit search's UDP socket.
// A new IPv4 socket of `type`, close-on-exec; -1 with lastError set.
int NewIpv4Socket(int type, uint32_t& lastError);
// Binds to the dotted `address` (the any-address when it is empty) and
// `port`: 0, or the errno of the failure (EINVAL for a text that is no IPv4
// address).
int BindLocal(int fd, const char* address, uint16_t port);

class TcpConnection final : public Transport {
public:
    explicit TcpConnection(const CommSettings& settings) : settings_(settings) {}
    ~TcpConnection() override;
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    // 122 no socket; 137 bind to `PCIPAddr` failed; 123 cannot be made
    // non-blocking; 126 the attempt failed (LastError the reason; EINVAL for
    // a `TCP IPAddr` that is no IPv4 address); 125 no connection within
    // `TCP ConnectTimeout`; 124 the wait itself failed. A failed open closes
    // the socket.
    LinkResult Open(uint32_t& lastError);
    bool IsOpen() const override { return fd_ >= 0; }
    int Handle() const { return fd_; }
    const sockaddr_in& UnitAddress() const { return unitAddress_; }
    // Sends the whole frame, finishing partial sends: 222 send() failed,
    // 221 the wait failed or the frame did not go out within `TCP SendTimeout`.
    LinkResult Send(const char* data, size_t size, uint32_t& lastError) override;
    // 321 no byte within `TCP RecvTimeout` (LastError ETIMEDOUT) or the wait
    // failed; 322 recv() failed, or the unit closed the connection (LastError
    // ECONNRESET).
    LinkResult ReadSome(char* buffer, size_t capacity, size_t& got, uint32_t& lastError) override;
    void DiscardInput() override;
    // While not 0, a receive waits this long for each next byte in place of
    // `TCP RecvTimeout`.
    void SetRecvIdleMs(uint32_t ms) { idleMs_ = ms; }
    LinkResult Close(uint32_t& lastError) override;

private:
    const CommSettings& settings_;
    int fd_ = -1;
    sockaddr_in unitAddress_{};
    uint32_t idleMs_ = 0;
};

} // namespace qv
