// Support for tests that run real windows under Xvfb: answering modal
// dialogs from a script, and running pending events.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include "app/QuorvelApp.h"
#include "resources/ResourceModule.h"

namespace qv::test {

// Each modal dialog that opens takes the next answer. An answer returns the
// id to end the dialog with at once (the dialog never shows), or wxID_NONE to
// let it show, after scheduling what the "user" does in it.
class DialogScript : public wxModalDialogHook {
public:
    using Answer = std::function<int(wxDialog* dialog)>;
    DialogScript() { Register(); }
    ~DialogScript() override { Unregister(); }

    void Then(Answer answer) { answers_.push_back(std::move(answer)); }
    // Ends the next dialog with this id without showing it.
    void ThenEnd(int id) {
        Then([id](wxDialog*) { return id; });
    }
    // Lets the next dialog show and clicks the button with this id in it.
    void ThenClick(int buttonId);
    // Lets the next dialog show and, once it is active with the focus in
    // it, presses the key on the keyboard (Enter, Escape, ...); the key must
    // end the dialog.
    void ThenPress(int key);
    // Lets the next dialog show and closes it as its title bar's close box does.
    void ThenCloseBox();

    std::vector<std::string> seen;     // class names of the dialogs, in order
    std::vector<std::string> messages; // texts of the message boxes
    std::vector<int> focused;          // id of the focused control at each ThenPress
    std::vector<int> defaults;         // id of each dialog's default button (wxID_NONE: none)
    size_t Pending() const { return answers_.size(); }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::deque<Answer> answers_;
};

// Runs every pending event (and idle handling, so deferred deletes happen).
void RunPendingEvents();

// A test that begins with the program started on a fresh profile and a new
// settings file named on its command line, kept in the temporary folder `dir`.
class StartedProgramTest : public ::testing::Test {
protected:
    CQuorvelApp& app = wxGetApp();
    std::string dir;
    void SetUp() override;
    void TearDown() override;
};

// Makes the English module beside the program the active string table, or
// the module of the language given (kLangEnglish, kLangJapanese, kLangChinese).
class ScopedGuiLanguage {
public:
    ScopedGuiLanguage();
    explicit ScopedGuiLanguage(int language);
    ~ScopedGuiLanguage();

private:
    std::unique_ptr<ResourceModule> module_;
};

// The three interface languages, for tests parameterised over them.
extern const int kGuiLanguages[3];
std::string GuiLanguageName(const ::testing::TestParamInfo<int>& info);

// Every label under the window (static texts, buttons, check boxes, radio
// buttons that are shown) is at least as wide and as high as its best size,
// and every one-line field (choice, combo box, text) as high as its
// smallest size, so no text is clipped; and no control under it reaches past
// the edge of the area its parent shows it in (the inside of a frame, a
// dialog's client area), where the toolkit would cut it. Call it once the
// window is laid out and shown.
void ExpectLabelsFit(wxWindow* top, const std::string& where);

// Every column of the report list that the user sees (wider than nothing,
// with a heading) is wide enough for its heading in the header and for the
// text of each of its cells, so neither is cut short.
void ExpectColumnsShowTheirTexts(wxListCtrl* list, const std::string& where);

// No button under the window carries an English stock label (OK, Cancel,
// Yes, No, ...) in Japanese or Chinese, and each standard button (wxID_OK,
// wxID_CANCEL, wxID_YES, wxID_NO) has its text from the language module.
void ExpectButtonsInLanguage(wxWindow* top, int language, const std::string& where);
// The same for one button label (message boxes hand theirs to the toolkit).
bool IsEnglishStockLabel(const wxString& label);

} // namespace qv::test
