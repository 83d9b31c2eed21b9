#include "link/UdpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "link/TcpConnection.h"

namespace qv {

namespace {
using namespace link_result;
}

UdpSocket::~UdpSocket() {
    uint32_t ignored = 0;
    Close(ignored);
}

LinkResult UdpSocket::Open(uint32_t& lastError) {
    if (fd_ >= 0) {
        uint32_t ignored = 0;
        Close(ignored);
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        lastError = static_cast<uint32_t>(errno);
        return kUdpNoSocket;
    }
    auto fail = [&](LinkResult r, int err) {
        lastError = static_cast<uint32_t>(err);
        ::close(fd);
        return r;
    };
    const int one = 1;
    (void)::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kSearchPort);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (settings_.PCIPAddr[0] && !ParseIpv4(settings_.PCIPAddr, local.sin_addr))
        return fail(kSocketBind, EINVAL);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        return fail(kSocketBind, errno);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail(kUdpNonBlocking, errno);
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &one, sizeof one) != 0)
        return fail(kUdpBroadcast, errno);
    fd_ = fd;
    return kOk;
}

LinkResult UdpSocket::Broadcast(const uint8_t* datagram, size_t size, uint16_t port,
                                uint32_t& lastError) {
    if (fd_ < 0) {
        lastError = EBADF;
        return kUdpSend;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    ssize_t n;
    do {
        n = ::sendto(fd_, datagram, size, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&to),
                     sizeof to);
    } while (n < 0 && errno == EINTR);
    if (n < 0 || static_cast<size_t>(n) != size) {
        lastError = n < 0 ? static_cast<uint32_t>(errno) : EIO;
        return kUdpSend;
    }
    return kOk;
}

LinkResult UdpSocket::Receive(uint8_t* buffer, int& length, uint32_t& lastError) {
    length = 0;
    if (fd_ < 0) {
        lastError = EBADF;
        length = -1;
        return kOk;
    }
    ssize_t n;
    do {
        n = ::recvfrom(fd_, buffer, kUdpReceiveSize, MSG_DONTWAIT, nullptr, nullptr);
    } while (n < 0 && errno == EINTR);
    if (n >= 0) {
        length = static_cast<int>(n);
    } else if (errno != EAGAIN && errno != EWOULDBLOCK) {
        lastError = static_cast<uint32_t>(errno);
        length = -1;
    }
    return kOk;
}

LinkResult UdpSocket::Close(uint32_t& lastError) {
    if (fd_ < 0)
        return kOk;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        lastError = static_cast<uint32_t>(errno);
        return kUdpClose;
    }
    return kOk;
}

} // namespace qv
