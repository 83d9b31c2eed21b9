// Storing one device from the device editor and redrawing the device list
// page of its file (300 rows, every row filled), in the running program's
// main window. Goal: under 50 ms a store, redraw included.
//
//   xvfb-run -a bench_device_list [runs]      default 30
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/utils.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "editors/devices/DeviceEditorModel.h"
#include "editors/devices/DeviceListPage.h"
#include "editors/devices/DeviceTableModel.h"
#include "ui/QVListCtrl.h"
#include "view/QuorvelView.h"

wxIMPLEMENT_APP_NO_MAIN(qv::CQuorvelApp);

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kGoalMs = 50.0;

class Yes : public qv::EditorQuestions {
public:
    bool AskYesNo(unsigned) override { return true; }
    qv::YesNoCancel AskYesNoCancel(unsigned) override { return qv::YesNoCancel::Yes; }
};

void Pump() {
    for (int i = 0; i < 20 && wxTheApp->Pending(); ++i)
        wxTheApp->Dispatch();
    wxTheApp->ProcessIdle();
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::string dir = "/tmp/qvbench-devlist-" + std::to_string(getpid());
    std::system(("mkdir -p '" + dir + "'").c_str());
    setenv("QV_PROFILE", (dir + "/profile.ini").c_str(), 1);

    // Log file 1 holds 299 devices, so every row but the last shows one.
    {
        qv::CQuorvelDoc doc(932);
        qv::DeviceTable& t = doc.Blocks().devices;
        for (int n = 1; n <= 299; ++n) {
            qv::DeviceRecord r = qv::EmptyDeviceRecord();
            r.SetAscii(qv::dev::kName, 32, ("Meter " + std::to_string(n)).c_str());
            r.SetU16(qv::dev::kNumber, static_cast<uint16_t>(n));
            r.SetU8(qv::dev::kFile, 1);
            r.SetU8(qv::dev::kPort, 1);
            r.SetU8(qv::dev::kStation, static_cast<uint8_t>(n % 99 + 1));
            r.SetU8(qv::dev::kArea, 15);
            r.SetU32(qv::dev::kAddress, static_cast<uint32_t>(n * 2));
            t[static_cast<size_t>(n - 1)] = r;
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
    qv::CMainFrame& frame = *app.MainFrame();
    frame.View().SelectDevicePage(32);
    Pump();
    auto* page = dynamic_cast<qv::CDeviceSetPage*>(frame.View().ShownPage());
    if (!page) {
        std::fprintf(stderr, "no device list page\n");
        return 1;
    }
    qv::CQuorvelDoc& doc = *app.Document();

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        qv::DeviceStoreRequest request;
        request.form.name = L"Stored " + std::to_wstring(i);
        request.form.port = 1;
        request.fileNo = 1;
        request.number = 1 + i % 299;
        Yes yes;
        const auto start = Clock::now();
        qv::DeviceStoreResult result =
            qv::StoreDevices(request, page->DeviceTableCopy(), doc.Blocks().unit, 932, {}, yes);
        if (!result.Accepted()) {
            std::fprintf(stderr, "store refused\n");
            return 1;
        }
        // What the editor does after a store, then the list drawn at once.
        doc.SetDeviceTable(*result.devices);
        page->SetDeviceTableCopy(*result.devices);
        page->RefreshList();
        page->List->Refresh(); // the whole list, not only the changed row
        page->List->Update();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        Pump();
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("device store and 300-row list redraw, %d runs: median %.2f ms, worst %.2f ms "
                "(goal: under %.0f ms) %s\n",
                runs, median, times.back(), kGoalMs, median < kGoalMs ? "met" : "MISSED");

    doc.TakeSnapshot(qv::kSnapshotSaved);
    frame.Close(true);
    Pump();
    wxEntryCleanup();
    std::system(("rm -rf '" + dir + "'").c_str());
    return 0;
}
