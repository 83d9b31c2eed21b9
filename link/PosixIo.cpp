#include "link/PosixIo.h"

#include <cerrno>
#include <poll.h>

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

} // namespace qv::posix_io
