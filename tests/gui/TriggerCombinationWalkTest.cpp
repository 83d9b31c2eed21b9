// The combination page in the trigger editor opened from the list, by mouse
// and by keyboard: a stored operand that has since become excluded is saved
// again as it is, and a combination naming itself is refused on the box that
// names it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <wx/choice.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/CombinationTriggerPage.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "editors/triggers/TriggerListDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/UserInput.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"

namespace qv {
namespace {

using test::Road;

class TriggerCombinationWalkTest : public test::StartedProgramTest,
                                   public ::testing::WithParamInterface<Road> {
protected:
    void TearDown() override {
        app.Document()->TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    TriggerTable& Triggers() { return app.Document()->Blocks().triggers; }

    // From the ribbon, a double click on the row opens the editor, where
    // `walk` acts; the list is closed with OK afterwards.
    void EditRow(int row, const std::function<void(CTrigSetDlg*)>& walk) {
        const Road road = GetParam();
        bool editorDone = false;
        script.Then([&, row, road](wxDialog* dialog) {
            auto* list = dynamic_cast<CTrigselDlg*>(dialog);
            EXPECT_NE(list, nullptr);
            dialog->CallAfter([&, list, row, road] {
                if (test::ActivateWindow(list)) {
                    // Only a double click edits a row, by either road.
                    test::DoubleClickCell(list->List, row, 2);
                    EXPECT_TRUE(test::PumpUntil([&] { return editorDone; }))
                        << "no editor opened on the row";
                }
                test::CloseByOk(list, road);
            });
            return wxID_NONE;
        });
        script.Then([&](wxDialog* dialog) {
            auto* edit = dynamic_cast<CTrigSetDlg*>(dialog);
            EXPECT_NE(edit, nullptr);
            dialog->CallAfter([&, edit] {
                if (test::ActivateWindow(edit))
                    walk(edit);
                if (edit->IsModal()) {
                    ADD_FAILURE() << "the editor stayed open";
                    edit->EndModal(wxID_CANCEL);
                }
                editorDone = true;
            });
            return wxID_NONE;
        });
        app.MainFrame()->RunCommand(cmd::kTriggerSelect);
    }

    test::DialogScript script;
};

// Trigger 11 combines trigger 4, since made an excluded contact, with
// trigger 3. Opened and renamed, it keeps both operands; nothing is refused.
TEST_P(TriggerCombinationWalkTest, StoredExcludedOperandIsKeptOnOk) {
    constexpr int kCombined = 10, kNowExcluded = 3, kDate = 2;
    Triggers()[kNowExcluded].SetAscii(trig::kName, 32, "Door");
    Triggers()[kNowExcluded].SetU8(trig::kKind, kTriggerContact);
    Triggers()[kNowExcluded].SetU8(trig::kContactCondition, 5);
    Triggers()[kDate].SetAscii(trig::kName, 32, "Noon");
    Triggers()[kDate].SetU8(trig::kKind, kTriggerDate);
    TriggerRecord& combined = Triggers()[kCombined];
    combined.SetAscii(trig::kName, 32, "Door or noon");
    combined.SetU8(trig::kKind, kTriggerCombination);
    combined.SetU8(trig::kCombiFirst, kNowExcluded);
    combined.SetU8(trig::kCombiSecond, kDate);
    combined.SetU8(trig::kCombiOperator, 1);
    const TriggerTable before = Triggers();

    bool closed = false;
    EditRow(kCombined, [&](CTrigSetDlg* edit) {
        auto* page = dynamic_cast<CTrigCombiDlg*>(edit->Page);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->FirstList->GetSelection(), kNowExcluded);
        EXPECT_TRUE(page->FirstList->GetStringSelection().StartsWith("*"));
        test::Hand hand(GetParam(), edit);
        if (GetParam() == Road::Mouse) {
            EXPECT_TRUE(hand.Type(edit->NameEdit, "Renamed"));
        } else {
            EXPECT_TRUE(
                test::PumpUntil([edit] { return test::FocusedControl(edit) == edit->NameEdit; }));
            EXPECT_TRUE(test::TypeOver(edit->NameEdit, "Renamed"));
        }
        hand.Press(edit->FindWindow(wxID_OK));
        closed = test::AwaitClosed(edit);
    });

    EXPECT_TRUE(closed) << "OK was refused";
    for (const std::string& m : script.messages)
        ADD_FAILURE() << "message: " << m;
    TriggerTable expected = before;
    expected[kCombined].SetAscii(trig::kName, 32, "Renamed");
    EXPECT_EQ(Triggers()[kCombined], expected[kCombined]);
    EXPECT_TRUE(Triggers() == expected);
}

// Trigger 2, a cycle, becomes a combination of trigger 1 (a cycle) and
// itself: the fault is the second operand, and the focus goes there.
TEST_P(TriggerCombinationWalkTest, CombinationOfItselfIsRefusedOnTheSecondBox) {
    constexpr int kOtherCycle = 0, kEdited = 1;
    for (int i : {kOtherCycle, kEdited}) {
        Triggers()[i].SetU8(trig::kKind, kTriggerCycle);
        Triggers()[i].SetU8(trig::kCycleSeconds, 30);
    }
    const TriggerTable before = Triggers();

    wxWindow* focus = nullptr;
    wxWindow* second = nullptr;
    bool stayed = false;
    EditRow(kEdited, [&](CTrigSetDlg* edit) {
        test::Hand hand(GetParam(), edit);
        ASSERT_TRUE(hand.Pick(edit->KindBox, kTriggerCombination));
        auto* page = dynamic_cast<CTrigCombiDlg*>(edit->Page);
        ASSERT_NE(page, nullptr);
        second = page->SecondList;
        EXPECT_EQ(page->FirstList->GetSelection(), kOtherCycle);
        ASSERT_TRUE(hand.Pick(page->SecondList, kEdited));
        script.ThenEnd(wxID_OK); // the message
        hand.Press(edit->FindWindow(wxID_OK));
        EXPECT_TRUE(test::PumpUntil([&] { return script.messages.size() == 1; }));
        test::PumpUntil([&] { return test::FocusedControl(edit) == second; });
        focus = test::FocusedControl(edit);
        stayed = edit->IsModal();
        hand.Press(edit->FindWindow(wxID_CANCEL));
        test::AwaitClosed(edit);
    });

    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgBadCombination));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(focus, second) << "the focus is not on the second operand";
    EXPECT_TRUE(Triggers() == before);
}

INSTANTIATE_TEST_SUITE_P(Roads, TriggerCombinationWalkTest,
                         ::testing::Values(Road::Mouse, Road::Keyboard), [](const auto& info) {
                             return std::string(info.param == Road::Mouse ? "ByMouse"
                                                                          : "ByKeyboard");
                         });

} // namespace
} // namespace qv
