// The trigger list and the trigger editor: their texts in every language, a
// trigger named and deleted from the ribbon, and the chooser's refusal.
#include <gtest/gtest.h>

#include <cstring>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "editors/triggers/TriggerListDlg.h"
#include "editors/triggers/TriggerListModel.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"

namespace qv {
namespace {

void Click(wxWindow* dialog, int id) {
    wxWindow* button = dialog->FindWindow(id);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

// A double click on a row, as the list's row area receives it.
void DoubleClickRow(CQVListCtrl* list, long row) {
    wxWindow* area = list;
    for (wxWindow* child : list->GetChildren())
        if (child->GetSize().y > area->GetSize().y / 2)
            area = child;
    wxRect cell;
    ASSERT_TRUE(list->GetSubItemRect(row, 2, cell));
    const wxPoint p = area->ScreenToClient(
        list->ClientToScreen(wxPoint(cell.x + cell.width / 2, cell.y + cell.height / 2)));
    for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP}) {
        wxMouseEvent event(type);
        event.SetPosition(p);
        event.SetLeftDown(type != wxEVT_LEFT_UP);
        event.SetEventObject(area);
        area->GetEventHandler()->ProcessEvent(event);
    }
}

std::string NameOf(const TriggerRecord& r) {
    return std::string(reinterpret_cast<const char*>(r.data() + trig::kName),
                       strnlen(reinterpret_cast<const char*>(r.data() + trig::kName), 32));
}

// Records 1 to 6 (the first one is left alone): a cycle, a daily time, a
// contact, a register comparison on a station, a register comparison of the
// unit's own register and a combination.
void TypicalTriggers(TriggerTable& t) {
    auto named = [&](size_t i, const char* name, int kind) -> TriggerRecord& {
        t[i].SetAscii(trig::kName, 32, name);
        t[i].SetU8(trig::kKind, static_cast<uint8_t>(kind));
        return t[i];
    };
    named(1, "Every minute", kTriggerCycle).SetU8(0x23, 1);
    TriggerRecord& daily = named(2, "Morning", kTriggerDate);
    daily.SetU8(trig::kDateRepeat, 3);
    daily.SetU8(trig::kDateHour, 8);
    TriggerRecord& contact = named(3, "Door", kTriggerContact);
    contact.SetU8(trig::kPort, 1);
    contact.SetU8(trig::kStation, 1);
    contact.SetU32(trig::kAddress, 16 * 10 + 1);
    TriggerRecord& level = named(4, "Level high", kTriggerRegister);
    level.SetU8(trig::kPort, 1);
    level.SetU8(trig::kStation, 2);
    level.SetU32(trig::kAddress, 1000);
    level.SetU8(trig::kRegDataType, kTypeU16);
    level.SetU8(trig::kRegCompare, 1);
    level.SetU32(trig::kRegValue1Low, 100);
    level.SetU32(trig::kRegValue2Low, 200);
    TriggerRecord& own = named(5, "Counter", kTriggerRegister);
    own.SetU32(trig::kAddress, 500);
    own.SetU8(trig::kRegDataType, kTypeU32);
    own.SetU32(trig::kRegValue1Low, 5000);
    TriggerRecord& both = named(6, "Door and level", kTriggerCombination);
    both.SetU8(trig::kCombiFirst, 3);
    both.SetU8(trig::kCombiSecond, 4);
}

class TriggerWindowsLanguageTest : public test::StartedProgramTest,
                                   public ::testing::WithParamInterface<int> {};

TEST_P(TriggerWindowsLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    // A contact trigger: the flag box is enabled and every column has text.
    app.Document()->Blocks().triggers[0].SetU8(trig::kKind, kTriggerContact);
    app.Document()->Blocks().triggers[0].SetU8(trig::kFlag, 1);
    // Triggers of every kind as a user sets them up.
    TypicalTriggers(app.Document()->Blocks().triggers);
    for (bool editor : {false, true}) {
        CTrigselDlg list(app.MainFrame(), *app.Document(), 0);
        std::unique_ptr<CTrigSetDlg> edit;
        wxTopLevelWindow* top = &list;
        if (editor) {
            edit = std::make_unique<CTrigSetDlg>(&list, *app.Document(), 0);
            EXPECT_TRUE(edit->FlagBox->IsEnabled());
            top = edit.get();
        }
        const std::string where = (editor ? "trigger editor" : "trigger list") + lang;
        top->Show();
        ASSERT_TRUE(test::AwaitShown(top)) << where;
        test::ExpectLabelsFit(top, where);
        test::ExpectButtonsInLanguage(top, language, where);
        if (!editor)
            test::ExpectColumnsShowTheirTexts(list.List, where);
        if (edit)
            edit->Hide();
    }
    app.Document()->TakeSnapshot(kSnapshotSaved);
}

INSTANTIATE_TEST_SUITE_P(Languages, TriggerWindowsLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

class TriggerWindowsTest : public test::StartedProgramTest {
protected:
    ImageBlocks& B() { return app.Document()->Blocks(); }
};

// From the ribbon: trigger 1 (a cycle) is renamed and made kind none, which
// empties its parameters; the list shows the new name before OK.
TEST_F(TriggerWindowsTest, RibbonListEditsARowByDoubleClick) {
    B().triggers[0].SetU8(trig::kKind, kTriggerCycle);
    B().triggers[0].SetU8(0x22, 5);
    app.Document()->TakeSnapshot(kSnapshotSaved);

    test::DialogScript script;
    wxString rowName;
    script.Then([&](wxDialog* dialog) {
        auto* list = dynamic_cast<CTrigselDlg*>(dialog);
        EXPECT_NE(list, nullptr);
        dialog->CallAfter([&, list] {
            DoubleClickRow(list->List, 0);
            // The editor runs from the double click and refills the rows when it closes.
            test::PumpUntil([&] { return list->List->GetItemText(0, 2) == "Pump start"; });
            rowName = list->List->GetItemText(0, 2);
            Click(list, wxID_OK);
        });
        return wxID_NONE;
    });
    script.Then([&](wxDialog* dialog) {
        auto* edit = dynamic_cast<CTrigSetDlg*>(dialog);
        EXPECT_NE(edit, nullptr);
        dialog->CallAfter([&, edit] {
            EXPECT_EQ(edit->NumberEdit->GetValue(), "1");
            EXPECT_EQ(edit->KindBox->GetSelection(), kTriggerCycle);
            edit->NameEdit->SetValue("  Pump start ");
            edit->KindBox->SetSelection(kTriggerNone);
            wxCommandEvent e(wxEVT_CHOICE, edit->KindBox->GetId());
            e.SetEventObject(edit->KindBox);
            e.SetInt(kTriggerNone);
            edit->KindBox->GetEventHandler()->ProcessEvent(e);
            EXPECT_FALSE(edit->FlagBox->IsEnabled());
            EXPECT_EQ(edit->Page, nullptr);
            Click(edit, wxID_OK);
        });
        return wxID_NONE;
    });
    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kTriggerSelect).enabled);
    app.MainFrame()->RunCommand(cmd::kTriggerSelect);

    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(rowName, "Pump start");
    const TriggerRecord& r = B().triggers[0];
    EXPECT_EQ(NameOf(r), "Pump start");
    for (size_t i = 32; i < TriggerRecord::kSize; ++i)
        EXPECT_EQ(r.U8(i), 0) << "byte " << i;
    EXPECT_FALSE(app.Document()->IsUnmodified());
    app.Document()->TakeSnapshot(kSnapshotSaved);
}

