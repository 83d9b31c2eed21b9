// Downloading a 50 MB tree of 500 files from a loopback FTP server with the
// file browser's walk, against curl fetching the same files in one process.
// Goal: within 1.5 times curl's time.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "link/FtpStorage.h"
#include "link/LinkServices.h"
#include "online/FileBrowserModel.h"
#include "tests/link/FtpServer.h"
#include "tests/link/LinkFakes.h"

namespace fs = std::filesystem;
using namespace qv;

namespace {

constexpr int kFolders = 10;
constexpr int kFilesPerFolder = 50;
constexpr size_t kFileBytes = 100 * 1024;

double Seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

} // namespace

int main() {
    const fs::path base =
        fs::temp_directory_path() / ("qv-bench-ftp-" + std::to_string(::getpid()));
    const fs::path root = base / "unit", ours = base / "ours", theirs = base / "curl";
    std::mt19937 gen(7);
    std::string bytes(kFileBytes, '\0');
    for (int f = 0; f < kFolders; ++f) {
        const fs::path folder = root / "SD" / "TREE" / ("DIR" + std::to_string(f));
        fs::create_directories(folder);
        fs::create_directories(theirs / ("DIR" + std::to_string(f)));
        for (int i = 0; i < kFilesPerFolder; ++i) {
            for (char& c : bytes)
                c = static_cast<char>(gen());
            std::ofstream(folder / ("LOG" + std::to_string(i) + ".CSV"), std::ios::binary) << bytes;
        }
    }
    fs::create_directories(ours);
    const test::FtpServer server(root.string());
    const int port = server.Port();
    if (port == 0) {
        std::fprintf(stderr, "the FTP server did not start\n");
        return 1;
    }

    // curl: every file in one process, each to its own output.
    const fs::path config = base / "curl.cfg";
    {
        std::ofstream cfg(config);
        cfg << "silent\nftp-method = nocwd\nuser = \"admin:wqe\"\n";
        for (int f = 0; f < kFolders; ++f)
            for (int i = 0; i < kFilesPerFolder; ++i) {
                const std::string rel =
                    "DIR" + std::to_string(f) + "/LOG" + std::to_string(i) + ".CSV";
                cfg << "url = \"ftp://127.0.0.1:" << port << "/SD/TREE/" << rel << "\"\n";
                cfg << "output = \"" << (theirs / rel).string() << "\"\n";
            }
    }
    auto start = std::chrono::steady_clock::now();
    const int curlStatus = std::system(("curl -K " + config.string()).c_str());
    const double curlSeconds = Seconds(start);

    FtpStorage storage;
    test::FakeSleeper waits;
    test::FakeProgress progress;
    FileBrowserModel model(storage, waits);
    start = std::chrono::steady_clock::now();
    bool ok = storage.Connect("127.0.0.1", port, "admin", "wqe") && storage.SetFolder("/SD") &&
              model.Refresh(false);
    size_t row = 0;
    while (ok && row < model.Entries().size() && model.Entries()[row].name != "TREE")
        ++row;
    const auto outcome = model.Download({row}, ours.string(), progress);
    const double ourSeconds = Seconds(start);
    ok = ok && outcome.failed.empty();

    size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(ours / "TREE"))
        files += e.is_regular_file();
    fs::remove_all(base);
    if (!ok || curlStatus != 0 || files != kFolders * kFilesPerFolder) {
        std::fprintf(stderr, "the download failed (curl status %d, %zu files)\n", curlStatus,
                     files);
        return 1;
    }
    const double ratio = ourSeconds / curlSeconds;
    std::printf("50 MB in 500 files over FTP on loopback: %.2f s; curl in one process: %.2f s\n",
                ourSeconds, curlSeconds);
    std::printf("ratio %.2f (goal: at most 1.5) %s\n", ratio, ratio <= 1.5 ? "met" : "NOT met");
    return 0;
}
