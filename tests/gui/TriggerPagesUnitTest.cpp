// The contact and register pages of the trigger editor, each in a plain
// dialog: their texts in every language, a walk through each that saves the
// record, and a refusal with its message and focus.
#include <gtest/gtest.h>

#include <memory>
#include <wx/dialog.h>
#include <wx/sizer.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/ContactTriggerPage.h"
#include "editors/triggers/RegisterTriggerPage.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"

namespace qv {
namespace {

constexpr int kEdited = 3;

class TriggerUnitPageTest : public test::StartedProgramTest {
protected:
    void SetUp() override {
        test::StartedProgramTest::SetUp();
        // Port 1 talks the area protocol, port 2 function codes.
        UnitBlock& unit = app.Document()->Blocks().unit;
        unit.SetU8(unit::PortRecordOffset(0) + portrec::kProtocol, 0);
        unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
        // A cycle trigger becomes the other kind: its first bytes start over.
        record().SetU8(trig::kKind, kTriggerCycle);
        for (size_t b = 0x22; b < 0x2A; ++b)
            record().SetU8(b, 0x77);
        host = std::make_unique<wxDialog>(app.MainFrame(), wxID_ANY, "host");
    }
    void TearDown() override {
        host.reset();
        test::RunPendingEvents();
        app.Document()->TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    TriggerRecord& record() { return app.Document()->Blocks().triggers[kEdited]; }
    template <typename Page> Page* Open() {
        const TriggerPageContext context{*app.Document(), app.Document()->Blocks().triggers,
                                         kEdited, app.Document()->CodePage()};
        auto* page = new Page(host.get(), context);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(page, 1, wxEXPAND);
        host->SetSizerAndFit(sizer);
        host->Show();
        EXPECT_TRUE(test::AwaitShown(host.get()));
        return page;
    }
    static void Choose(wxChoice* box, int index) {
        box->SetSelection(index);
        wxCommandEvent e(wxEVT_CHOICE, box->GetId());
        e.SetEventObject(box);
        e.SetInt(index);
        box->GetEventHandler()->ProcessEvent(e);
    }
    static void Click(wxWindow* control, wxEventType type) {
        wxCommandEvent e(type, control->GetId());
        e.SetEventObject(control);
        e.SetInt(1);
        control->GetEventHandler()->ProcessEvent(e);
    }
    // True when the edit lets the typed character through.
    static bool Takes(wxTextCtrl* edit, wxChar c) {
        wxKeyEvent key(wxEVT_CHAR);
        key.m_uniChar = c;
        key.m_keyCode = c;
        key.SetEventObject(edit);
        return !edit->GetEventHandler()->ProcessEvent(key);
    }
    // Saves into a copy of the record. The page shows nothing itself: the
    // editor shows the refusal once, with the focus on the field it names.
    Refusal SaveExpectingRefusal(CTrigDlgBase* page, TriggerRecord& saved, unsigned message) {
        test::DialogScript script;
        const Refusal refusal = page->SaveTrigger(saved);
        test::RunPendingEvents();
        EXPECT_TRUE(script.messages.empty()) << "the page showed a message of its own";
        EXPECT_EQ(refusal.messageId, message);
        return refusal;
    }
    std::unique_ptr<wxDialog> host;
};

class TriggerUnitPageLanguageTest : public TriggerUnitPageTest,
                                    public ::testing::WithParamInterface<int> {};

TEST_P(TriggerUnitPageLanguageTest, LabelsFit) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    // The function-code port shows the code label and the widest lists.
    record().SetU8(trig::kKind, kTriggerContact);
    record().SetU8(trig::kPort, 2);
    record().SetU8(trig::kContactCondition, 4);
    {
        auto* page = Open<CTrigContactDlg>();
        EXPECT_TRUE(page->CodeLabel->IsShown());
        EXPECT_EQ(page->CountUnit->GetLabel(), Res(4063));
        test::ExpectLabelsFit(host.get(), "contact page" + lang);
        page->Destroy();
    }
    record().SetU8(trig::kKind, kTriggerRegister);
    record().SetU8(trig::kRegCompare, 1);
    record().SetU8(trig::kRegDataType, 8);
    record().SetU8(trig::kRegOption, 0);
    auto* page = Open<CTrigRegDlg>();
    EXPECT_TRUE(page->BetweenText->IsShown());
    test::ExpectLabelsFit(host.get(), "register page" + lang);
    page->OptionCheck->SetValue(true);
    Click(page->OptionCheck, wxEVT_CHECKBOX);
    EXPECT_TRUE(page->OptionText->IsShown());
    host->Fit();
    test::ExpectLabelsFit(host.get(), "register page with option A" + lang);
}

INSTANTIATE_TEST_SUITE_P(Languages, TriggerUnitPageLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

TEST_F(TriggerUnitPageTest, ContactWalkOnAnAreaPortSavesTheRecord) {
    auto* page = Open<CTrigContactDlg>();
    // Taken over from the cycle: the unit itself, no station, no count.
    EXPECT_EQ(page->PortBox->GetSelection(), 0);
    EXPECT_FALSE(page->StationBox->IsEnabled());
    EXPECT_FALSE(page->CountEdit->IsEnabled());
    EXPECT_FALSE(page->CodeLabel->IsShown());

    Choose(page->PortBox, 1);
    EXPECT_TRUE(page->StationBox->IsEnabled());
    EXPECT_EQ(page->StationBox->GetCount(), 99u);
    Choose(page->StationBox, 4);
    Choose(page->CodeBox, 2); // "R"
    page->AddressEdit->ChangeValue("10");
    Choose(page->ConditionBox, 4);
    EXPECT_TRUE(page->CountEdit->IsEnabled());
    EXPECT_EQ(page->CountUnit->GetLabel(), Res(4063));
    EXPECT_FALSE(Takes(page->CountEdit, 'x'));
    EXPECT_TRUE(Takes(page->CountEdit, '7'));
    EXPECT_TRUE(Takes(page->AddressEdit, 'F'));
    page->CountEdit->ChangeValue("4294967295");

    TriggerRecord saved = record();
    ASSERT_FALSE(page->SaveTrigger(saved).Refused());
    TriggerRecord expected = record();
    expected.SetU8(trig::kKind, kTriggerContact);
    for (size_t b = 0x22; b < 0x2A; ++b)
        expected.SetU8(b, 0);
    expected.SetU8(trig::kPort, 1);
    expected.SetU8(trig::kStation, 5);
    expected.SetU8(trig::kArea, 2);
    expected.SetU32(trig::kAddress, 16); // word 1, bit 0
    expected.SetU8(trig::kContactCondition, 4);
    expected.SetU32(trig::kContactCount, 0xFFFFFFFFu);
    EXPECT_TRUE(saved == expected);
}

TEST_F(TriggerUnitPageTest, ContactCountWithABlankIsRefusedOnItsEdit) {
    auto* page = Open<CTrigContactDlg>();
    page->AddressEdit->ChangeValue("10");
    Choose(page->ConditionBox, 3);
    page->CountEdit->ChangeValue("5 ");
    TriggerRecord saved = record();
    const TriggerRecord before = saved;
    const Refusal r = SaveExpectingRefusal(page, saved, kMsgContactCountInvalid);
    EXPECT_EQ(r.field, kContactCount);
    EXPECT_EQ(page->FieldWindow(r.field), page->CountEdit);
    EXPECT_TRUE(saved == before);
}

TEST_F(TriggerUnitPageTest, RegisterWalkOnAFunctionCodePortSaves64BitValues) {
    auto* page = Open<CTrigRegDlg>();
    Choose(page->PortBox, 2);
    EXPECT_EQ(page->StationBox->GetCount(), 247u);
    EXPECT_TRUE(page->CodeLabel->IsShown());
    EXPECT_EQ(page->CodeLabel->GetLabel(), "03"); // holding registers by default
    EXPECT_FALSE(page->ChoiceBox->IsEnabled());
    Choose(page->StationBox, 9);
    page->AddressEdit->ChangeValue("FFFF");
    Choose(page->TypeBox, 8);
    EXPECT_TRUE(page->ChoiceBox->IsEnabled());
    Choose(page->OperatorBox, 2); // "<=": the first value at most the second
    EXPECT_TRUE(page->Value2Edit->IsEnabled());
    EXPECT_TRUE(page->BetweenText->IsShown());
    EXPECT_FALSE(Takes(page->Value1Edit, '-'));
    page->Value1Edit->ChangeValue("1");
    page->Value2Edit->ChangeValue("18446744073709551615");
    page->ExcludedRadio->SetValue(true);
    Choose(page->ChoiceBox, 1);

    TriggerRecord saved = record();
    ASSERT_FALSE(page->SaveTrigger(saved).Refused());
    TriggerRecord expected = record();
    expected.SetU8(trig::kKind, kTriggerRegister);
    for (size_t b = 0x22; b < 0x2A; ++b)
        expected.SetU8(b, 0);
    expected.SetU8(trig::kPort, 2);
    expected.SetU8(trig::kStation, 10);
    expected.SetU8(trig::kArea, 3);
    expected.SetU32(trig::kAddress, 0xFFFF);
    expected.SetU8(trig::kRegDataType, 8);
    expected.SetU8(trig::kRegCompare, 2);
    expected.SetU8(trig::kRegExcluded, 1);
    expected.SetU32(trig::kRegValue1Low, 1);
    expected.SetU32(trig::kRegValue1High, 0);
    expected.SetU32(trig::kRegValue2Low, 0xFFFFFFFFu);
    expected.SetU32(trig::kRegValue2High, 0xFFFFFFFFu);
    expected.SetU8(0x44, 1);
    EXPECT_TRUE(saved == expected);
}

TEST_F(TriggerUnitPageTest, RegisterValueWithABlankIsRefusedOnItsEdit) {
    auto* page = Open<CTrigRegDlg>();
    page->AddressEdit->ChangeValue("100");
    page->Value1Edit->ChangeValue("5 ");
    TriggerRecord saved = record();
    const TriggerRecord before = saved;
    const Refusal r = SaveExpectingRefusal(page, saved, ValueMessageOfType(0));
    EXPECT_EQ(r.field, kRegisterValue1);
    EXPECT_EQ(page->FieldWindow(r.field), page->Value1Edit);
    EXPECT_TRUE(saved == before);
}

} // namespace
} // namespace qv
