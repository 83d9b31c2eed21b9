// From the ribbon, one trigger of each kind is made through the list and the
// editor; saving and opening the file again keeps the records byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/CombinationTriggerPage.h"
#include "editors/triggers/ContactTriggerPage.h"
#include "editors/triggers/CycleTriggerPage.h"
#include "editors/triggers/DateTriggerPage.h"
#include "editors/triggers/RegisterTriggerPage.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "editors/triggers/TriggerListDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
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

// A user's choice in a box: the selection, then the box's event.
void Choose(wxChoice* box, int index) {
    box->SetSelection(index);
    wxCommandEvent e(wxEVT_CHOICE, box->GetId());
    e.SetEventObject(box);
    e.SetInt(index);
    box->GetEventHandler()->ProcessEvent(e);
}

void Type(wxTextCtrl* edit, const char* text) {
    edit->SetFocus();
    edit->SetValue(text);
}

// Fills the page of `kind` as a user would.
void FillPage(CTrigDlgBase* page, int kind) {
    ASSERT_NE(page, nullptr) << "kind " << kind;
    switch (kind) {
    case kTriggerCycle: {
        auto* p = dynamic_cast<CTrigCycleDlg*>(page);
        p->FreeRadio->SetValue(true);
        p->UnitRadio[1]->SetValue(true);
        Type(p->PeriodEdit, "15");
        break;
    }
    case kTriggerDate: {
        auto* p = dynamic_cast<CTrigDateDlg*>(page);
        Choose(p->RepeatList, kRepeatEveryDay);
        Choose(p->HourList, 6);
        Choose(p->MinuteList, 30);
        break;
    }
    case kTriggerContact: {
        auto* p = dynamic_cast<CTrigContactDlg*>(page);
        Choose(p->PortBox, 0);
        Choose(p->CodeBox, 0);
        Type(p->AddressEdit, "12"); // word 1, bit 2
        Choose(p->ConditionBox, 0);
        break;
    }
    case kTriggerRegister: {
        auto* p = dynamic_cast<CTrigRegDlg*>(page);
        Choose(p->PortBox, 0);
        Choose(p->CodeBox, 0);
        Type(p->AddressEdit, "40");
        Choose(p->TypeBox, 0);
        Choose(p->OperatorBox, 0);
        Type(p->Value1Edit, "250");
        break;
    }
    case kTriggerCombination: {
        auto* p = dynamic_cast<CTrigCombiDlg*>(page);
        Choose(p->FirstList, 0);
        Choose(p->OperatorList, 1);
        Choose(p->SecondList, 1);
        break;
    }
    }
}

class TriggerEveryKindTest : public test::StartedProgramTest {};

TEST_F(TriggerEveryKindTest, MadeFromTheRibbonAndKeptBySaveAndOpen) {
    CQuorvelDoc& doc = *app.Document();
    test::DialogScript script;
    std::vector<std::string> problems;
    int nextKind = kTriggerCycle;
    // One answer serves every dialog: the list, each editor and any message.
    const test::DialogScript::Answer answer = [&](wxDialog* dialog) -> int {
        if (auto* list = dynamic_cast<CTrigselDlg*>(dialog)) {
            dialog->CallAfter([&, list] {
                for (int kind = kTriggerCycle; kind <= kTriggerCombination; ++kind)
                    if (!list->EditRow(kind - 1))
                        problems.push_back("editor of kind " + std::to_string(kind) +
                                           " stored nothing");
                Click(list, wxID_OK);
            });
            return wxID_NONE;
        }
        if (auto* edit = dynamic_cast<CTrigSetDlg*>(dialog)) {
            const int kind = nextKind++;
            dialog->CallAfter([&, edit, kind] {
                edit->NameEdit->SetValue(wxString::Format("Kind %d", kind));
                Choose(edit->KindBox, kind);
                FillPage(edit->Page, kind);
                Click(edit, wxID_OK);
                if (edit->IsModal()) { // refused: leave rather than hang
                    problems.push_back("kind " + std::to_string(kind) + " refused");
                    Click(edit, wxID_CANCEL);
                }
            });
            return wxID_NONE;
        }
        problems.push_back("unexpected dialog");
        return wxID_OK;
    };
    for (int i = 0; i < 12; ++i)
        script.Then(answer);

    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kTriggerSelect).enabled);
    app.MainFrame()->RunCommand(cmd::kTriggerSelect);

    for (const std::string& p : problems)
        ADD_FAILURE() << p;
    for (const std::string& m : script.messages)
        ADD_FAILURE() << "message: " << m;
    const TriggerTable made = doc.Blocks().triggers;
    for (int kind = kTriggerCycle; kind <= kTriggerCombination; ++kind) {
        const TriggerRecord& r = made[kind - 1];
        EXPECT_EQ(r.U8(trig::kKind), kind);
        const std::string name(reinterpret_cast<const char*>(r.data()), 6);
        EXPECT_EQ(name, "Kind " + std::to_string(kind));
    }
    EXPECT_EQ(made[0].U8(trig::kCycleUnit), 1);  // minutes
    EXPECT_EQ(made[0].U8(trig::kCycleMinutes), 15);
    EXPECT_EQ(made[1].U8(trig::kDateRepeat), kRepeatEveryDay);
    EXPECT_EQ(made[1].U8(trig::kDateHour), 6);
    EXPECT_EQ(made[1].U8(trig::kDateMinute), 30);
    EXPECT_EQ(made[2].U32(trig::kAddress), 1u * 16 + 2);
    EXPECT_EQ(made[3].U32(trig::kAddress), 40u);
    EXPECT_EQ(made[3].U32(trig::kRegValue1Low), 250u);
    EXPECT_EQ(made[4].U8(trig::kCombiFirst), 0);
    EXPECT_EQ(made[4].U8(trig::kCombiSecond), 1);
    EXPECT_EQ(made[4].U8(trig::kCombiOperator), 1);

    const std::string path = dir + "/every-kind.qv";
    ASSERT_EQ(doc.SaveSettingsFile(path), 0);
    doc.Blocks().triggers = TriggerTable{};
    ASSERT_EQ(doc.LoadSettingsFile(path), kFileOk);
    EXPECT_EQ(std::memcmp(&doc.Blocks().triggers, &made, sizeof made), 0);
    doc.TakeSnapshot(kSnapshotSaved);
}

