#include "link/TcpConnection.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include "link/PosixIo.h"

namespace qv {

namespace {
using namespace link_result;
using posix_io::Clock;
} // namespace

bool ParseIpv4(const char* text, in_addr& out) {
    return text && text[0] && ::inet_pton(AF_INET, text, &out) == 1;
}

int NewIpv4Socket(int type, uint32_t& lastError) {
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd < 0)
        lastError = static_cast<uint32_t>(errno);
    return fd;
}

int BindLocal(int fd, const char* address, uint16_t port) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (address[0] && !ParseIpv4(address, local.sin_addr))
        return EINVAL;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        return errno;
    return 0;
}

TcpConnection::~TcpConnection() {
    posix_io::CloseQuietly(*this);
}

LinkResult TcpConnection::Open(uint32_t& lastError) {
    posix_io::CloseQuietly(*this);
    const int fd = NewIpv4Socket(SOCK_STREAM, lastError);
    if (fd < 0)
        return kTcpNoSocket;
    const posix_io::OpenFailure fail(fd, lastError);
    if (settings_.PCIPAddr[0]) { // else the system chooses the local end
        if (const int err = BindLocal(fd, settings_.PCIPAddr, 0))
            return fail(kSocketBind, err);
    }
    if (!posix_io::SetNonBlocking(fd))
        return fail(kTcpConnectEvent, errno);
    // Frames are small and every one waits for its reply: send each at once.
    const int one = 1;
    (void)::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);

    unitAddress_ = sockaddr_in{};
    unitAddress_.sin_family = AF_INET;
    unitAddress_.sin_port = htons(static_cast<uint16_t>(settings_.TcpPort));
    if (!ParseIpv4(settings_.TcpIPAddr, unitAddress_.sin_addr))
        return fail(kTcpConnectFailed, EINVAL);
    const auto deadline = Clock::now() + std::chrono::milliseconds(settings_.TcpConnectTimeout);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&unitAddress_), sizeof unitAddress_) != 0) {
        if (errno != EINPROGRESS && errno != EINTR)
            return fail(kTcpConnectFailed, errno);
        short revents = 0;
        const int p = posix_io::PollUntil(fd, POLLOUT, deadline, revents);
        if (p < 0)
            return fail(kTcpConnectWait, errno);
        if (p == 0)
            return fail(kTcpConnectTimeout, ETIMEDOUT);
        int err = 0;
        socklen_t len = sizeof err;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
            return fail(kTcpConnectFailed, errno);
        if (err != 0)
            return fail(kTcpConnectFailed, err);
    }
    fd_ = fd;
    return kOk;
}

LinkResult TcpConnection::Send(const char* data, size_t size, uint32_t& lastError) {
    if (fd_ < 0) {
        lastError = ENOTCONN;
        return kTcpSend;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(settings_.TcpSendTimeout);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::send(fd_, data + done, size - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            lastError = static_cast<uint32_t>(errno);
            return kTcpSend;
        }
        short revents = 0;
        if (const int err = posix_io::WaitReady(fd_, POLLOUT, deadline, revents)) {
            lastError = static_cast<uint32_t>(err);
            return kTcpSendWait;
        }
    }
    return kOk;
}

LinkResult TcpConnection::ReadSome(char* buffer, size_t capacity, size_t& got,
                                   uint32_t& lastError) {
    got = 0;
    if (fd_ < 0) {
        lastError = ENOTCONN;
        return kTcpRecv;
    }
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(idleMs_ ? idleMs_ : settings_.TcpRecvTimeout);
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer, capacity, 0);
        if (n > 0) {
            got = static_cast<size_t>(n);
            return kOk;
        }
        if (n == 0) {
            lastError = ECONNRESET; // the unit closed the connection
            return kTcpRecv;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            lastError = static_cast<uint32_t>(errno);
            return kTcpRecv;
        }
        short revents = 0; // ETIMEDOUT: no byte within `TCP RecvTimeout`
        if (const int err = posix_io::WaitReady(fd_, POLLIN, deadline, revents)) {
            lastError = static_cast<uint32_t>(err);
            return kTcpRecvWait;
        }
    }
}

void TcpConnection::DiscardInput() {
    if (fd_ < 0)
        return;
    char scratch[4096];
    while (::recv(fd_, scratch, sizeof scratch, MSG_DONTWAIT) > 0) {
    }
}

LinkResult TcpConnection::Close(uint32_t& lastError) {
    return posix_io::CloseDescriptor(fd_, kTcpClose, lastError);
}

} // namespace qv
