// What the link's benchmarks share: a sleeper that does not sleep, the
// profile of a link to the unit simulator over TCP on loopback, and the bits
// a character takes on a serial line.
#pragma once
#include <chrono>
#include <cstdint>

#include "document/ProfileStore.h"
#include "link/CommSettings.h"
#include "link/LinkServices.h"

namespace bench {

using Clock = std::chrono::steady_clock;

// The link's own pauses (busy retries, polls) would only blur what is timed.
class NoSleep : public qv::Sleeper {
public:
    void SleepMs(int) override {}
};

// Bits one character takes on the serial line of these settings: the start
// bit, the data bits, the parity bit when there is one, and the stop bits
// (11 for the default line: 8 data bits, odd parity, 1 stop bit).
inline double LineBitsPerChar(const qv::CommSettings& s) {
    const double stop = s.ComStopBits == 2 ? 2.0 : s.ComStopBits == 1 ? 1.5 : 1.0;
    return 1.0 + s.ComByteSize + (s.ComParity != 0 ? 1.0 : 0.0) + stop;
}

inline void WriteLoopbackProfile(qv::MemoryProfile& profile, uint16_t port) {
    profile.WriteNumber(qv::kCommSection, "CommType", qv::kCommTcp);
    profile.WriteText(qv::kCommSection, "TCP IPAddr", L"127.0.0.1");
    profile.WriteNumber(qv::kCommSection, "TCP Port", port);
}

} // namespace bench
