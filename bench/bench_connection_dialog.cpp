// The settings read and write as the connection dialog's OK runs them
// (ConnectionModel::Accept: the form stored, the login, the whole image with
// the wait dialog pumped once per frame, the end of the unit session; before
// a write also the status and the firmware version), against the bare link's
// ReadBlock and WriteBlock of the same image, in the same run, over TCP on
// loopback to the in-process unit simulator. Goal: dialog / bare <= 1.2.
//
// bench_connection_dialog runs without a display, so a sink stands in for the
// wait dialog twice: one that only counts its pumps (the dialog's own work),
// and one that pays for each pump a round trip over a Unix socket to another
// thread, as if every redraw waited for the X server.
// bench_connection_dialog_gui (run it on a display, e.g. under xvfb-run)
// times the program's real wait dialog in place of the second one.
//
//   bench_connection_dialog [runs]      default 7
//   xvfb-run -a bench_connection_dialog_gui [runs]
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "bench/LinkBench.h"
#include "document/CodePageText.h"
#include "document/MessageType.h"
#include "document/ProfileStore.h"
#include "document/QuorvelDoc.h"
#include "link/UnitComm.h"
#include "online/ConnectionModel.h"
#include "tools/unitsim/UnitSimulator.h"

#ifdef QV_BENCH_WAIT_DIALOG
#include <wx/frame.h>
#include <wx/init.h>

#include "app/QuorvelApp.h"
#include "ui/WaitDlg.h"

wxIMPLEMENT_APP_NO_MAIN(qv::CQuorvelApp);

namespace {
wxWindow* benchFrame = nullptr; // the wait dialog's owner
}
#endif

namespace {

using bench::Clock;
using bench::NoSleep;

// Counts the pumps; with roundTrip each pump also waits for another thread.
class BenchSink : public qv::ProgressSink {
public:
    explicit BenchSink(bool roundTrip) : roundTrip_(roundTrip) {
        if (!roundTrip_)
            return;
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds_) != 0) {
            std::perror("socketpair");
            std::exit(1);
        }
        echo_ = std::thread([fd = fds_[1]] {
            char c;
            while (::read(fd, &c, 1) == 1 && ::write(fd, &c, 1) == 1) {
            }
        });
    }
    ~BenchSink() override {
        if (!roundTrip_)
            return;
        ::shutdown(fds_[0], SHUT_RDWR);
        echo_.join();
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    void Begin(unsigned, int) override {}
    void SetPosition(int) override {}
    bool PumpAndCancelled() override {
        char c = 'p';
        if (roundTrip_ && (::write(fds_[0], &c, 1) != 1 || ::read(fds_[0], &c, 1) != 1))
            std::exit(1);
        ++pumps;
        return false;
    }
    void End() override {}

    long pumps = 0;

private:
    bool roundTrip_;
    int fds_[2] = {-1, -1};
    std::thread echo_;
};

// Answers nothing: a question or a failure message spoils the figure.
class SilentUser : public qv::ConnectionUser {
public:
    int Ask(const qv::ConnectionMessage& m) override {
        std::fprintf(stderr, "unexpected question %u\n", m.Ids.front());
        failed = true;
        return qv::kIdNo;
    }
    void Tell(const qv::ConnectionMessage& m) override {
        if ((m.Type & qv::kMbIconMask) != qv::kMbIconInformation) {
            std::fprintf(stderr, "message %u\n", m.Ids.front());
            failed = true;
        }
    }
    bool failed = false;
};

std::vector<uint8_t> RandomBlocks(uint32_t seed) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> image(qv::kBlockImageSize);
    for (auto& b : image)
        b = static_cast<uint8_t>(gen());
    return image;
}

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const char* pumpedColumn = "";

struct Figures {
    std::vector<double> bare, dialog, pumped;
    long pumps = 0;
    bool ok = true;
};

