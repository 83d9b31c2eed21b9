// The cycle, date and combination pages of the trigger editor: their texts in
// every language, a walk through each page down to the stored bytes, and the
// refusals with their message and field.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/CombinationTriggerPage.h"
#include "editors/triggers/CycleTriggerModel.h"
#include "editors/triggers/CycleTriggerPage.h"
#include "editors/triggers/DateTriggerPage.h"
#include "editors/triggers/TriggerKindModel.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"

namespace qv {
namespace {

// Records by index: 1 and 2 cycles, 3 a date, 6 an excluded contact; 10 the
// edited one, a date with a name and bytes after the parameters to keep.
constexpr int kCycleA = 1, kCycleB = 2, kDate = 3, kExcluded = 6, kEdited = 10;

TriggerTable Table() {
    TriggerTable t;
    t[kCycleA].SetU8(trig::kKind, kTriggerCycle);
    t[kCycleB].SetU8(trig::kKind, kTriggerCycle);
    t[kDate].SetU8(trig::kKind, kTriggerDate);
    t[kExcluded].SetU8(trig::kKind, kTriggerContact);
    t[kExcluded].SetU8(trig::kContactCondition, 5);
    TriggerRecord& edited = t[kEdited];
    for (size_t i = 0; i < TriggerRecord::kSize; ++i)
        edited.SetU8(i, static_cast<uint8_t>(0x41 + i % 26));
    edited.SetU8(trig::kKind, kTriggerRegister);
    return t;
}

// The edited record as the editor holds it, with `params` over bytes 0x20 to
// 0x29 (kind, its spare byte, then the eight parameters).
TriggerRecord Expected(const TriggerTable& table, std::initializer_list<uint8_t> params) {
    TriggerRecord r = table[kEdited];
    size_t at = trig::kKind;
    for (uint8_t b : params)
        r.SetU8(at++, b);
    return r;
}

void Choose(wxChoice* list, int position) {
    list->SetSelection(position);
    wxCommandEvent event(wxEVT_CHOICE, list->GetId());
    event.SetInt(position);
    event.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(event);
}

using Creator = std::function<CTrigDlgBase*(wxWindow*, const TriggerPageContext&)>;

class TriggerPagesTimeTest : public test::StartedProgramTest {
protected:
    TriggerTable table = Table();
    std::unique_ptr<wxDialog> host;

