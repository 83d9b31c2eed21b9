// One poll of the status window against the unit simulator over TCP on
// loopback: the status reply and the 225 system registers, over the session
// link that stays open between polls (goal: <= 20 ms per poll).
//
//   bench_status_poll [polls]      default 200
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/LinkBench.h"
#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "link/UnitSession.h"
#include "tools/unitsim/UnitSimulator.h"

using bench::Clock;

int main(int argc, char** argv) {
    const int polls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    unitsim::UnitSimulator sim;
    const uint16_t port = sim.StartTcp();
    if (!port) {
        std::fprintf(stderr, "simulator: no TCP port\n");
        return 1;
    }
    qv::MemoryProfile profile;
    bench::WriteLoopbackProfile(profile, port);
    bench::NoSleep sleeper;
    qv::CUnitSession session(profile, qv::kCodePageJapanese, nullptr, nullptr, sleeper);

    std::vector<double> ms;
    ms.reserve(static_cast<size_t>(polls));
    for (int i = 0; i < polls; ++i) {
        sim.SetDataRegister(90028, static_cast<uint16_t>(i)); // a counter that moves
        const auto start = Clock::now();
        const qv::LinkResult status = session.FetchStatus();
        const int values = session.ReadMonitorValues();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (status != 0 || values != 0 ||
            session.MonitorValues.Dt90028 != static_cast<uint32_t>(i)) {
            std::fprintf(stderr, "poll %d failed: status %d, registers %d (%u)\n", i, status,
                         values, session.LastError);
            return 1;
        }
    }
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    std::printf("Status poll (FetchStatus + ReadMonitorValues, %d registers) over TCP on loopback, "
                "%d polls, one connection: %d\n",
                qv::kSystemRegisterCount, polls, sim.ConnectionCount());
    std::printf("  mean %.3f ms  median %.3f ms  worst %.3f ms   goal: <= 20 ms per poll   %s\n",
                sum / polls, sorted[sorted.size() / 2], sorted.back(),
                sorted.back() <= 20.0 ? "met" : "NOT MET");
    return 0;
}