// The best run: other work on the machine only ever adds time.
double Best(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

void Print(const char* what, const Figures& f, int runs) {
    const double bare = Best(f.bare), dialog = Best(f.dialog), pumped = Best(f.pumped);
    std::printf("  %-5s bare link %.4f s   dialog %.4f s  ratio %.3f   "
                "%s %.4f s  ratio %.3f   %ld pumps   %s\n",
                what, bare, dialog, dialog / bare, pumpedColumn, pumped, pumped / bare,
                f.pumps / runs, f.ok ? "ok" : "FAILED");
}

// One OK of the dialog in `mode` with a new document; its time goes to `times`.
void RunDialog(qv::ProfileStore& profile, qv::Sleeper& sleeper, qv::ConnectionAction mode,
               const qv::ConnectionForm& form, bool roundTrip, std::vector<double>& times,
               Figures& f) {
    qv::CQuorvelDoc doc(qv::kCodePageJapanese);
    SilentUser user;
    BenchSink sink(roundTrip);
    qv::ProgressSink* progress = &sink;
#ifdef QV_BENCH_WAIT_DIALOG
    qv::CWaitProgress waitDialog(benchFrame);
    if (roundTrip)
        progress = &waitDialog;
#endif
    qv::ConnectionModel model(profile, qv::kCodePageJapanese, doc, user, progress, nullptr,
                              sleeper);
    const auto start = Clock::now();
    const qv::ConnectionEnd end = model.Accept(mode, form);
    times.push_back(Since(start));
    f.ok = f.ok && end == qv::ConnectionEnd::Ok && !user.failed;
    if (!roundTrip)
        f.pumps += sink.pumps;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
#ifdef QV_BENCH_WAIT_DIALOG
    wxApp::SetInstance(new qv::CQuorvelApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display: run it under xvfb-run\n");
        return 1;
    }
    benchFrame = new wxFrame(nullptr, wxID_ANY, "bench");
    benchFrame->Show();
    const char* pumpedName = "with the wait dialog";
#else
    const char* pumpedName = "with round trips";
#endif
    pumpedColumn = pumpedName;
    unitsim::UnitSimulator sim;
    const uint16_t port = sim.StartTcp();
    if (!port) {
        std::fprintf(stderr, "simulator: no TCP port\n");
        return 1;
    }
    sim.SetRunMode(false);
    sim.SetDataRegister(qv::kFirmwareVersionWord, 0x0250);
    qv::MemoryProfile profile;
    bench::WriteLoopbackProfile(profile, port);
    NoSleep sleeper;
    const uint32_t cp = qv::kCodePageJapanese;

    std::printf("Settings read and write over TCP on loopback, best of %d runs "
                "(goal: dialog / bare <= 1.200)\n",
                runs);
    for (uint32_t cmd2K : {1u, 0u}) {
        profile.WriteNumber(qv::kCommSection, "2KCmd", cmd2K);
        qv::CommSettings stored;
        qv::LoadCommSettings(profile, cp, stored);
        const qv::ConnectionForm form = qv::LoadConnectionForm(stored);
        Figures read, write;
        for (int i = 0; i < runs; ++i) {
            const auto image = RandomBlocks(static_cast<uint32_t>(i + 1));
            sim.SetImage(image);
            {
                qv::CUnitComm link(profile, cp, nullptr, nullptr, sleeper);
                std::vector<uint8_t> got;
                const auto start = Clock::now();
                const qv::LinkResult r = link.ReadBlock(qv::kBlockImageSize, got);
                read.bare.push_back(Since(start));
                read.ok = read.ok && r == 0 && got == image;
            }
            RunDialog(profile, sleeper, qv::ConnectionAction::Read, form, false, read.dialog, read);
            RunDialog(profile, sleeper, qv::ConnectionAction::Read, form, true, read.pumped, read);
            {
                const auto other = RandomBlocks(static_cast<uint32_t>(i + 100));
                qv::CUnitComm link(profile, cp, nullptr, nullptr, sleeper);
                const auto start = Clock::now();
                const qv::LinkResult r = link.WriteBlock(other.data());
                write.bare.push_back(Since(start));
                write.ok = write.ok && r == 0 && sim.Image() == other;
            }
            RunDialog(profile, sleeper, qv::ConnectionAction::Write, form, false, write.dialog,
                      write);
            RunDialog(profile, sleeper, qv::ConnectionAction::Write, form, true, write.pumped,
                      write);
        }
        std::printf(" 2KCmd %u\n", cmd2K);
        Print("read", read, runs);
        Print("write", write, runs);
    }
#ifdef QV_BENCH_WAIT_DIALOG
    benchFrame->Destroy();
    wxEntryCleanup();
#endif
    return 0;
}
