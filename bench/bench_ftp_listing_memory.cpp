// The file browser's memory while a folder's listing never ends: a loopback
// FTP server sends listing lines for as long as they are taken, and the
// browser reads the folder (as on opening it) and walks it (as a download
// does). Goal: the process stays under 100 MB at its peak.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "link/FtpStorage.h"
#include "online/FileBrowserModel.h"
#include "tests/link/FtpServer.h"
#include "tests/link/LinkFakes.h"

namespace fs = std::filesystem;
using namespace qv;

namespace {

constexpr double kGoalMb = 100;

// The process's peak resident memory so far, MB.
double PeakMb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double Seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

} // namespace

int main() {
    const fs::path base =
        fs::temp_directory_path() / ("qv-bench-listing-" + std::to_string(::getpid()));
    const fs::path root = base / "unit", local = base / "local";
    fs::create_directories(root / "SD" / "endless");
    fs::create_directories(local);
    const test::FtpServer server(root.string(), 0, {"--endless", "endless"});
    const int port = server.Port();
    if (port == 0) {
        std::fprintf(stderr, "the FTP server did not start\n");
        return 1;
    }

    FtpStorage storage;
    test::FakeSleeper waits;
    FileBrowserModel model(storage, waits);
    const double startMb = PeakMb();
    bool ok = storage.Connect("127.0.0.1", port, "admin", "wqe") && storage.SetFolder("/SD") &&
              model.Refresh(false);

    // Opening the folder, three times over: each read ends at the cap.
    auto start = std::chrono::steady_clock::now();
    int refused = 0;
    for (int round = 0; ok && round < 3; ++round) {
        ok = storage.SetFolder("/SD/endless");
        refused += ok && !model.Refresh(false) && storage.ListingTooLong();
        ok = ok && storage.SetFolder("/SD") && model.Refresh(false);
    }
    const double openSeconds = Seconds(start);
    const double afterOpenMb = PeakMb();

    // Downloading the folder: its listing ends at the cap too.
    start = std::chrono::steady_clock::now();
    test::FakeProgress progress;
    const auto outcome = model.Download({0}, local.string(), progress);
    const double walkSeconds = Seconds(start);
    const double peakMb = PeakMb();
    const bool walkTold = outcome.notes == std::vector<unsigned>{kStrListingTooLong};

    fs::remove_all(base);
    if (!ok || refused != 3 || !walkTold) {
        std::fprintf(stderr, "the endless listing was not refused (%d of 3 reads, walk %s)\n",
                     refused, walkTold ? "told" : "not told");
        return 1;
    }
    std::printf("A listing that never ends, over FTP on loopback (cut at %zu MiB):\n",
                kMaxListingBytes >> 20);
    std::printf("  before: %.1f MB; after 3 reads of the folder (%.2f s): %.1f MB; "
                "after a download of it (%.2f s): %.1f MB\n",
                startMb, openSeconds, afterOpenMb, walkSeconds, peakMb);
    std::printf("peak %.1f MB (goal: under %.0f MB) %s\n", peakMb, kGoalMb,
                peakMb < kGoalMb ? "met" : "NOT met");
    return 0;
}
