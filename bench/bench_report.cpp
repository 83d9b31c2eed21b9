// The printed report at its worst: every text field at its full length in
// double-byte characters (32-byte names, recipient lists of all sixteen
// users, 64-bit operands and values at their widest), as the report-fit tests
// print it. Its snapshot, pagination and every page painted into a memory
// bitmap at 150 dpi. Goal: at most 0.2 s for the whole report.
//
//   tests/gui/on_display.sh none bare build/bin/bench_report [runs]   default 7
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include "document/CodePageText.h"
#include "document/SettingsImage.h"
#include "document/StringTable.h"
#include "resources/ResourceModule.h"
#include "tests/core/ReportFullImage.h"
#include "view/ReportPainter.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kGoalMs = 200.0;
constexpr int kDpi = 150;

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    wxApp::SetInstance(new wxApp);
    wxInitializer init(argc, argv);
    if (!init.IsOk()) {
        std::fprintf(stderr, "bench_report: no display (run it under on_display.sh)\n");
        return 1;
    }
    std::string error;
    auto strings = qv::ResourceModule::Load(
        std::string(QV_MODULE_DIR) + "/" + qv::ResourceModuleFileName("QvResJpn"), &error);
    if (!strings) {
        std::fprintf(stderr, "bench_report: %s\n", error.c_str());
        return 1;
    }
    qv::SetActiveStringTable(strings.get());

    auto image = std::make_unique<qv::ImageBlocks>();
    using namespace qv::test::fullreport;
    FillFullReport(*image, qv::kCodePageJapanese, false, Fields::Full, Variant::A);
    const double k = kDpi / 1440.0;
    wxBitmap bitmap(static_cast<int>(qv::report::kPaperWidth * k),
                    static_cast<int>(qv::report::kPaperHeight * k), 24);
    wxMemoryDC dc(bitmap);

    std::vector<double> times;
    int pages = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const qv::report::Report report(*image, qv::kCodePageJapanese, L"Largest.qv");
        // Measured anew for each report, as each print job measures.
        qv::ReportTextFits fits;
        pages = report.TotalPages();
        for (int p = 1; p <= pages; ++p) {
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            qv::PaintReportPage(dc, report, p, kDpi, &fits);
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("report of %d pages, every text at its full length, built and painted at %d dpi: "
                "median %.1f ms over %d runs (goal at most %.0f ms: %s)\n",
                pages, kDpi, median, runs, kGoalMs, median <= kGoalMs ? "met" : "NOT met");
    qv::SetActiveStringTable(nullptr);
    return median <= kGoalMs ? 0 : 1;
}
