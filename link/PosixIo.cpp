#include "link/PosixIo.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace qv::posix_io {

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // Round a partial millisecond up, so a wait never ends before its deadline.
    if (left <= 0)
        return Clock::now() < deadline ? 1 : 0;
    return static_cast<int>(left);
}

int PollUntil(int fd, short events, Clock::time_point deadline, short& revents) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, MsLeft(deadline));
        if (n < 0 && errno == EINTR)
            continue;
        revents = p.revents;
        if (n == 0 && Clock::now() < deadline)
            continue; // woke a little early
        return n;
    }
}

int WaitReady(int fd, short events, Clock::time_point deadline, short& revents) {
    const int p = PollUntil(fd, events, deadline, revents);
    if (p < 0)
        return errno;
    return p == 0 ? ETIMEDOUT : 0;
}

LinkResult CloseDescriptor(int& fd, LinkResult failure, uint32_t& lastError) {
    if (fd < 0)
        return link_result::kOk;
    const int old = fd;
    fd = -1;
    // After EINTR the descriptor is gone all the same on Linux.
    if (::close(old) != 0 && errno != EINTR) {
        lastError = static_cast<uint32_t>(errno);
        return failure;
    }
    return link_result::kOk;
}

LinkResult OpenFailure::operator()(LinkResult result, int err) const {
    lastError_ = static_cast<uint32_t>(err);
    ::close(fd_);
    return result;
}

bool SetNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

} // namespace qv::posix_io
