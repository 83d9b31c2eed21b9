// A new trigger made from an empty row of the list, for each kind, once by
// mouse and once by keyboard: the kind chosen in the editor shows its page at
// once with room for all of it, and OK stores what the user entered there.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
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
#include "tests/core/TriggerPortFixture.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/UserInput.h"
#include "ui/QVListCtrl.h"

namespace qv {
namespace {

using test::Road;

using Fill = std::function<bool(test::Hand&, CTrigDlgBase*)>;

struct KindCase {
    const char* label;
    TriggerKind kind;
    int row;
    const char* name;
    Fill fill;                                     // in the order Tab walks the fields
    std::vector<std::pair<size_t, uint8_t>> bytes; // from 0x20 on, the rest 0
    std::vector<std::pair<size_t, uint32_t>> words;
};

// Rows 0 to 2 are triggers a combination can join; the new ones go below.
const KindCase kCases[] = {
    {"Cycle",
     kTriggerCycle,
     3,
     "Pump cycle",
     [](test::Hand& w, CTrigDlgBase* page) {
         auto* p = dynamic_cast<CTrigCycleDlg*>(page);
         return p && w.TurnOn(p->FreeRadio, {p->AlignedRadio, p->FreeRadio}) &&
                w.TurnOn(p->UnitRadio[1], {p->UnitRadio[0], p->UnitRadio[1], p->UnitRadio[2]}) &&
                w.Type(p->PeriodEdit, "90");
     },
     // 90 minutes, free: 0 s, 30 min, 1 h, 0 days, mode 1, unit 1
     {{0x20, kTriggerCycle}, {0x23, 30}, {0x24, 1}, {0x26, 1}, {0x27, 1}},
     {}},
    {"Date",
     kTriggerDate,
     4,
     "Daily eight",
     [](test::Hand& w, CTrigDlgBase* page) {
         auto* p = dynamic_cast<CTrigDateDlg*>(page);
         return p && w.Pick(p->RepeatList, kRepeatEveryDay) && w.Pick(p->HourList, 8) &&
                w.Pick(p->MinuteList, 15) && w.Pick(p->SecondList, 30);
     },
     // every day at 08:15:30; the unused fields as shown: day 1, month 1, 2000
     {{0x20, kTriggerDate},
      {0x22, 30},
      {0x23, 15},
      {0x24, 8},
      {0x25, 1},
      {0x26, 1},
      {0x29, kRepeatEveryDay}},
     {}},
    {"Contact",
     kTriggerContact,
     5,
     "Door contact",
     [](test::Hand& w, CTrigDlgBase* page) {
         auto* p = dynamic_cast<CTrigContactDlg*>(page);
         return p && w.Pick(p->PortBox, 1) && w.Pick(p->StationBox, 4) && w.Pick(p->CodeBox, 2) &&
                w.Type(p->AddressEdit, "10") && w.Pick(p->ConditionBox, 4) &&
                w.Type(p->CountEdit, "250");
     },
     // port 1 (areas), station 5, "R" word 1 bit 0, condition 4 counted 250 times
     {{0x20, kTriggerContact}, {0x21, 1}, {0x22, 1}, {0x24, 4}, {0x2A, 5}, {0x2B, 2}},
     {{0x2C, 16}, {0x30, 250}}},
    {"Register",
     kTriggerRegister,
     6,
     "Level high",
     [](test::Hand& w, CTrigDlgBase* page) {
         auto* p = dynamic_cast<CTrigRegDlg*>(page);
         return p && w.Pick(p->PortBox, 2) && w.Pick(p->StationBox, 16) && w.Pick(p->CodeBox, 1) &&
                w.Type(p->AddressEdit, "1A2B") && w.Pick(p->TypeBox, 1) &&
                w.Pick(p->OperatorBox, 2) && w.Type(p->Value1Edit, "100") &&
                w.Type(p->Value2Edit, "2500");
     },
     // port 2 (function codes), station 17, code 4, address 1A2B, unsigned
     // 16 bits, operator 2 between 100 and 2500
     {{0x20, kTriggerRegister}, {0x21, 1}, {0x22, 2}, {0x23, 1}, {0x24, 2}, {0x2A, 17}, {0x2B, 4}},
     {{0x2C, 0x1A2B}, {0x30, 100}, {0x34, 2500}}},
    {"Combination",
     kTriggerCombination,
     7,
     "Either",
     [](test::Hand& w, CTrigDlgBase* page) {
         auto* p = dynamic_cast<CTrigCombiDlg*>(page);
         return p && w.Pick(p->FirstList, 1) && w.Pick(p->OperatorList, 1) &&
                w.Pick(p->SecondList, 2);
     },
     // trigger 2 OR trigger 3
     {{0x20, kTriggerCombination}, {0x21, 1}, {0x22, 1}, {0x23, 2}, {0x24, 1}},
     {}},
};

TriggerRecord Expected(const KindCase& c) {
    TriggerRecord r;
    r.SetAscii(trig::kName, 32, c.name);
    for (auto [at, value] : c.bytes)
        r.SetU8(at, value);
    for (auto [at, value] : c.words)
        r.SetU32(at, value);
    return r;
}

// The window is at least as large as it wants to be, the page lies inside
// what the window shows and has its own best size, and every control on
// the page lies inside the page.
bool ShowsTheWholePage(CTrigSetDlg* edit, const std::string& where) {
    bool whole = true;
    auto expect = [&](bool holds) {
        whole = whole && holds;
        return holds;
    };
    auto text = [](const wxRect& r) {
        return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
               "x" + std::to_string(r.height);
    };
    EXPECT_TRUE(expect(test::AwaitShown(edit))) << where;
    const wxSize size = edit->GetSize(), best = edit->GetBestSize();
    EXPECT_TRUE(expect(size.x >= best.x && size.y >= best.y))
        << where << ": " << size.x << "x" << size.y << " below its best size " << best.x << "x"
        << best.y;
    CTrigDlgBase* page = edit->Page;
    const wxRect client(edit->GetClientSize());
    EXPECT_TRUE(expect(client.Contains(page->GetRect())))
        << where << ": the page at " << text(page->GetRect()) << " is cut off by " << text(client);
    EXPECT_TRUE(expect(page->GetSize().x >= page->GetBestSize().x &&
                       page->GetSize().y >= page->GetBestSize().y))
        << where << ": the page is smaller than its best size";
    const wxRect inside(page->GetClientSize());
    for (wxWindow* control : page->GetChildren())
        if (control->IsShown())
            EXPECT_TRUE(expect(inside.Contains(control->GetRect())))
                << where << ": " << control->GetClassInfo()->GetClassName() << " \""
                << control->GetLabel() << "\" at " << text(control->GetRect())
                << " is cut off by the page's " << text(inside);
    test::ExpectLabelsFit(edit, where);
    return whole;
}

class TriggerNewKindTest : public test::StartedProgramTest,
                           public ::testing::WithParamInterface<std::tuple<int, Road>> {
protected:
    void SetUp() override {
        test::StartedProgramTest::SetUp();
        ImageBlocks& b = app.Document()->Blocks();
        b.unit = test::TriggerPorts();
        const struct {
            const char* name;
            TriggerKind kind;
        } operands[] = {
            {"Morning", kTriggerDate}, {"Tick", kTriggerCycle}, {"Evening", kTriggerDate}};
        for (int i = 0; i < 3; ++i) {
            b.triggers[i].SetAscii(trig::kName, 32, operands[i].name);
            b.triggers[i].SetU8(trig::kKind, operands[i].kind);
        }
        app.Document()->TakeSnapshot(kSnapshotSaved);
    }
    void TearDown() override {
        app.Document()->TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
};

// The editor's part of the walk; false where the user could not go on.
bool WalkEditor(CTrigSetDlg* edit, const KindCase& c, Road road) {
    test::Hand walk(road, edit);
    if (!test::ActivateWindow(edit))
        return false;
    if (road == Road::Mouse) {
        if (!test::ClickAndType(edit->NameEdit, c.name))
            return false;
    } else {
        // The editor opens with the focus on the name.
        if (!test::PumpUntil([edit] { return test::FocusedControl(edit) == edit->NameEdit; }) ||
            !test::TypeOver(edit->NameEdit, c.name))
            return false;
    }
    EXPECT_EQ(edit->Page, nullptr) << "an empty row has no kind";
    if (!walk.Pick(edit->KindBox, c.kind) || !edit->Page)
        return false;
    if (!ShowsTheWholePage(edit, std::string("after choosing ") + c.label))
        return false;
    if (c.kind != kTriggerCycle && c.kind != kTriggerDate && !walk.TurnOn(edit->FlagBox))
        return false;
    if (!c.fill(walk, edit->Page))
        return false;
    walk.Press(edit->FindWindow(wxID_OK));
    return test::AwaitClosed(edit);
}

TEST_P(TriggerNewKindTest, EmptyRowStoresTheChosenKindAsEntered) {
    const KindCase& c = kCases[std::get<0>(GetParam())];
    const Road road = std::get<1>(GetParam());
    const TriggerTable before = app.Document()->Blocks().triggers;

    test::DialogScript script;
    bool editorDone = false, walked = false;
    script.Then([&](wxDialog* dialog) {
        auto* list = dynamic_cast<CTrigselDlg*>(dialog);
        EXPECT_NE(list, nullptr);
        dialog->CallAfter([&, list] {
            if (test::ActivateWindow(list)) {
                // A double click on the empty row, also on the keyboard's
                // road: the list has no key that edits a row.
                test::DoubleClickCell(list->List, c.row, 2);
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
            walked = WalkEditor(edit, c, road);
            if (edit->IsModal()) {
                ADD_FAILURE() << "the editor stayed open";
                edit->EndModal(wxID_CANCEL);
            }
            editorDone = true;
        });
        return wxID_NONE;
    });
    app.MainFrame()->RunCommand(cmd::kTriggerSelect);

    EXPECT_TRUE(walked);
    EXPECT_EQ(script.Pending(), 0u);
    for (const std::string& m : script.messages)
        ADD_FAILURE() << "message: " << m;
    const TriggerTable& after = app.Document()->Blocks().triggers;
    EXPECT_EQ(after[c.row], Expected(c));
    for (int i = 0; i < static_cast<int>(TriggerTable::kCount); ++i)
        if (i != c.row)
            EXPECT_EQ(after[i], before[i]) << "record " << i;
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<int, Road>>& info) {
    return std::string(kCases[std::get<0>(info.param)].label) +
           (std::get<1>(info.param) == Road::Mouse ? "ByMouse" : "ByKeyboard");
}

INSTANTIATE_TEST_SUITE_P(Kinds, TriggerNewKindTest,
                         ::testing::Combine(::testing::Range(0, 5),
                                            ::testing::Values(Road::Mouse, Road::Keyboard)),
                         CaseName);

} // namespace
} // namespace qv
