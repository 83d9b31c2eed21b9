// The device editor, its register page and the station chooser in real
// windows: defaults of an empty row, moving between numbers by arrows and by
// typing, storing and inserting through a small list-page stand-in, and the
// chooser's flags.
#include <gtest/gtest.h>

#include <cstring>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "editors/devices/DeviceEditDlg.h"
#include "editors/devices/PlcRegisterPage.h"
#include "editors/devices/StationDlg.h"
#include "tests/gui/DeviceEditorFixture.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"

namespace qv {
namespace {

using test::Check;
using test::Choose;
using test::Click;
using test::Device;
using test::FakeListPage;
using test::NameOf;

class DeviceEditorTest : public test::DeviceEditorFixture {
protected:
    CDevSet_PLCReg* RegisterPage(CDevSetDlg& editor) {
        return dynamic_cast<CDevSet_PLCReg*>(editor.Page);
    }
};

class DeviceEditorLanguageTest : public DeviceEditorTest,
                                 public ::testing::WithParamInterface<int> {};

TEST_P(DeviceEditorLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    FakeListPage page(Doc().Blocks().devices);
    {
        auto editor = Open(page, 0);
        test::ExpectLabelsFit(editor.get(), "device editor" + lang);
        test::ExpectButtonsInLanguage(editor.get(), language, "device editor" + lang);
        editor->Hide();
    }
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        dialog->CallAfter([&, dialog] {
            EXPECT_TRUE(test::AwaitShown(dialog));
            test::ExpectLabelsFit(dialog, "station chooser" + lang);
            test::ExpectButtonsInLanguage(dialog, language, "station chooser" + lang);
            Click(dialog, wxID_CANCEL);
        });
        return wxID_NONE;
    });
    CStationDlg chooser(app.MainFrame(), Doc(), 2);
    chooser.ShowModal();
}

INSTANTIATE_TEST_SUITE_P(Languages, DeviceEditorLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

TEST_F(DeviceEditorTest, EmptyRowOpensWithTheDefaultsOfANewRegisterDevice) {
    FakeListPage page(Doc().Blocks().devices);
    auto editor = Open(page, 4);
    EXPECT_EQ(editor->NumberEdit->GetValue(), "5");
    EXPECT_EQ(editor->NameEdit->GetValue(), "");
    EXPECT_EQ(editor->PortBox->GetSelection(), 2);
    EXPECT_EQ(editor->TypeBox->GetSelection(), 0);
    EXPECT_TRUE(editor->KindBox->IsShown());
    EXPECT_EQ(editor->KindBox->GetSelection(), 1);
    EXPECT_EQ(editor->StationText->GetValue(), "1") << "function codes need a station";
    EXPECT_TRUE(editor->StationButton->IsEnabled());
    CDevSet_PLCReg* reg = RegisterPage(*editor);
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->AddressEdit->GetValue(), "0000");
    EXPECT_EQ(reg->CodeLabel->GetLabel(), "03");
    EXPECT_TRUE(reg->CodeLabel->IsShown());
    EXPECT_EQ(page.marks, (std::vector<std::pair<int, int>>{{0, 5}}));

    // The unit itself has no stations; a power meter has a page of its own.
    Choose(editor->PortBox, 0);
    EXPECT_FALSE(editor->StationButton->IsEnabled());
    EXPECT_EQ(editor->StationText->GetValue(), "");
    reg = RegisterPage(*editor);
    ASSERT_NE(reg, nullptr);
    EXPECT_FALSE(reg->CodeLabel->IsShown());
    EXPECT_EQ(reg->AddressEdit->GetValue(), "0");
    Choose(editor->TypeBox, 1);
    EXPECT_FALSE(editor->KindBox->IsShown());
    EXPECT_TRUE(editor->Page == nullptr || !RegisterPage(*editor));
}

