// The printed report of the largest settings image (every trigger, device,
// data set and mail sending in use, full recipient and server texts): its
// snapshot, pagination and every page painted into a memory bitmap at 150 dpi.
// Goal: under 0.5 s for the whole report.
//
//   xvfb-run -a bench_report [runs]      default 5
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "document/StringTable.h"
#include "resources/ResourceModule.h"
#include "view/ReportPainter.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kGoalMs = 500.0;
constexpr int kDpi = 150;

void Name(qv::ByteBlock<80>& r, const std::string& text) {
    r.SetAscii(0, 32, text.c_str());
}

void FillLargest(qv::ImageBlocks& im) {
    for (size_t i = 0; i < 128; ++i) {
        Name(im.triggers[i], "Trigger " + std::to_string(i + 1));
        im.triggers[i].SetU8(qv::trig::kKind, static_cast<uint8_t>(1 + i % 5));
    }
    for (size_t i = 0; i < qv::dev::kUsedCount; ++i) {
        Name(im.devices[i], "Device " + std::to_string(i + 1));
        im.devices[i].SetU8(qv::dev::kFile, static_cast<uint8_t>(1 + i % 16));
        im.devices[i].SetU8(qv::dev::kDataType, static_cast<uint8_t>(i % 9));
    }
    for (auto& r : im.dataSets.records) {
        r.SetAscii(0, 32, "Data set");
        r.SetU8(qv::dset::kTrigger, 1);
    }
    for (auto& r : im.mailSends.records)
        r.SetU8(0, 'M');
    for (auto& u : im.users.records) {
        u.SetAscii(qv::user::kName, qv::user::kNameWidth, "Recipient name");
        u.SetAscii(qv::user::kAddress, qv::user::kAddressWidth,
                   "recipient.with.long.name@example.com");
    }
    im.mail[0].SetAscii(qv::mailsrv::kSmtp, 64, "smtp.mail.example.com");
    im.mail[0].SetU8(qv::mailsrv::kAuth, 1);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    wxApp::SetInstance(new wxApp);
    wxInitializer init(argc, argv);
    if (!init.IsOk()) {
        std::fprintf(stderr, "bench_report: no display (run it under xvfb-run)\n");
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

    qv::CQuorvelDoc doc(qv::kCodePageJapanese);
    FillLargest(doc.Blocks());
    const double k = kDpi / 1440.0;
    wxBitmap bitmap(static_cast<int>(qv::report::kPaperWidth * k),
                    static_cast<int>(qv::report::kPaperHeight * k), 24);
    wxMemoryDC dc(bitmap);

    std::vector<double> times;
    int pages = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const qv::report::Report report(doc.Blocks(), qv::kCodePageJapanese, L"Largest.qv");
        pages = report.TotalPages();
        for (int p = 1; p <= pages; ++p) {
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            qv::PaintReportPage(dc, report, p, kDpi);
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("report of %d pages built and painted at %d dpi: median %.1f ms over %d runs "
                "(goal under %.0f ms: %s)\n",
                pages, kDpi, median, runs, kGoalMs, median < kGoalMs ? "met" : "NOT met");
    qv::SetActiveStringTable(nullptr);
    return median < kGoalMs ? 0 : 1;
}
