// What the link's benchmarks share: a sleeper that does not sleep and the
// profile of a link to the unit simulator over TCP on loopback.
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

inline void WriteLoopbackProfile(qv::MemoryProfile& profile, uint16_t port) {
    profile.WriteNumber(qv::kCommSection, "CommType", qv::kCommTcp);
    profile.WriteText(qv::kCommSection, "TCP IPAddr", L"127.0.0.1");
    profile.WriteNumber(qv::kCommSection, "TCP Port", port);
}

} // namespace bench
