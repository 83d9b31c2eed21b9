// The whole 131,072-byte settings image read from and written to the unit
// simulator: over TCP on loopback (goal: each within 0.2 s with the large
// frames), and over the simulator's pseudo-terminal paced at a fixed baud
// rate, against the time the characters need on the wire (both directions,
// each character as many bits as the link's line settings give it: 11 for
// the default 8 data bits, odd parity, 1 stop bit; goal: measured / wire <=
// 1.10).
//
//   bench_link [baud] [tcp-runs]      defaults 115200 and 5; baud 0 skips the serial part
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/LinkBench.h"
#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "link/UnitComm.h"
#include "tools/unitsim/UnitSimulator.h"

namespace {

using bench::Clock;
using bench::NoSleep;
using qv::kCommSection;

std::vector<uint8_t> Image(uint32_t seed) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> image(qv::kBlockImageSize);
    for (auto& b : image)
        b = static_cast<uint8_t>(gen());
    return image;
}

// Characters on the wire in both directions, CRs included.
size_t WireChars(const unitsim::UnitSimulator& sim) {
    size_t n = 0;
    for (const auto& e : sim.Transcript())
        n += e.frame.size() + 1;
    return n;
}

struct Run {
    double seconds = 0;
    bool ok = false;
    size_t chars = 0;
};

Run ReadImage(qv::ProfileStore& profile, unitsim::UnitSimulator& sim,
              const std::vector<uint8_t>& expected) {
    NoSleep sleeper;
    qv::CUnitComm link(profile, qv::kCodePageJapanese, nullptr, nullptr, sleeper);
    sim.ClearTranscript();
    std::vector<uint8_t> got;
    const auto start = Clock::now();
    const qv::LinkResult r = link.ReadBlock(qv::kBlockImageSize, got);
    Run run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.ok = r == 0 && got == expected;
    run.chars = WireChars(sim);
    if (r != 0)
        std::fprintf(stderr, "read failed: %d (%u)\n", r, link.LastError);
    return run;
}

Run WriteImage(qv::ProfileStore& profile, unitsim::UnitSimulator& sim,
               const std::vector<uint8_t>& image) {
    NoSleep sleeper;
    qv::CUnitComm link(profile, qv::kCodePageJapanese, nullptr, nullptr, sleeper);
    sim.ClearTranscript();
    const auto start = Clock::now();
    const qv::LinkResult r = link.WriteBlock(image.data());
    Run run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.ok = r == 0 && sim.Image() == image;
    run.chars = WireChars(sim);
    if (r != 0)
        std::fprintf(stderr, "write failed: %d (%u)\n", r, link.LastError);
    return run;
}

void Tcp(int runs) {
    unitsim::UnitSimulator sim;
    const uint16_t port = sim.StartTcp();
    if (!port) {
        std::fprintf(stderr, "simulator: no TCP port\n");
        std::exit(1);
    }
    qv::MemoryProfile profile;
    bench::WriteLoopbackProfile(profile, port);
    std::printf("TCP on loopback, best and worst of %d runs (goal: <= 0.200 s with 2KCmd 1)\n",
                runs);
    for (uint32_t cmd2K : {1u, 0u}) {
        profile.WriteNumber(kCommSection, "2KCmd", cmd2K);
        double readBest = 1e9, readWorst = 0, writeBest = 1e9, writeWorst = 0;
        bool ok = true;
        for (int i = 0; i < runs; ++i) {
            const auto image = Image(static_cast<uint32_t>(i + 1));
            sim.SetImage(image);
            const Run rd = ReadImage(profile, sim, image);
            const auto other = Image(static_cast<uint32_t>(i + 100));
            const Run wr = WriteImage(profile, sim, other);
            ok = ok && rd.ok && wr.ok;
            readBest = std::min(readBest, rd.seconds);
            readWorst = std::max(readWorst, rd.seconds);
            writeBest = std::min(writeBest, wr.seconds);
            writeWorst = std::max(writeWorst, wr.seconds);
        }
        std::printf("  2KCmd %u  read  %.3f s .. %.3f s   write %.3f s .. %.3f s   %s\n", cmd2K,
                    readBest, readWorst, writeBest, writeWorst, ok ? "data equal" : "DATA DIFFER");
    }
}

void Serial(int baud) {
    char tmpl[] = "/tmp/qv-bench-XXXXXX";
    if (!::mkdtemp(tmpl)) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    const std::string dir = tmpl;
    const std::string path = dir + "/unit";
    {
        qv::MemoryProfile profile;
        profile.WriteNumber(kCommSection, "CommType", qv::kCommSerial);
        profile.WriteText(kCommSection, "COM Name", std::wstring(path.begin(), path.end()));
        profile.WriteNumber(kCommSection, "COM BaudRate", static_cast<uint32_t>(baud));
        profile.WriteNumber(kCommSection, "2KCmd", 1);
        qv::CommSettings line;
        qv::LoadCommSettings(profile, qv::kCodePageJapanese, line);
        const double bits = bench::LineBitsPerChar(line);
        // The simulated unit keeps the same pace as the line the link sets up.
        unitsim::UnitSimulator sim;
        if (!sim.StartPty(path, baud, bits)) {
            std::fprintf(stderr, "simulator: no pseudo-terminal\n");
            std::exit(1);
        }
        std::printf("Pseudo-terminal paced at %d baud, %.1f bits a character, 2KCmd 1 "
                    "(goal: measured / wire <= 1.10)\n",
                    baud, bits);
        const auto image = Image(7);
        sim.SetImage(image);
        const Run rd = ReadImage(profile, sim, image);
        const double rdWire = bits * static_cast<double>(rd.chars) / baud;
        std::printf("  read   %8zu characters  wire %.3f s  measured %.3f s  ratio %.4f  %s\n",
                    rd.chars, rdWire, rd.seconds, rd.seconds / rdWire,
                    rd.ok ? "data equal" : "DATA DIFFER");
        const auto other = Image(8);
        const Run wr = WriteImage(profile, sim, other);
        const double wrWire = bits * static_cast<double>(wr.chars) / baud;
        std::printf("  write  %8zu characters  wire %.3f s  measured %.3f s  ratio %.4f  %s\n",
                    wr.chars, wrWire, wr.seconds, wr.seconds / wrWire,
                    wr.ok ? "data equal" : "DATA DIFFER");
    }
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

} // namespace

int main(int argc, char** argv) {
    const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    Tcp(runs);
    if (baud > 0)
        Serial(baud);
    return 0;
}