TEST_F(DeviceEditorTest, NumbersMoveByArrowsAndTypingAndStayInTheFile) {
    Doc().Blocks().files[0].SetU8(file::kWide64, 1); // 150 devices at most
    Doc().Blocks().devices[0] = Device(1, 149, "Last but one");
    FakeListPage page(Doc().Blocks().devices);
    auto editor = Open(page, 147);
    wxSpinEvent up(wxEVT_SPIN, editor->NumberArrows->GetId());
    up.SetPosition(149);
    editor->NumberArrows->GetEventHandler()->ProcessEvent(up);
    EXPECT_EQ(editor->DeviceNumber, 149);
    EXPECT_EQ(editor->NameEdit->GetValue(), "Last but one");
    EXPECT_EQ(editor->PortBox->GetSelection(), 1);
    editor->MoveTo(151);
    EXPECT_EQ(editor->NumberEdit->GetValue(), "150");
    EXPECT_EQ(editor->NameEdit->GetValue(), "") << "what is not stored is dropped";

    // By keyboard alone: arrows and typed numbers with Enter.
    ASSERT_TRUE(test::FocusControl(editor->NumberEdit));
    wxUIActionSimulator sim;
    sim.Char(WXK_DOWN);
    EXPECT_TRUE(test::PumpUntil([&] { return editor->DeviceNumber == 149; }))
        << editor->DeviceNumber;
    const struct {
        const char* typed;
        const char* shown;
    } typed[] = {{"999", "150"}, {"0", "1"}, {"12", "12"}};
    for (const auto& t : typed) {
        editor->NumberEdit->SelectAll();
        sim.Text(t.typed);
        sim.Char(WXK_RETURN);
        EXPECT_TRUE(test::PumpUntil([&] { return editor->NumberEdit->GetValue() == t.shown; }))
            << t.typed << " shows " << editor->NumberEdit->GetValue();
    }
    // Letters never reach the number field.
    editor->NumberEdit->SelectAll();
    sim.Text("a1");
    EXPECT_TRUE(test::PumpUntil([&] { return editor->NumberEdit->GetValue() == "1"; }));
}

TEST_F(DeviceEditorTest, StoringARegisterDeviceLeavesDocumentPageAndEditorEqual) {
    const DeviceRecord before = Doc().Blocks().devices[0];
    FakeListPage page(Doc().Blocks().devices);
    auto editor = Open(page, 0);
    editor->NameEdit->SetValue("Flow");
    CDevSet_PLCReg* reg = RegisterPage(*editor);
    ASSERT_NE(reg, nullptr);
    reg->AddressEdit->SetValue("1A0");
    Choose(reg->TypeBox, 3);
    EXPECT_TRUE(reg->OptionBox->IsEnabled());
    Check(reg->ScalingCheck, true);
    reg->ScaleEdit->SetValue("abc");

    // A refused scale stores nothing and puts the focus on the scale.
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    Click(editor.get(), wxID_OK);
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(Doc().Blocks().devices[0], before);
    EXPECT_EQ(page.refreshes, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return wxWindow::FindFocus() == reg->ScaleEdit; }));

    reg->ScaleEdit->SetValue("2.5");
    Click(editor.get(), wxID_OK);
    const DeviceRecord& r = Doc().Blocks().devices[0];
    EXPECT_EQ(NameOf(r), "Flow");
    EXPECT_EQ(r.U8(dev::kFile), 1);
    EXPECT_EQ(r.U16(dev::kNumber), 1);
    EXPECT_EQ(r.U8(dev::kPort), 2);
    EXPECT_EQ(r.U8(dev::kStation), 1);
    EXPECT_EQ(r.U8(dev::kArea), 3);
    EXPECT_EQ(r.U32(dev::kAddress), 0x1A0u);
    EXPECT_EQ(r.U8(dev::kDataType), 3);
    EXPECT_EQ(r.U8(dev::kScaleOn), 1);
    EXPECT_EQ(page.refreshes, 1);
    EXPECT_EQ(*page.table, Doc().Blocks().devices);
    EXPECT_EQ(*editor->Table, Doc().Blocks().devices);
    EXPECT_TRUE(editor->IsShown()) << "the editor stays open";

    // Storing the same number again asks first; No leaves everything.
    editor->NameEdit->SetValue("Other");
    script.ThenEnd(wxID_NO);
    Click(editor.get(), wxID_OK);
    EXPECT_EQ(NameOf(Doc().Blocks().devices[0]), "Flow");
    EXPECT_EQ(script.messages.size(), 2u);
}

TEST_F(DeviceEditorTest, InsertMovesTheLaterNumbersUp) {
    for (int n = 1; n <= 3; ++n)
        Doc().Blocks().devices[static_cast<size_t>(n - 1)] =
            Device(1, n, ("D" + std::to_string(n)).c_str());
    Doc().SetStationFlagsFromDevice(Doc().Blocks().devices, 2, 1);
    FakeListPage page(Doc().Blocks().devices);
    auto editor = Open(page, 1);
    EXPECT_EQ(editor->NameEdit->GetValue(), "D2");
    editor->NameEdit->SetValue("New");
    Click(editor.get(), editor->InsertButton->GetId());
    const DeviceTable& d = Doc().Blocks().devices;
    const char* names[] = {"D1", "New", "D2", "D3"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(NameOf(d[static_cast<size_t>(i)]), names[i]);
        EXPECT_EQ(d[static_cast<size_t>(i)].U16(dev::kNumber), i + 1);
    }
    EXPECT_EQ(*page.table, d);
}