// The enabled controls under `parent` that Tab should reach: of a group of
// radio buttons only the chosen one (arrows move within the group).
void EnabledControls(wxWindow* parent, std::vector<wxWindow*>& out) {
    for (wxWindow* child : parent->GetChildren()) {
        if (!child->IsShown() || !child->IsEnabled())
            continue;
        if (auto* radio = dynamic_cast<wxRadioButton*>(child); radio && !radio->GetValue())
            continue;
        if (child->AcceptsFocus())
            out.push_back(child);
        EnabledControls(child, out);
    }
}

// A real Tab key from the name walks through the header, every enabled
// control of the kind's page and then the buttons, for every kind.
TEST_F(TriggerEveryKindTest, TabWalksTheHeaderThePageAndTheButtons) {
    CTrigSetDlg edit(app.MainFrame(), *app.Document(), 0);
    ASSERT_TRUE(test::ActivateWindow(&edit));
    wxUIActionSimulator keys;
    for (int kind = kTriggerCycle; kind <= kTriggerCombination; ++kind) {
        Choose(edit.KindBox, kind);
        ASSERT_NE(edit.Page, nullptr);
        ASSERT_TRUE(test::FocusControl(edit.NameEdit)) << kind;
        std::vector<wxWindow*> walk{edit.NameEdit};
        for (int step = 0; step < 40; ++step) {
            wxWindow* from = walk.back();
            keys.Char(WXK_TAB);
            wxWindow* now = nullptr;
            test::PumpUntil(
                [&] {
                    now = test::FocusedControl(&edit);
                    return now && now != from;
                },
                1000);
            ASSERT_NE(now, nullptr) << "focus lost after " << walk.size() << ", kind " << kind;
            if (now == from || std::find(walk.begin(), walk.end(), now) != walk.end())
                break;
            walk.push_back(now);
        }
        auto at = [&](wxWindow* w) {
            return static_cast<long>(std::find(walk.begin(), walk.end(), w) - walk.begin());
        };
        const auto end = static_cast<long>(walk.size());
        std::vector<wxWindow*> pageControls;
        EnabledControls(edit.Page, pageControls);
        ASSERT_FALSE(pageControls.empty()) << kind;
        long last = at(edit.KindBox);
        EXPECT_LT(last, end) << "kind box, kind " << kind;
        for (wxWindow* control : pageControls) {
            const long i = at(control);
            EXPECT_LT(i, end) << control->GetClassInfo()->GetClassName()
                              << " is never reached, kind " << kind;
            EXPECT_GT(i, last) << "page controls out of order, kind " << kind;
            last = std::max(last, i);
        }
        EXPECT_GT(at(edit.FindWindow(wxID_OK)), last) << kind;
        EXPECT_LT(at(edit.FindWindow(wxID_OK)), end) << kind;
        for (wxWindow* w : walk)
            EXPECT_TRUE(w->IsEnabled()) << "a disabled control took the focus, kind " << kind;
    }
}

} // namespace
} // namespace qv
