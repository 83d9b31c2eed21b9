// Small POSIX helpers shared by the transports: monotonic deadlines, poll()
// that survives signals, and the steps every open and close repeats.
#pragma once
#include <chrono>
#include <cstdint>

#include "link/LinkResult.h"

namespace qv::posix_io {

using Clock = std::chrono::steady_clock;

// Milliseconds left until deadline, at least 0.
int MsLeft(Clock::time_point deadline);

// poll() of one descriptor for `events` until the deadline, retried after
// EINTR. > 0 ready (revents set), 0 time-out, < 0 failure (errno set).
int PollUntil(int fd, short events, Clock::time_point deadline, short& revents);

// PollUntil for a step that fails alike on a time-out and on a failed wait:
// 0 when ready (revents set), else the error to report (ETIMEDOUT or the
// errno of poll()).
int WaitReady(int fd, short events, Clock::time_point deadline, short& revents);

// Takes the descriptor out of fd (leaving -1) and closes it: kOk, also when
// there was none, or `failure` with lastError set.
LinkResult CloseDescriptor(int& fd, LinkResult failure, uint32_t& lastError);

// Closes a link whose close result nobody waits for: in its destructor, and
// before a new open takes the place of the old descriptor.
template <class Link> void CloseQuietly(Link& link) {
    uint32_t ignored = 0;
    link.Close(ignored);
}

// What a failed step of an open does: closes the new descriptor, keeps err
// as the last error and passes the step's result on.
class OpenFailure {
public:
    OpenFailure(int fd, uint32_t& lastError) : fd_(fd), lastError_(lastError) {}
    LinkResult operator()(LinkResult result, int err) const;

private:
    int fd_;
    uint32_t& lastError_;
};

// Sets O_NONBLOCK; false with errno set.
bool SetNonBlocking(int fd);

} // namespace qv::posix_io