// Deleting asks first; Cancel keeps the trigger, OK empties it in the
// document at once, even when the list then closes with Cancel.
TEST_F(TriggerWindowsTest, DeletingTheCheckedTriggerAsksThenClearsTheRecord) {
    B().triggers[2].SetU8(trig::kKind, kTriggerDate);
    B().triggers[2].SetU8(trig::kName, 'T');
    const TriggerRecord kept = B().triggers[2];

    test::DialogScript script;
    bool keptAfterCancel = false;
    script.Then([&](wxDialog* dialog) {
        auto* list = dynamic_cast<CTrigselDlg*>(dialog);
        dialog->CallAfter([&, list] {
            list->List->UncheckAll();
            list->List->CheckItem(2, true);
            Click(list, wxID_DELETE); // answered Cancel
            keptAfterCancel = std::memcmp(B().triggers[2].data(), kept.data(), 80) == 0 &&
                              list->List->IsItemChecked(2);
            Click(list, wxID_DELETE); // answered OK
            EXPECT_FALSE(list->List->IsItemChecked(2));
            EXPECT_EQ(list->List->GetItemText(2, 3), "");
            Click(list, wxID_CANCEL);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_CANCEL);
    script.ThenEnd(wxID_OK);
    app.MainFrame()->RunCommand(cmd::kTriggerSelect);

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgDeleteTriggers));
    EXPECT_TRUE(keptAfterCancel);
    ASSERT_EQ(script.defaults.size(), 3u);
    EXPECT_EQ(script.defaults[1], wxID_CANCEL) << "the list stores each delete at once";
    for (size_t i = 0; i < TriggerRecord::kSize; ++i)
        EXPECT_EQ(B().triggers[2].U8(i), 0) << "byte " << i;
    app.Document()->TakeSnapshot(kSnapshotSaved);
}

// The chooser refuses OK with nothing checked and stays open; with one
// trigger checked it returns its number.
TEST_F(TriggerWindowsTest, ChooserRefusesNothingCheckedThenReturnsTheNumber) {
    test::DialogScript script;
    bool stayed = false;
    wxWindow* focus = nullptr;
    CQVListCtrl* shownList = nullptr;
    script.Then([&](wxDialog* dialog) {
        auto* list = dynamic_cast<CTrigselDlg*>(dialog);
        dialog->CallAfter([&, list] {
            shownList = list->List;
            EXPECT_TRUE(list->List->IsItemChecked(4)); // the opener's row
            list->List->UncheckAll();
            Click(list, wxID_OK);
            stayed = list->IsModal();
            test::PumpUntil([&] { return wxWindow::FindFocus() == list->List; }, 1000);
            focus = wxWindow::FindFocus();
            list->List->CheckItem(6, true);
            Click(list, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK);
    bool changed = true;
    EXPECT_EQ(RunTriggerChooser(app.MainFrame(), *app.Document(), 4, &changed), 7);
    EXPECT_FALSE(changed);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgChooseNone));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(focus, shownList);
}

// A name of 17 double-byte characters is 34 bytes: refused with the focus on
// the name, and nothing stored; one character less goes in.
TEST_F(TriggerWindowsTest, EditorRefusesANameLongerThanItsBytes) {
    test::DialogScript script;
    bool stayed = false;
    wxWindow* focus = nullptr;
    wxWindow* nameEdit = nullptr;
    script.Then([&](wxDialog* dialog) {
        auto* shown = dynamic_cast<CTrigSetDlg*>(dialog);
        nameEdit = shown->NameEdit;
        dialog->CallAfter([&, shown] {
            shown->NameEdit->SetValue(wxString(wxUniChar(0x3042), 17));
            Click(shown, wxID_OK);
            stayed = shown->IsModal();
            test::PumpUntil([&] { return wxWindow::FindFocus() == shown->NameEdit; }, 1000);
            focus = wxWindow::FindFocus();
            shown->NameEdit->SetValue(wxString(wxUniChar(0x3042), 16));
            Click(shown, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK);
    CTrigselDlg list(app.MainFrame(), *app.Document(), 0);
    ASSERT_TRUE(list.EditRow(5));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]),
              RefusalText(Refuse(kMsgTextTooLong, kTrigEdName, {16, 32})));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(focus, nameEdit);
    EXPECT_EQ(NameOf(B().triggers[5]).size(), 32u);
    EXPECT_EQ(list.Triggers[5].U8(0), B().triggers[5].U8(0));
    app.Document()->TakeSnapshot(kSnapshotSaved);
}

// Enter on the list is the dialog's OK (not an edit of the row); Escape on
// the editor is its Cancel and stores nothing.
TEST_F(TriggerWindowsTest, EnterAndEscapeActOnTheDialogs) {
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* list = dynamic_cast<CTrigselDlg*>(dialog);
        dialog->CallAfter([list] {
            list->List->SetFocus();
            wxKeyEvent enter(wxEVT_KEY_DOWN);
            enter.m_keyCode = WXK_RETURN;
            enter.SetEventObject(list->List);
            list->List->GetEventHandler()->ProcessEvent(enter);
        });
        return wxID_NONE;
    });
    CTrigselDlg list(app.MainFrame(), *app.Document(), 0);
    EXPECT_EQ(list.ShowModal(), wxID_OK);
    EXPECT_EQ(script.seen.size(), 1u);

    script.Then([&](wxDialog* dialog) {
        auto* edit = dynamic_cast<CTrigSetDlg*>(dialog);
        dialog->CallAfter([edit] {
            edit->NameEdit->SetValue("gone");
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            escape.SetEventObject(edit->NameEdit);
            edit->NameEdit->GetEventHandler()->ProcessEvent(escape);
        });
        return wxID_NONE;
    });
    EXPECT_FALSE(list.EditRow(0));
    EXPECT_EQ(B().triggers[0].U8(0), 0);
}

} // namespace
} // namespace qv
