// The program's message boxes in a real window: their buttons in the order of
// the dialogs' own rows (No, Cancel, then OK or Yes rightmost), the default
// button holding the focus so that Enter answers it, Escape and the close box
// answering Cancel (or No in a box without Cancel), the editors' questions
// defaulting to the answer that changes nothing, and long texts wrapped.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "document/MessageType.h"
#include "editors/devices/DeviceEditorModel.h"
#include "editors/devices/DeviceListModel.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "editors/triggers/TriggerListModel.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/DlgBase.h"
#include "ui/Messages.h"

namespace qv {
namespace {

struct BoxCase {
    const char* what;
    unsigned type;
    long dialogFlags;       // the same buttons on a dialog's row; 0: no such row
    std::vector<int> order; // left to right
    int defaultId;
    int enterAnswer;
    int escapeAnswer; // also the close box's
};

const std::vector<int> kNoYes{wxID_NO, wxID_YES};
const std::vector<int> kNoCancelYes{wxID_NO, wxID_CANCEL, wxID_YES};
const std::vector<int> kCancelOk{wxID_CANCEL, wxID_OK};

const BoxCase kBoxes[] = {
    {"OK", kMbOk, wxOK, {wxID_OK}, wxID_OK, kIdOk, kIdOk},
    {"OK/Cancel", kMbOkCancel, wxOK | wxCANCEL, kCancelOk, wxID_OK, kIdOk, kIdCancel},
    {"OK/Cancel, Cancel the default", kMbOkCancel | kMbDefButton2,
     wxOK | wxCANCEL | wxCANCEL_DEFAULT, kCancelOk, wxID_CANCEL, kIdCancel, kIdCancel},
    {"Yes/No", kMbYesNo | kMbIconQuestion, wxYES_NO, kNoYes, wxID_YES, kIdYes, kIdNo},
    {"Yes/No, No the default", kMbYesNo | kMbDefButton2, wxYES_NO | wxNO_DEFAULT, kNoYes, wxID_NO,
     kIdNo, kIdNo},
    {"Yes/No/Cancel", kMbYesNoCancel, wxYES_NO | wxCANCEL, kNoCancelYes, wxID_YES, kIdYes,
     kIdCancel},
    {"Yes/No/Cancel, No the default", kMbYesNoCancel | kMbDefButton2,
     wxYES_NO | wxCANCEL | wxNO_DEFAULT, kNoCancelYes, wxID_NO, kIdNo, kIdCancel},
    {"Yes/No/Cancel, Cancel the default", kMbYesNoCancel | kMbIconQuestion | kMbDefButton3,
     wxYES_NO | wxCANCEL | wxCANCEL_DEFAULT, kNoCancelYes, wxID_CANCEL, kIdCancel, kIdCancel},
    {"Retry/Cancel", kMbRetryCancel, 0, kCancelOk, wxID_OK, kIdRetry, kIdCancel},
};

std::vector<wxButton*> Buttons(wxWindow* top) {
    std::vector<wxButton*> buttons;
    for (wxWindow* child : top->GetChildren())
        if (auto* b = wxDynamicCast(child, wxButton))
            buttons.push_back(b);
    return buttons;
}

std::vector<int> Ids(const std::vector<wxButton*>& buttons) {
    std::vector<int> ids;
    for (wxButton* b : buttons)
        ids.push_back(b->GetId());
    return ids;
}

std::vector<int> LeftToRight(wxWindow* top) {
    std::vector<wxButton*> buttons = Buttons(top);
    std::sort(buttons.begin(), buttons.end(), [](wxButton* a, wxButton* b) {
        return a->GetScreenPosition().x < b->GetScreenPosition().x;
    });
    return Ids(buttons);
}

// Children are tabbed through in the order they were made.
std::vector<int> TabOrder(wxWindow* top) {
    return Ids(Buttons(top));
}

TEST(MessageBoxKeys, ButtonsStandInTheDialogsOrderWithTheDefaultFocused) {
    test::ScopedGuiLanguage english;
    wxFrame frame(nullptr, wxID_ANY, "frame");
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(c.what);
        auto box = BuildMessageBox(c.type, "text");
        box->Show();
        ASSERT_TRUE(test::ActivateWindow(box.get()));
        EXPECT_EQ(LeftToRight(box.get()), c.order);
        EXPECT_EQ(TabOrder(box.get()), c.order) << "Tab goes from left to right";
        ASSERT_NE(box->GetDefaultItem(), nullptr);
        EXPECT_EQ(box->GetDefaultItem()->GetId(), c.defaultId);
        // Enter presses the focused button: the default must hold the focus.
        EXPECT_TRUE(test::PumpUntil([&] {
            wxWindow* focus = test::FocusedControl(box.get());
            return focus && focus->GetId() == c.defaultId;
        }));
        box->Hide();
        if (!c.dialogFlags)
            continue;

        CDlgBase dlg(354, nullptr, &frame, "dialog");
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(new wxStaticText(&dlg, wxID_ANY, "text"), 0, wxALL, 10);
        column->Add(dlg.CreateButtons(c.dialogFlags), 0, wxEXPAND | wxALL, 10);
        dlg.SetSizerAndFit(column);
        dlg.Show();
        ASSERT_TRUE(test::AwaitShown(&dlg));
        EXPECT_EQ(LeftToRight(&dlg), c.order) << "the dialog's own row";
        EXPECT_EQ(TabOrder(&dlg), c.order);
        ASSERT_NE(dlg.GetDefaultItem(), nullptr);
        EXPECT_EQ(dlg.GetDefaultItem()->GetId(), c.defaultId);
    }
}

TEST(MessageBoxKeys, EnterAnswersTheDefaultEscapeAndTheCloseBoxNeverAct) {
    test::ScopedGuiLanguage english;
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(c.what);
        test::DialogScript script;
        script.ThenPress(WXK_RETURN);
        EXPECT_EQ(ShowMessage(c.type, "text"), c.enterAnswer) << "Enter";
        script.ThenPress(WXK_ESCAPE);
        EXPECT_EQ(ShowMessage(c.type, "text"), c.escapeAnswer) << "Escape";
        script.ThenCloseBox();
        EXPECT_EQ(ShowMessage(c.type, "text"), c.escapeAnswer) << "the close box";
        EXPECT_EQ(script.Pending(), 0u);
        EXPECT_EQ(script.focused, (std::vector<int>{c.defaultId, c.defaultId}));
    }
}

