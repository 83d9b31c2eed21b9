#include "link/UdpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <sys/socket.h>

#include "link/PosixIo.h"
#include "link/TcpConnection.h"

namespace qv {

namespace {
using namespace link_result;
}

UdpSocket::~UdpSocket() {
    posix_io::CloseQuietly(*this);
}

LinkResult UdpSocket::Open(uint32_t& lastError) {
    posix_io::CloseQuietly(*this);
    const int fd = NewIpv4Socket(SOCK_DGRAM, lastError);
    if (fd < 0)
        return kUdpNoSocket;
    const posix_io::OpenFailure fail(fd, lastError);
    const int one = 1;
    (void)::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (const int err = BindLocal(fd, settings_.PCIPAddr, kSearchPort))
        return fail(kSocketBind, err);
    if (!posix_io::SetNonBlocking(fd))
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
    return posix_io::CloseDescriptor(fd_, kUdpClose, lastError);
}

} // namespace qv