TEST_F(DeviceEditorTest, NameTakesNoCommaOrQuoteAndTabOrderFollowsTheFields) {
    FakeListPage page(Doc().Blocks().devices);
    auto editor = Open(page, 0);
    ASSERT_TRUE(test::FocusControl(editor->NameEdit));
    wxUIActionSimulator sim;
    sim.Text("ab,c");
    EXPECT_TRUE(test::PumpUntil([&] { return editor->NameEdit->GetValue() == "abc"; }))
        << editor->NameEdit->GetValue();
    EXPECT_EQ(editor->LastBalloon, kMsgDeviceNameCharacter);
    EXPECT_EQ(wxWindow::FindFocus(), editor->NameEdit) << "a balloon leaves the focus";

    // An empty name is refused by a balloon, not a message box.
    editor->NameEdit->SetValue("");
    editor->LastBalloon = 0;
    test::DialogScript script;
    Click(editor.get(), wxID_OK);
    EXPECT_EQ(editor->LastBalloon, kMsgDeviceNameMissing);
    EXPECT_TRUE(script.messages.empty());

    std::vector<wxWindow*> order;
    for (wxWindow* w : editor->GetChildren())
        order.push_back(w);
    auto at = [&](wxWindow* w) { return std::find(order.begin(), order.end(), w) - order.begin(); };
    const std::vector<wxWindow*> expected = {
        editor->NumberEdit,  editor->NameEdit,      editor->PortBox, editor->TypeBox,
        editor->KindBox,     editor->StationButton, editor->Page,    editor->FindWindow(wxID_OK),
        editor->InsertButton};
    for (size_t i = 1; i < expected.size(); ++i)
        EXPECT_LT(at(expected[i - 1]), at(expected[i])) << "tab order position " << i;
}

TEST_F(DeviceEditorTest, StationChooserWritesFlagsOnlyOnOk) {
    const StationList before = Doc().stationFlags;
    test::DialogScript script;
    // Cancel after changes writes nothing.
    script.Then([&](wxDialog* dialog) {
        auto* chooser = dynamic_cast<CStationDlg*>(dialog);
        dialog->CallAfter([&, chooser] {
            EXPECT_EQ(chooser->Tabs->GetPageCount(), 3u);
            EXPECT_FALSE(chooser->AllRadio->IsEnabled());
            EXPECT_TRUE(chooser->Boxes[0][1]->GetValue()) << "station 1 offered first";
            Click(chooser->RowButtons[0][2], chooser->RowButtons[0][2]->GetId());
            Click(chooser, wxID_CANCEL);
        });
        return wxID_NONE;
    });
    // OK with nothing chosen is refused; then station 150 and row 20-29.
    script.Then([&](wxDialog* dialog) {
        auto* chooser = dynamic_cast<CStationDlg*>(dialog);
        dialog->CallAfter([&, chooser] {
            Check(chooser->Boxes[0][1], false);
            Click(chooser, wxID_OK);
            EXPECT_TRUE(chooser->IsModal());
            Check(chooser->Boxes[1][50], true);
            wxButton* row = chooser->RowButtons[0][2];
            Click(row, row->GetId());
            EXPECT_TRUE(chooser->Boxes[0][25]->GetValue());
            Click(chooser, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // the refusal's message
    {
        CStationDlg chooser(app.MainFrame(), Doc(), 2);
        chooser.ShowModal();
    }
    EXPECT_EQ(Doc().stationFlags, before);
    {
        CStationDlg chooser(app.MainFrame(), Doc(), 2);
        chooser.ShowModal();
    }
    EXPECT_EQ(script.Pending(), 0u);
    StationList expected{};
    expected[150] = 1;
    for (int n = 20; n <= 29; ++n)
        expected[static_cast<size_t>(n)] = 1;
    EXPECT_EQ(Doc().stationFlags, expected);

    // Port 1 with the area protocol and all stations: the boxes are disabled.
    Doc().stationFlags = StationList{};
    Doc().stationFlags[0] = 1;
    CStationDlg all(app.MainFrame(), Doc(), 1);
    EXPECT_TRUE(all.AllRadio->GetValue());
    EXPECT_FALSE(all.Tabs->IsEnabled());
    EXPECT_EQ(all.Tabs->GetPageCount(), 1u);
}

} // namespace
} // namespace qv
