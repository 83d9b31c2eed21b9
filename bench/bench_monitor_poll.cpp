// One poll of the monitor window against the unit simulator over TCP on
// loopback: a log file of 300 devices (one read of 600 words, every value
// cut and the list redrawn), and the 225 system registers. Goal: under 20 ms
// a poll. Then the window stays open for a few seconds and the CPU time of
// the user-interface thread is measured (goal: near zero, under 1% of a core).
//
//   xvfb-run -a bench_monitor_poll [polls] [seconds]      default 100, 5
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>
#include <vector>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/timer.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "bench/LinkBench.h"
#include "document/QuorvelDoc.h"
#include "online/MonitorWnd.h"
#include "tools/unitsim/UnitSimulator.h"

wxIMPLEMENT_APP_NO_MAIN(qv::CQuorvelApp);

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kGoalMs = 20.0;

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Figures {
    double median, worst, cpu;
};

Figures TimePolls(qv::CMonitorWnd& wnd, int polls) {
    std::vector<double> ms;
    double cpu = 0;
    for (int i = 0; i < polls; ++i) {
        const double cpu0 = ThreadCpuMs();
        const auto start = Clock::now();
        wnd.PollValues();
        wnd.ItemList->Update();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        cpu += ThreadCpuMs() - cpu0;
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back(), cpu / polls};
}

// Runs the program's events for `ms` milliseconds.
void RunFor(int ms) {
    wxGUIEventLoop loop;
    wxTimer stop;
    stop.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { loop.Exit(); });
    stop.StartOnce(ms);
    loop.Run();
}

} // namespace

int main(int argc, char** argv) {
    const int polls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int seconds = argc > 2 ? std::max(2, std::atoi(argv[2])) : 5;
    const std::string dir = "/tmp/qvbench-monitor-" + std::to_string(getpid());
    std::system(("mkdir -p '" + dir + "'").c_str());
    setenv("QV_PROFILE", (dir + "/profile.ini").c_str(), 1);

    unitsim::UnitSimulator sim;
    const uint16_t port = sim.StartTcp();
    if (!port) {
        std::fprintf(stderr, "simulator: no TCP port\n");
        return 1;
    }
    for (int i = 0; i < 600; ++i)
        sim.SetDataRegister(i, static_cast<uint16_t>(i * 7));
    {
        qv::CQuorvelDoc doc(932);
        qv::DeviceTable& t = doc.Blocks().devices;
        for (int n = 1; n <= 300; ++n) {
            qv::DeviceRecord& r = t[static_cast<size_t>(n - 1)];
            r.SetAscii(qv::dev::kName, 32, ("Meter " + std::to_string(n)).c_str());
            r.SetU16(qv::dev::kNumber, static_cast<uint16_t>(n));
            r.SetU8(qv::dev::kFile, 1);
            r.SetU8(qv::dev::kIsRegister, 1);
            r.SetU8(qv::dev::kDataType, n % 2 ? qv::kTypeU32 : qv::kTypeFloat);
        }
        if (doc.SaveSettingsFile(dir + "/bench.qv") != 0) {
            std::fprintf(stderr, "cannot write %s/bench.qv\n", dir.c_str());
            return 1;
        }
    }

    wxApp::SetInstance(new qv::CQuorvelApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display: run it under xvfb-run\n");
        return 1;
    }
    auto& app = static_cast<qv::CQuorvelApp&>(*wxTheApp);
    if (!app.StartUp({dir + "/bench.qv"})) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    qv::MemoryProfile link;
    bench::WriteLoopbackProfile(link, port);
    for (const char* key : {"CommType", "TCP Port"})
        app.Profile().WriteNumber(qv::kCommSection, key, *link.ReadNumber(qv::kCommSection, key));
    app.Profile().WriteText(qv::kCommSection, "TCP IPAddr", L"127.0.0.1");

    // The main window alone, for comparison.
    RunFor(1000);
    double idle = ThreadCpuMs();
    RunFor(seconds * 1000);
    idle = (ThreadCpuMs() - idle) / seconds;

    int status = 0;
    {
        qv::CMonitorWnd wnd(app.MainFrame(), *app.Document());
        wnd.Show();
        wnd.SelectGroup(0);
        wnd.PollValues(); // opens the link
        if (wnd.ItemList->GetItemText(299, qv::kMonitorValueColumn) == qv::kNoValue) {
            std::fprintf(stderr, "the poll read nothing\n");
            status = 1;
        }
        const Figures file = TimePolls(wnd, polls);
        wnd.SelectGroup(qv::kMonitorSystemGroup);
        wnd.PollValues();
        const Figures system = TimePolls(wnd, polls);
        std::printf("Monitor poll over TCP on loopback, %d polls each, one connection: %d\n", polls,
                    sim.ConnectionCount());
        std::printf("  log file of 300 devices (600 words): median %.2f ms, worst %.2f ms, "
                    "UI thread CPU %.2f ms   goal: under %.0f ms   %s\n",
                    file.median, file.worst, file.cpu, kGoalMs,
                    file.median < kGoalMs ? "met" : "MISSED");
        std::printf("  system registers (225 words):      median %.2f ms, worst %.2f ms, "
                    "UI thread CPU %.2f ms   goal: under %.0f ms   %s\n",
                    system.median, system.worst, system.cpu, kGoalMs,
                    system.median < kGoalMs ? "met" : "MISSED");

        // The window left to its own timer: one poll a second, nothing between.
        // The first second draws the windows once; it is not counted.
        wnd.SelectGroup(0);
        RunFor(1000);
        const double cpu0 = ThreadCpuMs();
        RunFor(seconds * 1000);
        const double cpu = ThreadCpuMs() - cpu0;
        // Polls included; "near zero" is taken as under 1% of one core.
        const double perSecond = cpu / seconds;
        std::printf("  window open %d s: UI thread CPU %.1f ms per second, polls included "
                    "(%.2f%% of one core; the main window alone %.1f ms per second)"
                    "   goal: near zero (under 1%%)   %s\n",
                    seconds, perSecond, perSecond / 10.0, idle,
                    perSecond < 10.0 ? "met" : "MISSED");
    }
    app.Document()->TakeSnapshot(qv::kSnapshotSaved);
    app.MainFrame()->Close(true);
    for (int i = 0; i < 20 && wxTheApp->Pending(); ++i)
        wxTheApp->Dispatch();
    wxEntryCleanup();
    sim.Stop();
    std::system(("rm -rf '" + dir + "'").c_str());
    return status;
}
