// The device editor's contact, power-meter and series pages in real windows:
// labels in every language, devices stored through the editor and found in
// the document, and a Tab walk through the pages.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/uiaction.h>

#include "editors/devices/PlcContactModel.h"
#include "editors/devices/PlcContactPage.h"
#include "editors/devices/PowerMeterPage.h"
#include "editors/devices/SeriesPage.h"
#include "tests/gui/DeviceEditorFixture.h"

namespace qv {
namespace {

using test::Choose;
using test::Click;
using test::FakeListPage;
using test::NameOf;

constexpr int kTypeEntryPowerMeter = 1;
constexpr int kTypeEntrySeriesA = 2;
constexpr int kTypeEntrySeriesB = 3;

class DeviceTypePagesTest : public test::DeviceEditorFixture {
protected:
    CDevSet_PLCContact* ContactPage(CDevSetDlg& editor) {
        Choose(editor.TypeBox, 0);
        Choose(editor.KindBox, 0);
        return dynamic_cast<CDevSet_PLCContact*>(editor.Page);
    }
    const DeviceRecord* Stored(int number) {
        const int at = CQuorvelDoc::FindDeviceRecord(Doc().Blocks().devices, 1, number, 0);
        return at < 0 ? nullptr : &Doc().Blocks().devices[static_cast<size_t>(at)];
    }
};

class DeviceTypePagesLanguageTest : public DeviceTypePagesTest,
                                    public ::testing::WithParamInterface<int> {};

TEST_P(DeviceTypePagesLanguageTest, EveryPageFitsItsLabels) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    FakeListPage page(Doc().Blocks().devices);
    auto editor = Open(page, 0);
    const std::string lang = ", language " + std::to_string(language);
    // Port 2 addresses by function code, so the contact page shows its code label.
    ASSERT_NE(ContactPage(*editor), nullptr);
    ASSERT_TRUE(test::AwaitShown(editor.get()));
    test::ExpectLabelsFit(editor.get(), "contact page" + lang);
    for (int entry : {kTypeEntryPowerMeter, kTypeEntrySeriesA, kTypeEntrySeriesB}) {
        Choose(editor->TypeBox, entry);
        ASSERT_NE(editor->Page, nullptr) << entry;
        ASSERT_TRUE(test::AwaitShown(editor.get()));
        test::ExpectLabelsFit(editor.get(), "type entry " + std::to_string(entry) + lang);
    }
    test::ExpectButtonsInLanguage(editor.get(), language, "device editor" + lang);
}

INSTANTIATE_TEST_SUITE_P(Languages, DeviceTypePagesLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

TEST_F(DeviceTypePagesTest, PowerMeterAndContactDevicesAreStoredInTheDocument) {
    FakeListPage page(Doc().Blocks().devices);
    auto editor = Open(page, 0);
    editor->NameEdit->SetValue("Meter");
    Choose(editor->TypeBox, kTypeEntryPowerMeter);
    auto* meter = dynamic_cast<CDevSet_Pelm*>(editor->Page);
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(meter->KindBox->GetSelection(), 0);
    Choose(meter->KindBox, 1);
    Click(editor.get(), wxID_OK);
    const DeviceRecord* stored = Stored(1);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(NameOf(*stored), "Meter");
    EXPECT_EQ(stored->U8(dev::kDeviceType), kDevicePowerMeter);
    EXPECT_EQ(stored->U8(dev::kMeterKind), 1);
    // Opened again, the page shows what was stored.
    editor->MoveTo(1);
    meter = dynamic_cast<CDevSet_Pelm*>(editor->Page);
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(meter->KindBox->GetSelection(), 1);

    // A contact on port 1, which uses the area protocol.
    editor->MoveTo(2);
    editor->NameEdit->SetValue("Door");
    Choose(editor->PortBox, 1);
    CDevSet_PLCContact* contact = ContactPage(*editor);
    ASSERT_NE(contact, nullptr);
    EXPECT_FALSE(contact->CodeLabel->IsShown());
    EXPECT_EQ(contact->AreaBox->GetStringSelection(), "X");
    EXPECT_EQ(contact->AddressEdit->GetValue(), "0");
    EXPECT_FALSE(contact->OptionBox->IsEnabled());
    EXPECT_FALSE(contact->TypeBox->IsEnabled());
    Choose(contact->AreaBox, 2);
    Choose(contact->ModeBox, kContactModeWithOption);
    EXPECT_TRUE(contact->OptionBox->IsEnabled());
    Choose(contact->OptionBox, 1);
    contact->UnitEdit->SetValue("s");

    // A bit digit past F is refused with the focus on the area.
    contact->AddressEdit->SetValue("1G");
    const DeviceTable before = Doc().Blocks().devices;
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    Click(editor.get(), wxID_OK);
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(Doc().Blocks().devices, before);
    EXPECT_TRUE(test::PumpUntil([&] { return wxWindow::FindFocus() == contact->AreaBox; }));

    contact->AddressEdit->SetValue("1F");
    Click(editor.get(), wxID_OK);
    EXPECT_EQ(script.messages.size(), 1u);
    stored = Stored(2);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(NameOf(*stored), "Door");
    EXPECT_EQ(stored->U8(dev::kPort), 1);
    EXPECT_EQ(stored->U8(dev::kDeviceType), kDevicePlc);
    EXPECT_EQ(stored->U8(dev::kIsRegister), 0);
    EXPECT_EQ(stored->U8(dev::kArea), 2); // R
    EXPECT_EQ(stored->U32(dev::kAddress), 31u);
    EXPECT_EQ(stored->U8(dev::kMode), kContactModeWithOption);
    EXPECT_EQ(stored->U8(dev::kContactOption), 1);
    EXPECT_EQ(stored->U8(dev::kDataType), kContactDataType);
    EXPECT_EQ(*page.table, Doc().Blocks().devices);
    ASSERT_NE(Stored(1), nullptr) << "the power meter is still there";
    EXPECT_EQ(Stored(1)->U8(dev::kMeterKind), 1);
}

// A real Tab from the area box walks the contact page's enabled fields in
// their order and goes on to the editor's buttons; the power-meter page's box
// is reached from the station button.
TEST_F(DeviceTypePagesTest, TabWalksThePagesInOrder) {
    FakeListPage page(Doc().Blocks().devices);
    auto editor = Open(page, 0);
    ASSERT_TRUE(test::ActivateWindow(editor.get()));
    wxUIActionSimulator keys;
    auto walk = [&](wxWindow* start, size_t steps) {
        std::vector<wxWindow*> seen{start};
        if (!test::FocusControl(start))
            return seen;
        for (size_t i = 0; i < steps; ++i) {
            wxWindow* from = seen.back();
            keys.Char(WXK_TAB);
            wxWindow* now = nullptr;
            test::PumpUntil(
                [&] {
                    now = test::FocusedControl(editor.get());
                    return now && now != from;
                },
                1000);
            seen.push_back(now);
        }
        return seen;
    };

    // The platform puts OK or Cancel first among the dialog's buttons.
    auto isMainButton = [&](wxWindow* w) {
        return w && (w == editor->FindWindow(wxID_OK) || w == editor->FindWindow(wxID_CANCEL));
    };
    CDevSet_PLCContact* contact = ContactPage(*editor);
    ASSERT_NE(contact, nullptr);
    std::vector<wxWindow*> seen = walk(contact->AreaBox, 4);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_TRUE(isMainButton(seen.back()));
    seen.pop_back();
    EXPECT_EQ(seen, (std::vector<wxWindow*>{contact->AreaBox, contact->AddressEdit,
                                            contact->ModeBox, contact->UnitEdit}))
        << "the time unit is skipped while disabled";
    Choose(contact->ModeBox, kContactModeWithOption);
    EXPECT_EQ(walk(contact->ModeBox, 2),
              (std::vector<wxWindow*>{contact->ModeBox, contact->OptionBox, contact->UnitEdit}));

    Choose(editor->TypeBox, kTypeEntryPowerMeter);
    auto* meter = dynamic_cast<CDevSet_Pelm*>(editor->Page);
    ASSERT_NE(meter, nullptr);
    seen = walk(editor->StationButton, 2);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1], meter->KindBox);
    EXPECT_TRUE(isMainButton(seen[2]));
}

} // namespace
} // namespace qv
