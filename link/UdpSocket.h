// The broadcast socket of the unit search (link/UnitSearch.h): its steps.
#pragma once
#include <cstddef>
#include <cstdint>

#include "link/CommSettings.h"
#include "link/LinkResult.h"

namespace qv {

constexpr uint16_t kSearchPort = 9090;
constexpr size_t kUdpReceiveSize = 1024;

class UdpSocket {
public:
    explicit UdpSocket(const CommSettings& settings) : settings_(settings) {}
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // Binds port 9090, where the replies come, with SO_REUSEADDR: to
    // `PCIPAddr` when it is set, else to the any-address (a socket bound to
    // one address receives no broadcast reply on this system).
    // 132 no socket; 137 the bind failed; 133 not non-blocking; 134 no
    // broadcasting. A failed open closes the socket.
    LinkResult Open(uint32_t& lastError);
    bool IsOpen() const { return fd_ >= 0; }
    int Handle() const { return fd_; }
    // sendto of the datagram to 255.255.255.255:port; 231 on failure.
    LinkResult Broadcast(const uint8_t* datagram, size_t size, uint16_t port, uint32_t& lastError);
    // One non-blocking receive of at most 1024 bytes: length is the
    // datagram's length, 0 when none is waiting, -1 after an error (with
    // lastError). Always 0.
    LinkResult Receive(uint8_t* buffer, int& length, uint32_t& lastError);
    LinkResult Close(uint32_t& lastError);

private:
    const CommSettings& settings_;
    int fd_ = -1;
};

} // namespace qv