    // The page in a plain dialog, as the editor hosts it.
    template <class Page> Page* Open(const Creator& create) {
        host = std::make_unique<wxDialog>(app.MainFrame(), wxID_ANY, "host");
        const TriggerPageContext context{*app.Document(), table, kEdited,
                                         app.Document()->CodePage()};
        auto* page = dynamic_cast<Page*>(create(host.get(), context));
        EXPECT_NE(page, nullptr);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(page, 1, wxEXPAND);
        host->SetSizer(sizer);
        host->GetSizer()->SetSizeHints(host.get());
        return page;
    }
    void TearDown() override {
        host.reset();
        test::StartedProgramTest::TearDown();
    }
};

class TriggerPagesLanguageTest : public TriggerPagesTimeTest,
                                 public ::testing::WithParamInterface<int> {};

TEST_P(TriggerPagesLanguageTest, LabelsFit) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    const struct {
        const char* name;
        Creator create;
    } pages[] = {{"cycle page", CreateCycleTriggerPage},
                 {"date page", CreateDateTriggerPage},
                 {"combination page", CreateCombinationTriggerPage}};
    for (const auto& p : pages) {
        Open<CTrigDlgBase>(p.create);
        host->Show();
        ASSERT_TRUE(test::AwaitShown(host.get())) << p.name;
        test::ExpectLabelsFit(host.get(), p.name + lang);
        host.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, TriggerPagesLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

// A record of another kind starts as one second; 90 free minutes are stored
// as one hour and thirty minutes, and nothing past the unit byte changes.
TEST_F(TriggerPagesTimeTest, CyclePageStoresThePeriodInParts) {
    auto* page = Open<CTrigCycleDlg>(CreateCycleTriggerPage);
    EXPECT_EQ(page->PeriodEdit->GetValue(), "1");
    EXPECT_TRUE(page->AlignedRadio->GetValue());
    EXPECT_TRUE(page->UnitRadio[0]->GetValue());

    page->FreeRadio->SetValue(true);
    page->UnitRadio[1]->SetValue(true);
    page->PeriodEdit->SetValue("90");
    TriggerRecord record = table[kEdited];
    ASSERT_FALSE(page->SaveTrigger(record).Refused());
    EXPECT_EQ(record,
              Expected(table, {kTriggerCycle, table[kEdited].U8(0x21), 0, 30, 1, 0, 1, 1, 0, 0}));
}

// A stored unit without a button shows seconds, and a save takes the unit
// shown rather than asking for one the user cannot pick again.
TEST_F(TriggerPagesTimeTest, CyclePageStoresTheShownUnitForAnUnknownOne) {
    table[kEdited].SetU8(trig::kKind, kTriggerCycle);
    table[kEdited].SetU8(trig::kCycleAlign, kCycleFree);
    table[kEdited].SetU8(trig::kCycleUnit, 7);
    auto* page = Open<CTrigCycleDlg>(CreateCycleTriggerPage);
    EXPECT_TRUE(page->UnitRadio[0]->GetValue());
    page->PeriodEdit->SetValue("30");
    TriggerRecord record = table[kEdited];
    ASSERT_FALSE(page->SaveTrigger(record).Refused());
    EXPECT_EQ(record.U8(trig::kCycleUnit), 0);
    EXPECT_EQ(record.U8(trig::kCycleSeconds), 30);
}

// A pasted text keeps its digits only.
TEST_F(TriggerPagesTimeTest, YearEditPastesDigitsOnly) {
    auto* page = Open<CTrigDateDlg>(CreateDateTriggerPage);
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(L"2a0-2\u00FF5"));
    wxTheClipboard->Close();
    page->YearEdit->Enable();
    page->YearEdit->Clear();
    wxClipboardTextEvent paste(wxEVT_TEXT_PASTE, page->YearEdit->GetId());
    paste.SetEventObject(page->YearEdit);
    page->YearEdit->GetEventHandler()->ProcessEvent(paste);
    EXPECT_EQ(page->YearEdit->GetValue(), "2025");
}

// An aligned period that does not fit the clock is refused on the period
// edit and the record stays as it was.
TEST_F(TriggerPagesTimeTest, CyclePageRefusesAnUnalignedPeriod) {
    auto* page = Open<CTrigCycleDlg>(CreateCycleTriggerPage);
    page->PeriodEdit->SetValue("7");
    TriggerRecord record = table[kEdited];
    const Refusal refusal = page->SaveTrigger(record);
    EXPECT_EQ(wxString(RefusalText(refusal)), Res(kMsgCycleNotAligned));
    EXPECT_EQ(page->FieldWindow(refusal.field), page->PeriodEdit);
    EXPECT_EQ(record, table[kEdited]);
}

// Typed characters other than digits never reach the number edit.
TEST_F(TriggerPagesTimeTest, PeriodEditTakesDigitsOnly) {
    auto* page = Open<CTrigCycleDlg>(CreateCycleTriggerPage);
    const struct {
        wxChar key;
        bool passes;
    } keys[] = {{'5', true},
                {'a', false},
                {'-', false},
                {0xFF15 /* full-width 5 */, false},
                {WXK_BACK, true}};
    for (const auto& k : keys) {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_uniChar = k.key;
        event.m_keyCode = k.key < 128 ? int(k.key) : int(WXK_NONE);
        event.SetEventObject(page->PeriodEdit);
        page->PeriodEdit->GetEventHandler()->ProcessEvent(event);
        EXPECT_EQ(event.GetSkipped(), k.passes) << "key " << int(k.key);
    }
}

// The repeat type opens its fields; a one-time date stores every field.
TEST_F(TriggerPagesTimeTest, DatePageEnablesTheFieldsOfTheRepeatAndStoresThem) {
    auto* page = Open<CTrigDateDlg>(CreateDateTriggerPage);
    EXPECT_EQ(page->YearEdit->GetValue(), "2000");
    EXPECT_FALSE(page->YearEdit->IsEnabled());
    EXPECT_FALSE(page->MinuteList->IsEnabled());
    EXPECT_TRUE(page->SecondList->IsEnabled());

    Choose(page->RepeatList, kRepeatEveryWeek);
    EXPECT_TRUE(page->HourList->IsEnabled());
    EXPECT_FALSE(page->DayList->IsEnabled());
    EXPECT_TRUE(page->WeekdayBox[4]->IsEnabled());
    page->WeekdayBox[4]->SetValue(true);
    page->WeekdayBox[5]->SetValue(true);

    Choose(page->RepeatList, kRepeatOnce);
    EXPECT_TRUE(page->YearEdit->IsEnabled());
    EXPECT_FALSE(page->WeekdayBox[4]->IsEnabled());
    page->YearEdit->SetValue("2024");
    page->MonthList->SetSelection(1);
    page->DayList->SetSelection(28);
    page->HourList->SetSelection(13);
    page->MinuteList->SetSelection(45);
    page->SecondList->SetSelection(30);
    TriggerRecord record = table[kEdited];
    ASSERT_FALSE(page->SaveTrigger(record).Refused());
    EXPECT_EQ(record, Expected(table, {kTriggerDate, table[kEdited].U8(0x21), 30, 45, 13, 29, 2, 24,
                                       0x30, kRepeatOnce}));
}

TEST_F(TriggerPagesTimeTest, DatePageRefusesABadYearOrDate) {
    const struct {
        const char* year;
        int day; // list position
        unsigned message;
        DateField field;
    } cases[] = {{"1999", 0, kMsgYearRange, kDateFieldYear},
                 {"", 0, kMsgYearRange, kDateFieldYear},
                 {"2001", 28, kMsgNoSuchDate, kDateFieldDay}};
    for (const auto& c : cases) {
        auto* page = Open<CTrigDateDlg>(CreateDateTriggerPage);
        Choose(page->RepeatList, kRepeatOnce);
        page->YearEdit->SetValue(c.year);
        page->MonthList->SetSelection(1);
        page->DayList->SetSelection(c.day);
        TriggerRecord record = table[kEdited];
        const Refusal refusal = page->SaveTrigger(record);
        EXPECT_EQ(refusal.messageId, c.message) << c.year;
        EXPECT_EQ(page->FieldWindow(refusal.field), page->FieldWindow(c.field)) << c.year;
        EXPECT_EQ(record, table[kEdited]) << c.year;
    }
    // The range message names the range.
    auto* page = Open<CTrigDateDlg>(CreateDateTriggerPage);
    Choose(page->RepeatList, kRepeatOnce);
    page->YearEdit->SetValue("2100");
    TriggerRecord record = table[kEdited];
    EXPECT_EQ(wxString(RefusalText(page->SaveTrigger(record))),
              wxString::Format(Res(kMsgYearRange), kYearMin, kYearMax));
}

// An excluded operand is refused at once with the focus on its box, which
// shows the previous choice again; a cycle and a date are stored with OR.
TEST_F(TriggerPagesTimeTest, CombinationPageRefusesExcludedOperandsAndStores) {
    auto* page = Open<CTrigCombiDlg>(CreateCombinationTriggerPage);
    ASSERT_EQ(page->FirstList->GetCount(), unsigned(kEditableTriggers));
    EXPECT_EQ(page->FirstList->GetSelection(), 0);
    EXPECT_TRUE(page->FirstList->GetString(kExcluded).StartsWith("*"));
    ASSERT_TRUE(test::ActivateWindow(host.get()));

    Choose(page->FirstList, kCycleA);
    Choose(page->SecondList, kDate);
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    Choose(page->SecondList, kExcluded);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgExcludedTrigger));
    EXPECT_EQ(page->SecondList->GetSelection(), kDate);
    EXPECT_TRUE(test::PumpUntil([&] { return wxWindow::FindFocus() == page->SecondList; }));

    Choose(page->OperatorList, 1);
    TriggerRecord record = table[kEdited];
    ASSERT_FALSE(page->SaveTrigger(record).Refused());
    EXPECT_EQ(record, Expected(table, {kTriggerCombination, table[kEdited].U8(0x21), kCycleA, kDate,
                                       1, 0, 0, 0, 0, 0}));
}

TEST_F(TriggerPagesTimeTest, CombinationPageRefusesTwoCycles) {
    auto* page = Open<CTrigCombiDlg>(CreateCombinationTriggerPage);
    Choose(page->FirstList, kCycleA);
    Choose(page->SecondList, kCycleB);
    TriggerRecord record = table[kEdited];
    const Refusal refusal = page->SaveTrigger(record);
    EXPECT_EQ(wxString(RefusalText(refusal)), Res(kMsgBadCombination));
    EXPECT_EQ(page->FieldWindow(refusal.field), page->FirstList);
    EXPECT_EQ(record, table[kEdited]);
}

} // namespace
} // namespace qv
