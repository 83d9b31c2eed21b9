// Opening and saving a settings file against the bare system calls that any
// implementation needs, and the document to transfer image and back.
// Prints the two ratios the goals are stated in (open <= 2x read, save <= 2x
// write+fsync+rename).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"

namespace {

std::string g_dir;

std::string Path(const char* name) { return g_dir + "/" + name; }

void BareRead(benchmark::State& state) {
    std::vector<uint8_t> buf(qv::kImageSize);
    for (auto _ : state) {
        const int fd = ::open(Path("bench.qv").c_str(), O_RDONLY);
        size_t got = 0;
        while (got < buf.size()) {
            const ssize_t n = ::read(fd, buf.data() + got, buf.size() - got);
            if (n <= 0)
                break;
            got += static_cast<size_t>(n);
        }
        ::close(fd);
        benchmark::DoNotOptimize(buf.data());
    }
}

void OpenSettingsFile(benchmark::State& state) {
    qv::CQuorvelDoc doc(qv::kCodePageJapanese);
    for (auto _ : state) {
        if (doc.LoadSettingsFile(Path("bench.qv")) != 0)
            state.SkipWithError("load failed");
    }
}

void BareWriteFsyncRename(benchmark::State& state) {
    std::vector<uint8_t> buf(qv::kImageSize, 0x5A);
    const std::string tmp = Path("bare.tmp"), target = Path("bare.qv");
    for (auto _ : state) {
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (::write(fd, buf.data(), buf.size()) != static_cast<ssize_t>(buf.size()))
            state.SkipWithError("write failed");
        ::fsync(fd);
        ::close(fd);
        ::rename(tmp.c_str(), target.c_str());
    }
}

void SaveSettingsFile(benchmark::State& state) {
    qv::CQuorvelDoc doc(qv::kCodePageJapanese);
    for (auto _ : state) {
        if (doc.SaveSettingsFile(Path("save.qv")) != 0)
            state.SkipWithError("save failed");
    }
}

void DocToImageAndBack(benchmark::State& state) {
    qv::CQuorvelDoc doc(qv::kCodePageJapanese);
    qv::TransferImage image{};
    for (auto _ : state) {
        doc.DocToImage(image);
        doc.ImageToDoc(image);
        benchmark::DoNotOptimize(image.data());
    }
}

BENCHMARK(BareRead);
BENCHMARK(OpenSettingsFile);
BENCHMARK(BareWriteFsyncRename);
BENCHMARK(SaveSettingsFile);
BENCHMARK(DocToImageAndBack);

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> ns;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            ns[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    char tmpl[] = "/tmp/qvbench.XXXXXX";
    if (!mkdtemp(tmpl))
        return 1;
    g_dir = tmpl;
    {
        qv::CQuorvelDoc doc(qv::kCodePageJapanese);
        if (doc.SaveSettingsFile(Path("bench.qv")) != 0)
            return 1;
    }
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* label, const char* a, const char* b) {
        if (reporter.ns.count(a) && reporter.ns.count(b))
            std::printf("%-34s %.2fx (goal <= 2x)\n", label, reporter.ns[a] / reporter.ns[b]);
    };
    ratio("open / bare read:", "OpenSettingsFile", "BareRead");
    ratio("save / bare write+fsync+rename:", "SaveSettingsFile", "BareWriteFsyncRename");
    std::system(("rm -rf '" + g_dir + "'").c_str());
    benchmark::Shutdown();
    return 0;
}
