#include "link/TcpConnection.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "link/PosixIo.h"

namespace qv {

namespace {
using namespace link_result;
using posix_io::Clock;
} // namespace

bool ParseIpv4(const char* text, in_addr& out) {
    return text && text[0] && ::inet_pton(AF_INET, text, &out) == 1;
}

TcpConnection::~TcpConnection() {
    uint32_t ignored = 0;
    Close(ignored);
}

LinkResult TcpConnection::Open(uint32_t& lastError) {
    if (fd_ >= 0) {
        uint32_t ignored = 0;
        Close(ignored);
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        lastError = static_cast<uint32_t>(errno);
        return kTcpNoSocket;
    }
    auto fail = [&](LinkResult r, int err) {
        lastError = static_cast<uint32_t>(err);
        ::close(fd);
        return r;
    };
    if (settings_.PCIPAddr[0]) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = 0;
        if (!ParseIpv4(settings_.PCIPAddr, local.sin_addr))
            return fail(kSocketBind, EINVAL);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
            return fail(kSocketBind, errno);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0)
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
        const int p = posix_io::PollUntil(fd_, POLLOUT, deadline, revents);
        if (p < 0) {
            lastError = static_cast<uint32_t>(errno);
            return kTcpSendWait;
        }
        if (p == 0) {
            lastError = ETIMEDOUT;
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
        short revents = 0;
        const int p = posix_io::PollUntil(fd_, POLLIN, deadline, revents);
        if (p < 0) {
            lastError = static_cast<uint32_t>(errno);
            return kTcpRecvWait;
        }
        if (p == 0) {
            lastError = ETIMEDOUT; // no byte within `TCP RecvTimeout`
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
    if (fd_ < 0)
        return kOk;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        lastError = static_cast<uint32_t>(errno);
        return kTcpClose;
    }
    return kOk;
}

} // namespace qv
