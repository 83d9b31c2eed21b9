// The device list page in the running program: its rows from the settings
// tree, the edit commands from the ribbon and the keyboard, and a save that
// keeps the rearranged devices byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "document/QuorvelDoc.h"
#include "editors/devices/DeviceEditDlg.h"
#include "editors/devices/DeviceListModel.h"
#include "editors/devices/DeviceListPage.h"
#include "editors/devices/DeviceTableModel.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

using Devices = std::map<std::pair<int, int>, std::string>; // (file, number) -> name

DeviceRecord Device(int file, int number, const std::string& name) {
    DeviceRecord r = EmptyDeviceRecord();
    r.SetAscii(dev::kName, 32, name.c_str());
    r.SetU16(dev::kNumber, static_cast<uint16_t>(number));
    r.SetU8(dev::kFile, static_cast<uint8_t>(file));
    r.SetU8(dev::kPort, 1);
    r.SetU8(dev::kStation, 1);
    r.SetU8(dev::kArea, 15);
    r.SetU32(dev::kAddress, static_cast<uint32_t>(number));
    return r;
}

Devices Read(const DeviceTable& t) {
    Devices m;
    for (size_t i = 0; i < dev::kUsedCount; ++i)
        if (!IsFreeDevice(t[i]))
            m[{t[i].U8(dev::kFile), t[i].U16(dev::kNumber)}] =
                std::string(reinterpret_cast<const char*>(t[i].data()),
                            strnlen(reinterpret_cast<const char*>(t[i].data()), 32));
    return m;
}

void Key(wxWindow* w, int code, bool ctrl = false) {
    wxKeyEvent e(wxEVT_KEY_DOWN);
    e.m_keyCode = code;
    e.SetControlDown(ctrl);
    e.SetEventObject(w);
    w->GetEventHandler()->ProcessEvent(e);
}

class DeviceListPageTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
    CMainFrame& Frame() { return *app.MainFrame(); }
    void SetUp() override {
        test::StartedProgramTest::SetUp();
        DeviceTable& t = Doc().Blocks().devices;
        tail = t;
        size_t i = 0;
        for (const auto& [key, name] : start)
            t[i++] = Device(key.first, key.second, name);
        Doc().Blocks().files[1].SetU8(file::kWide64, 1); // file 2: 64-bit mode
        // Records 300.. hold bytes no editor writes; they must come back as they are.
        for (size_t k = dev::kUsedCount; k < DeviceTable::kCount; ++k)
            t[k].SetU8(0x3c, static_cast<uint8_t>(k));
        tail = t;
    }
    void TearDown() override {
        Doc().TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    CDeviceSetPage& ShowFile(int file) {
        CQVTreeCtrl& tree = *Frame().TreePane().Tree();
        tree.SelectItem(tree.FindItemByMode(31 + file));
        test::RunPendingEvents();
        auto* page = dynamic_cast<CDeviceSetPage*>(Frame().View().ShownPage());
        EXPECT_NE(page, nullptr);
        EXPECT_EQ(Doc().currentItem, static_cast<uint32_t>(file));
        return *page;
    }
    static void CheckNumbers(CDeviceSetPage& page, std::initializer_list<int> numbers) {
        page.UncheckAllRows();
        for (int n : numbers)
            page.List->CheckItem(n - 1, true);
    }
    void Run(int command) {
        ASSERT_TRUE(Frame().StateOf(command).enabled) << command;
        Frame().RunCommand(command);
        test::RunPendingEvents();
    }

    const Devices start{{{1, 1}, "A"}, {{1, 2}, "B"}, {{1, 3}, "C"}, {{1, 5}, "E"}, {{2, 1}, "W"}};
    DeviceTable tail;
};