// Every Yes of an editor's question stores at once what no Cancel takes back.
TEST(MessageBoxKeys, EditorQuestionsDefaultToTheAnswerThatChangesNothing) {
    test::ScopedGuiLanguage english;
    BoxQuestions questions;
    test::DialogScript script;
    for (int key : {WXK_RETURN, WXK_ESCAPE}) {
        SCOPED_TRACE(key);
        script.ThenPress(key);
        EXPECT_FALSE(questions.AskYesNo(kMsgOverwriteDevice));
        script.ThenPress(key);
        EXPECT_FALSE(questions.AskYesNo(kMsgDeleteTriggers));
        script.ThenPress(key);
        EXPECT_EQ(questions.AskYesNoCancel(kMsgDeleteRenumber), YesNoCancel::Cancel);
    }
    script.ThenCloseBox();
    EXPECT_EQ(questions.AskYesNoCancel(kMsgDeleteRenumber), YesNoCancel::Cancel);
    script.ThenClick(wxID_NO);
    EXPECT_EQ(questions.AskYesNoCancel(kMsgDeleteRenumber), YesNoCancel::No);
    script.ThenClick(wxID_YES);
    EXPECT_EQ(questions.AskYesNoCancel(kMsgDeleteRenumber), YesNoCancel::Yes);
    EXPECT_EQ(script.focused, (std::vector<int>{wxID_NO, wxID_CANCEL, wxID_CANCEL, wxID_NO,
                                                wxID_CANCEL, wxID_CANCEL}));
    EXPECT_EQ(script.Pending(), 0u);
}

TEST(MessageBoxText, LongLinesBreakBetweenWordsAndBetweenChineseOrJapaneseCharacters) {
    wxFrame frame(nullptr, wxID_ANY, "frame");
    const int width = 300;
    const wxString closing = L"、。，．）」』】？！：；";
    const wxString texts[] = {
        "The settings are also written, one data set per further station, into the data "
        "sets below this one, and some of them are in use. Overwrite them?",
        L"接点アドレスが正しくありません。ワード番号に続けてビット番号を 16 進数 1 桁 (0 ～ F) "
        L"で入力するか、ファンクションコードの場合は 16 進数 4 桁以内で入力してください。",
        L"触点地址无效。请输入字编号，后接一位十六进制位编号 (0 到 F)；使用功能码时，请输入不超过 "
        L"4 "
        L"位的十六进制数。",
    };
    for (const wxString& text : texts) {
        SCOPED_TRACE(text.utf8_string());
        const wxString wrapped = WrapMessageText(frame, text, width);
        const wxArrayString lines = wxSplit(wrapped, '\n', '\0');
        EXPECT_GT(lines.size(), 2u);
        for (const wxString& line : lines) {
            EXPECT_LE(frame.GetTextExtent(line).x, width) << line;
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(closing.Find(line[0]), wxNOT_FOUND) << "begins with a closing mark: " << line;
            EXPECT_NE(line[0], ' ');
            EXPECT_NE(line.Last(), ' ');
        }
        // Nothing lost but the spaces where a line ends.
        wxString joined = wrapped, plain = text;
        joined.Replace("\n", "");
        joined.Replace(" ", "");
        plain.Replace(" ", "");
        EXPECT_EQ(joined, plain);
    }
    EXPECT_EQ(WrapMessageText(frame, "Short.\r\nTwo lines.", width), "Short.\nTwo lines.");
    EXPECT_EQ(WrapMessageText(frame, "One line of 100% & more", width), "One line of 100% & more");
}

} // namespace
} // namespace qv
