// The device editor in a real window on the started program's document,
// with a small stand-in for the device list page that opens it, and the
// control helpers its tests share.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <wx/checkbox.h>
#include <wx/choice.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "editors/devices/DeviceEditDlg.h"
#include "editors/devices/DeviceEditorOwner.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"

namespace qv::test {

// The device list page as far as the editor sees it.
class FakeListPage : public DeviceEditorOwner {
public:
    explicit FakeListPage(const DeviceTable& t) : table(std::make_unique<DeviceTable>(t)) {}
    const DeviceTable& DeviceTableCopy() const override { return *table; }
    void SetDeviceTableCopy(const DeviceTable& t) override { *table = t; }
    void RefreshList() override { ++refreshes; }
    void MarkCurrentDevice(int previous, int number) override {
        marks.emplace_back(previous, number);
    }

    std::unique_ptr<DeviceTable> table;
    int refreshes = 0;
    std::vector<std::pair<int, int>> marks;
};

inline void Click(wxWindow* dialog, int id) {
    wxWindow* button = dialog->FindWindow(id);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

inline void Choose(wxChoice* box, int entry) {
    box->SetSelection(entry);
    wxCommandEvent e(wxEVT_CHOICE, box->GetId());
    e.SetEventObject(box);
    e.SetInt(entry);
    box->GetEventHandler()->ProcessEvent(e);
}

inline void Check(wxCheckBox* box, bool on) {
    box->SetValue(on);
    wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
    e.SetEventObject(box);
    e.SetInt(on);
    box->GetEventHandler()->ProcessEvent(e);
}

inline std::string NameOf(const DeviceRecord& r) {
    return std::string(reinterpret_cast<const char*>(r.data()),
                       strnlen(reinterpret_cast<const char*>(r.data()), 32));
}

inline DeviceRecord Device(int file, int number, const char* name) {
    DeviceRecord r;
    r.SetAscii(dev::kName, 32, name);
    r.SetU16(dev::kNumber, static_cast<uint16_t>(number));
    r.SetU8(dev::kFile, static_cast<uint8_t>(file));
    r.SetU8(dev::kPort, 1);
    r.SetU8(dev::kIsRegister, 1);
    r.SetU8(dev::kArea, 15);
    return r;
}

class DeviceEditorFixture : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
    void SetUp() override {
        test::StartedProgramTest::SetUp();
        // Port 1 with the area protocol, port 2 with function codes.
        UnitBlock& unit = Doc().Blocks().unit;
        unit.SetU8(unit::PortRecordOffset(0) + portrec::kProtocol, 0);
        unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
        Doc().currentItem = 1;
        Doc().stationFlags = StationList{};
        Doc().stationFlags[0] = 1;
    }
    void TearDown() override {
        Doc().TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    std::unique_ptr<CDevSetDlg> Open(FakeListPage& page, int row) {
        auto editor = std::make_unique<CDevSetDlg>(app.MainFrame(), page, row, Doc());
        editor->Show();
        EXPECT_TRUE(test::AwaitShown(editor.get()));
        return editor;
    }
};

} // namespace qv::test