TEST_F(DeviceListPageTest, RowsFollowTheFileWithTheirTextsAndColours) {
    CDeviceSetPage& page = ShowFile(1);
    CQVListCtrl& list = *page.List;
    ASSERT_EQ(list.GetItemCount(), 300);
    EXPECT_EQ(list.GetItemText(0, 2), "1");
    EXPECT_EQ(list.GetItemText(0, 3), "A");
    EXPECT_EQ(list.GetItemText(4, 1), "3") << "record index of device 5";
    EXPECT_NE(list.GetItemText(4, 4).Find("DT5"), wxNOT_FOUND);
    EXPECT_EQ(list.GetItemText(3, 1), "-1");
    EXPECT_EQ(list.GetItemText(3, 3), "");
    EXPECT_EQ(list.GetColumnWidth(1), 0) << "the index column stays hidden";

    // A file in 64-bit mode has 150 numbers; the next file has 300 again.
    EXPECT_EQ(ShowFile(2).List->GetItemCount(), 150);
    EXPECT_EQ(list.GetItemText(0, 3), "W");
    EXPECT_EQ(ShowFile(1).List->GetItemCount(), 300);
    EXPECT_EQ(list.GetItemText(0, 3), "A");
    EXPECT_EQ(list.GetItemText(299, 2), "300");

    CheckNumbers(page, {2});
    EXPECT_EQ(list.GetItemBackgroundColour(1), wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    Run(cmd::kEditCut);
    EXPECT_EQ(list.GetItemTextColour(1), wxColour(0x80, 0x80, 0x80)) << "a cut row is grey";
    EXPECT_FALSE(list.IsItemChecked(1));
    // Another page shown: the cut is over, the row is plain again.
    Frame().View().SelectPage(kPageUnitName);
    EXPECT_FALSE(page.CutPending());
    EXPECT_FALSE(Frame().StateOf(cmd::kEditCopy).enabled) << "no device list, nothing to copy";
}

TEST_F(DeviceListPageTest, RibbonCommandsRearrangeAndASaveKeepsThem) {
    CDeviceSetPage& page = ShowFile(1);
    EXPECT_TRUE(Frame().StateOf(cmd::kEditCopy).enabled);
    EXPECT_FALSE(Frame().StateOf(cmd::kEditPaste).enabled) << "nothing copied yet";

    // Cut 1 and 2, paste at 10: the devices move.
    CheckNumbers(page, {1, 2});
    Run(cmd::kEditCut);
    CheckNumbers(page, {10});
    Run(cmd::kEditPaste);
    EXPECT_EQ(
        Read(Doc().Blocks().devices),
        (Devices{{{1, 3}, "C"}, {{1, 5}, "E"}, {{1, 10}, "A"}, {{1, 11}, "B"}, {{2, 1}, "W"}}));
    EXPECT_FALSE(page.CutPending());

    // A paste at two checked rows is refused and changes nothing.
    {
        const DeviceTable before = Doc().Blocks().devices;
        test::DialogScript script;
        script.ThenEnd(wxID_OK);
        CheckNumbers(page, {3, 4});
        Run(cmd::kEditPaste);
        EXPECT_EQ(script.Pending(), 0u) << "the refusal was shown";
        EXPECT_EQ(Doc().Blocks().devices, before);
    }

    // Copy 5 to file 2's number 2.
    CheckNumbers(page, {5});
    Run(cmd::kEditCopy);
    CDeviceSetPage& wide = ShowFile(2);
    CheckNumbers(wide, {2});
    Run(cmd::kEditPaste);
    EXPECT_EQ(wide.List->GetItemText(1, 3), "E");

    // Delete number 1 of file 1 with renumbering: the devices below move up.
    ShowFile(1);
    CheckNumbers(page, {1});
    {
        test::DialogScript script;
        script.ThenEnd(wxID_YES);
        wxCommandEvent click(wxEVT_BUTTON, CDeviceSetPage::kIdDelete);
        click.SetEventObject(page.DeleteButton);
        page.DeleteButton->GetEventHandler()->ProcessEvent(click);
        EXPECT_EQ(script.Pending(), 0u) << "the renumber question";
    }
    const Devices expected{{{1, 2}, "C"},  {{1, 4}, "E"}, {{1, 9}, "A"},
                           {{1, 10}, "B"}, {{2, 1}, "W"}, {{2, 2}, "E"}};
    EXPECT_EQ(Read(Doc().Blocks().devices), expected);
    EXPECT_EQ(page.List->GetItemText(8, 3), "A");

    Run(cmd::kFileSave);
    EXPECT_TRUE(Doc().IsUnmodified());
    CQuorvelDoc reopened(932);
    ASSERT_EQ(reopened.LoadSettingsFile(Doc().PathName()), 0);
    EXPECT_EQ(reopened.Blocks().devices, Doc().Blocks().devices);
    EXPECT_EQ(Read(reopened.Blocks().devices), expected);
    for (size_t k = dev::kUsedCount; k < DeviceTable::kCount; ++k)
        ASSERT_EQ(reopened.Blocks().devices[k], tail[k]) << "record " << k;
}

TEST_F(DeviceListPageTest, KeyboardWalk) {
    CDeviceSetPage& page = ShowFile(1);
    wxWindow* list = page.List;
    page.UncheckAllRows();
    Key(list, WXK_DOWN);
    Key(list, WXK_DOWN);
    test::RunPendingEvents();
    EXPECT_EQ(page.CheckedNumbers(), std::vector<int>{2});
    Key(list, 'X', true); // cut device 2
    EXPECT_TRUE(page.CutPending());
    Key(list, WXK_ESCAPE);
    EXPECT_FALSE(page.CutPending()) << "Escape drops the cut";
    EXPECT_EQ(page.CopiedCount(), 1u) << "the copy stays";
    page.List->CheckItem(6, true);
    Key(list, 'V', true);
    EXPECT_EQ(Read(Doc().Blocks().devices).at({1, 7}), "B");
    EXPECT_EQ(Read(Doc().Blocks().devices).at({1, 2}), "B") << "an Escaped cut only copies";

    // Enter opens the editor on the row reached.
    {
        test::DialogScript script;
        int editedNumber = 0;
        script.Then([&](wxDialog* d) {
            if (auto* editor = dynamic_cast<CDevSetDlg*>(d))
                editedNumber = editor->DeviceNumber;
            return wxID_CANCEL;
        });
        page.List->SetAnchor(4);
        Key(list, WXK_RETURN);
        EXPECT_EQ(editedNumber, 5);
        EXPECT_EQ(page.CurrentDevice(), 5);
    }
    Key(list, 'A', true);
    EXPECT_EQ(page.CheckedNumbers().size(), 300u);
    {
        test::DialogScript script;
        script.ThenEnd(wxID_NO);
        Key(list, WXK_DELETE);
        EXPECT_EQ(script.Pending(), 0u);
    }
    EXPECT_EQ(Read(Doc().Blocks().devices), (Devices{{{2, 1}, "W"}}));
}

// The same keys pressed on the keyboard reach the list in the main window.
TEST_F(DeviceListPageTest, RealKeysReachTheList) {
    CDeviceSetPage& page = ShowFile(1);
    page.UncheckAllRows();
    ASSERT_TRUE(test::FocusControl(page.List));
    wxUIActionSimulator sim;
    sim.Char(WXK_DOWN);
    EXPECT_TRUE(test::PumpUntil([&] { return page.CheckedNumbers() == std::vector<int>{1}; }));
    sim.Char('a', wxMOD_CONTROL);
    EXPECT_TRUE(test::PumpUntil([&] { return page.CheckedNumbers().size() == 300; }));
    sim.Char('c', wxMOD_CONTROL);
    EXPECT_TRUE(test::PumpUntil([&] { return page.CopiedCount() == 300; }));
    page.UncheckAllRows();
    page.List->SetAnchor(-1);
    sim.Char(WXK_DOWN);
    sim.Char(WXK_DOWN);
    EXPECT_TRUE(test::PumpUntil([&] { return page.CheckedNumbers() == std::vector<int>{2}; }));
    int editedNumber = 0;
    {
        test::DialogScript script;
        script.Then([&](wxDialog* d) {
            if (auto* editor = dynamic_cast<CDevSetDlg*>(d))
                editedNumber = editor->DeviceNumber;
            return wxID_CANCEL;
        });
        sim.Char(WXK_RETURN);
        EXPECT_TRUE(test::PumpUntil([&] { return editedNumber != 0; }));
    }
    EXPECT_EQ(editedNumber, 2);
}

// By mouse: a click checks a row, Ctrl+click adds one, a click on a cut row
// does nothing, and a double click opens the editor on its row.
TEST_F(DeviceListPageTest, MouseWalk) {
    CDeviceSetPage& page = ShowFile(1);
    CQVListCtrl& list = *page.List;
    ASSERT_TRUE(test::FocusControl(&list));
    auto cell = [&](int row) {
        wxRect r;
        EXPECT_TRUE(list.GetSubItemRect(row, 3, r));
        return list.ClientToScreen(wxPoint(r.x + r.width / 2, r.y + r.height / 2));
    };
    wxUIActionSimulator sim;
    sim.MouseMove(cell(0));
    sim.MouseClick();
    EXPECT_TRUE(test::PumpUntil([&] { return page.CheckedNumbers() == std::vector<int>{1}; }));
    sim.MouseMove(cell(2));
    sim.KeyDown(WXK_CONTROL);
    sim.MouseClick();
    sim.KeyUp(WXK_CONTROL);
    EXPECT_TRUE(test::PumpUntil([&] { return page.CheckedNumbers() == (std::vector<int>{1, 3}); }));
    Run(cmd::kEditCut);
    sim.MouseMove(cell(0));
    sim.MouseClick();
    test::AwaitInputHandled();
    EXPECT_TRUE(page.CheckedNumbers().empty()) << "a cut row takes no click";

    int editedNumber = 0;
    test::DialogScript script;
    script.Then([&](wxDialog* d) {
        if (auto* editor = dynamic_cast<CDevSetDlg*>(d))
            editedNumber = editor->DeviceNumber;
        return wxID_CANCEL;
    });
    sim.MouseMove(cell(4));
    sim.MouseDblClick();
    EXPECT_TRUE(test::PumpUntil([&] { return editedNumber != 0; }));
    EXPECT_EQ(editedNumber, 5);
}

// Delete asks whether the devices below close up (Yes) or keep their
// numbers (No); both delete, so Escape, Enter and the close box answer
// Cancel and nothing happens, in every language.
class DeviceListDeleteTest : public DeviceListPageTest,
                             public ::testing::WithParamInterface<int> {};

TEST_P(DeviceListDeleteTest, EscapeEnterAndTheCloseBoxDeleteNothing) {
    test::ScopedGuiLanguage scoped(GetParam());
    DeviceTable& t = Doc().Blocks().devices;
    const Devices devices{{{1, 1}, "A"},  {{1, 20}, "T"}, {{1, 21}, "U"}, {{1, 22}, "V"},
                          {{1, 23}, "W"}, {{1, 24}, "X"}, {{2, 1}, "Z"}};
    size_t i = 0;
    for (const auto& [key, name] : devices)
        t[i++] = Device(key.first, key.second, name);
    for (; i < dev::kUsedCount; ++i)
        t[i] = EmptyDeviceRecord();
    Doc().TakeSnapshot(kSnapshotSaved);
    CDeviceSetPage& page = ShowFile(1);
    CQVListCtrl& list = *page.List;

    // Rows 20 to 22 checked by mouse: a click, then Shift and a click.
    page.UncheckAllRows();
    ASSERT_TRUE(test::FocusControl(&list));
    // Scrolled down to them, as the user does.
    ASSERT_TRUE(test::PumpUntil([&] {
        list.EnsureVisible(24);
        wxRect last;
        return list.GetItemRect(24, last) && last.y > 0 &&
               last.GetBottom() < list.GetClientSize().y;
    }));
    auto cell = [&](int row) {
        wxRect r;
        EXPECT_TRUE(list.GetSubItemRect(row, 3, r));
        return list.ClientToScreen(wxPoint(r.x + r.width / 2, r.y + r.height / 2));
    };
    wxUIActionSimulator sim;
    sim.MouseMove(cell(19));
    sim.MouseClick();
    EXPECT_TRUE(test::PumpUntil([&] { return page.CheckedNumbers() == std::vector<int>{20}; }));
    sim.MouseMove(cell(21));
    sim.KeyDown(WXK_SHIFT);
    sim.MouseClick();
    sim.KeyUp(WXK_SHIFT);
    const std::vector<int> checked{20, 21, 22};
    ASSERT_TRUE(test::PumpUntil([&] { return page.CheckedNumbers() == checked; }));

    // Delete by the button, by the Delete key on the list, and by the button again.
    const wxPoint button = page.DeleteButton->GetScreenRect().GetPosition() +
                           page.DeleteButton->GetSize() / 2;
    const std::function<void(test::DialogScript&)> answers[] = {
        [](test::DialogScript& s) { s.ThenPress(WXK_ESCAPE); },
        [](test::DialogScript& s) { s.ThenPress(WXK_RETURN); },
        [](test::DialogScript& s) { s.ThenCloseBox(); },
    };
    for (size_t way = 0; way < std::size(answers); ++way) {
        SCOPED_TRACE(way);
        test::DialogScript script;
        answers[way](script);
        if (way == 1) {
            ASSERT_TRUE(test::FocusControl(&list));
            sim.Char(WXK_DELETE);
        } else {
            sim.MouseMove(button);
            sim.MouseClick();
        }
        ASSERT_TRUE(test::PumpUntil([&] { return script.Pending() == 0; }));
        test::AwaitInputHandled();
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgDeleteRenumber));
        EXPECT_EQ(Read(Doc().Blocks().devices), devices) << "nothing deleted";
        EXPECT_TRUE(Doc().IsUnmodified());
        EXPECT_EQ(page.CheckedNumbers(), checked) << "the rows stay checked";
        if (way < 2) {
            EXPECT_EQ(script.focused, std::vector<int>{wxID_CANCEL}) << "Cancel is the default";
        }
    }

    // No deletes them; the devices below keep their numbers.
    test::DialogScript script;
    script.ThenClick(wxID_NO);
    sim.MouseMove(button);
    sim.MouseClick();
    ASSERT_TRUE(test::PumpUntil([&] { return script.Pending() == 0; }));
    test::AwaitInputHandled();
    EXPECT_EQ(Read(Doc().Blocks().devices),
              (Devices{{{1, 1}, "A"}, {{1, 23}, "W"}, {{1, 24}, "X"}, {{2, 1}, "Z"}}));
    EXPECT_TRUE(page.CheckedNumbers().empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, DeviceListDeleteTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

class DeviceListLanguageTest : public DeviceListPageTest,
                               public ::testing::WithParamInterface<int> {};

TEST_P(DeviceListLanguageTest, LabelsFitAndTheDeleteButtonIsInTheLanguage) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    // Devices as a user sets them up: registers and contacts of stations on
    // both ports and of the unit itself.
    DeviceTable& devices = Doc().Blocks().devices;
    devices[0] = Device(1, 1, "Flow");
    devices[0].SetU8(dev::kStation, 12);
    devices[0].SetU32(dev::kAddress, 12345);
    devices[0].SetU8(dev::kIsRegister, 1);
    devices[0].SetU8(dev::kDataType, kTypeU32);
    devices[1] = Device(1, 2, "Pump");
    devices[1].SetU8(dev::kPort, 2);
    devices[1].SetU8(dev::kStation, 31);
    devices[1].SetU8(dev::kIsRegister, 0);
    devices[1].SetU32(dev::kAddress, 16 * 100 + 5);
    devices[2] = Device(1, 3, "Counter");
    devices[2].SetU8(dev::kPort, 0);
    devices[2].SetU8(dev::kStation, 0);
    devices[2].SetU8(dev::kIsRegister, 1);
    devices[2].SetU32(dev::kAddress, 9000);
    Doc().TakeSnapshot(kSnapshotSaved);
    Doc().currentItem = 1;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "devices");
    auto* page = new CDeviceSetPage(frame, Doc(), Frame().View());
    page->Reload(1);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(page, 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->SetSize(800, 500);
    frame->Show();
    EXPECT_TRUE(test::AwaitShown(frame));
    const std::string where = "device list, language " + std::to_string(language);
    test::ExpectLabelsFit(frame, where);
    test::ExpectButtonsInLanguage(frame, language, where);
    test::ExpectColumnsShowTheirTexts(page->List, where);
    frame->Destroy();
    test::RunPendingEvents();
}

INSTANTIATE_TEST_SUITE_P(Languages, DeviceListLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

} // namespace
} // namespace qv
