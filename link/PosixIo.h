// Small POSIX helpers shared by the transports: monotonic deadlines and
// poll() that survives signals.
#pragma once
#include <chrono>

namespace qv::posix_io {

using Clock = std::chrono::steady_clock;

// Milliseconds left until deadline, at least 0.
int MsLeft(Clock::time_point deadline);

// poll() of one descriptor for `events` until the deadline, retried after
// EINTR. > 0 ready (revents set), 0 time-out, < 0 failure (errno set).
int PollUntil(int fd, short events, Clock::time_point deadline, short& revents);

} // namespace qv::posix_io
