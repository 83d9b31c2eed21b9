#include "tests/gui/GuiTestSupport.h"

#include <vector>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/evtloop.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/uiaction.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "document/QuorvelDoc.h"
#include "document/StringTable.h"
#include "tests/gui/PumpUntil.h"
#include "ui/StdButtons.h"

namespace qv::test {

void StartedProgramTest::SetUp() {
    char tmpl[] = "/tmp/qvgui.XXXXXX";
    dir = mkdtemp(tmpl);
    std::remove(std::getenv("QV_PROFILE"));
    CQuorvelDoc doc(932);
    ASSERT_EQ(doc.SaveSettingsFile(dir + "/a.qv"), 0);
    DialogScript none;
    ASSERT_TRUE(app.StartUp({dir + "/a.qv"}));
    ASSERT_NE(app.MainFrame(), nullptr);
    ASSERT_TRUE(AwaitShown(app.MainFrame()));
}

void StartedProgramTest::TearDown() {
    if (app.MainFrame())
        app.MainFrame()->Close(true);
    app.Reset();
    RunPendingEvents();
    std::system(("rm -rf '" + dir + "'").c_str());
}

void DialogScript::ThenClick(int buttonId) {
    Then([buttonId](wxDialog* dialog) {
        dialog->CallAfter([dialog, buttonId] {
            wxWindow* button = dialog->FindWindow(buttonId);
            if (!button) {
                ADD_FAILURE() << "no control " << buttonId << " in the dialog";
                dialog->EndModal(wxID_CANCEL);
                return;
            }
            wxCommandEvent click(wxEVT_BUTTON, buttonId);
            click.SetEventObject(button);
            button->GetEventHandler()->ProcessEvent(click);
        });
        return wxID_NONE;
    });
}

void DialogScript::ThenPress(int key) {
    Then([this, key](wxDialog* dialog) {
        dialog->CallAfter([this, dialog, key] {
            wxWindow* focus = nullptr;
            const bool ready = ActivateWindow(dialog) && PumpUntil([&] {
                                   focus = FocusedControl(dialog);
                                   return focus != nullptr;
                               });
            if (!ready) {
                ADD_FAILURE() << "the dialog never took the focus";
                dialog->EndModal(wxID_CANCEL);
                return;
            }
            focused.push_back(focus->GetId());
            wxUIActionSimulator().Char(key);
            // Handled by the dialog's own loop: an EndModal under another
            // active loop would not end it.
            wxStopWatch watch;
            while (dialog->IsModal() && watch.Time() < kWaitMs) {
                SyncWithDisplay();
                RunPendingEvents();
                wxMilliSleep(2);
            }
            if (dialog->IsModal()) {
                ADD_FAILURE() << "key " << key << " did not end the dialog";
                dialog->EndModal(wxID_CANCEL);
            }
        });
        return wxID_NONE;
    });
}

void DialogScript::ThenCloseBox() {
    Then([](wxDialog* dialog) {
        dialog->CallAfter([dialog] {
            if (!AwaitShown(dialog))
                ADD_FAILURE() << "the dialog was never shown";
            dialog->Close();
            if (dialog->IsModal()) {
                ADD_FAILURE() << "the close box did not end the dialog";
                dialog->EndModal(wxID_CANCEL);
            }
        });
        return wxID_NONE;
    });
}

int DialogScript::Enter(wxDialog* dialog) {
    seen.push_back(wxString(dialog->GetClassInfo()->GetClassName()).utf8_string());
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog))
        messages.push_back(box->GetMessage().utf8_string());
    wxWindow* answer = dialog->GetDefaultItem();
    defaults.push_back(answer ? answer->GetId() : static_cast<int>(wxID_NONE));
    if (answers_.empty()) {
        ADD_FAILURE() << "an unexpected dialog opened: " << seen.back();
        return wxID_CANCEL;
    }
    Answer next = std::move(answers_.front());
    answers_.pop_front();
    return next(dialog);
}

void RunPendingEvents() {
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
            while (loop->Pending())
                loop->Dispatch();
        wxTheApp->ProcessIdle();
    }
}

namespace {

using GtkFocusOf = void* (*)(void*);
using GtkIsAncestor = int (*)(void*, void*);

// The deepest window at or under `window` whose toolkit widget is the focus
// widget or holds it.
wxWindow* Holder(wxWindow* window, void* focus, GtkIsAncestor isAncestor) {
    for (wxWindow* child : window->GetChildren())
        if (wxWindow* found = Holder(child, focus, isAncestor))
            return found;
    void* own = window->GetHandle();
    return own && (own == focus || isAncestor(focus, own)) ? window : nullptr;
}

} // namespace

wxWindow* FocusedControl(wxTopLevelWindow* top) {
    // Looked up at run time, as the program does: the tests build without
    // the toolkit's headers.
    static auto focusOf = reinterpret_cast<GtkFocusOf>(dlsym(RTLD_DEFAULT, "gtk_window_get_focus"));
    static auto isAncestor =
        reinterpret_cast<GtkIsAncestor>(dlsym(RTLD_DEFAULT, "gtk_widget_is_ancestor"));
    if (!focusOf || !isAncestor)
        return wxWindow::FindFocus();
    void* focus = focusOf(top->GetHandle());
    return focus ? Holder(top, focus, isAncestor) : nullptr;
}

ScopedGuiLanguage::ScopedGuiLanguage() : ScopedGuiLanguage(kLangEnglish) {}

ScopedGuiLanguage::ScopedGuiLanguage(int language)
    : module_(LoadModuleBesideProgram(LanguageModuleName(language))) {
    EXPECT_TRUE(module_) << LanguageModuleName(language);
    SetActiveStringTable(module_.get());
}

ScopedGuiLanguage::~ScopedGuiLanguage() {
    SetActiveStringTable(nullptr);
}

const int kGuiLanguages[3] = {kLangEnglish, kLangJapanese, kLangChinese};

std::string GuiLanguageName(const ::testing::TestParamInfo<int>& info) {
    return LanguageRegistryName(info.param);
}

namespace {

template <class Visit> void ForEachDescendant(wxWindow* window, Visit visit) {
    for (wxWindow* child : window->GetChildren()) {
        visit(child);
        ForEachDescendant(child, visit);
    }
}

bool IsLabel(wxWindow* w) {
    return wxDynamicCast(w, wxStaticText) || wxDynamicCast(w, wxButton) ||
           wxDynamicCast(w, wxCheckBox) || wxDynamicCast(w, wxRadioButton) ||
           wxDynamicCast(w, wxToggleButton);
}

// A control whose text is one line: squeezed below its height it shows no
// text at all.
bool IsOneLineField(wxWindow* w) {
    if (wxDynamicCast(w, wxChoice) || wxDynamicCast(w, wxComboBox))
        return true;
    auto* text = wxDynamicCast(w, wxTextCtrl);
    return text && !text->IsMultiLine();
}

std::string Describe(wxWindow* w) {
    return wxString::Format("%s \"%s\"", w->GetClassInfo()->GetClassName(), w->GetLabel())
        .utf8_string();
}

// The size of the area in which the window shows its children. A frame (a
// static box) draws its label and border around an inner container of the
// toolkit's, and what lies past that container's edge is cut off, although
// it is inside the frame's own rectangle.
wxSize ChildArea(wxWindow* parent) {
    static auto binChild =
        reinterpret_cast<void* (*)(void*)>(dlsym(RTLD_DEFAULT, "gtk_bin_get_child"));
    static auto width =
        reinterpret_cast<int (*)(void*)>(dlsym(RTLD_DEFAULT, "gtk_widget_get_allocated_width"));
    static auto height =
        reinterpret_cast<int (*)(void*)>(dlsym(RTLD_DEFAULT, "gtk_widget_get_allocated_height"));
    if (wxDynamicCast(parent, wxStaticBox) && binChild && width && height && parent->GetHandle())
        if (void* inner = binChild(parent->GetHandle()))
            return wxSize(width(inner), height(inner));
    return parent->GetClientSize();
}

} // namespace

void ExpectLabelsFit(wxWindow* top, const std::string& where) {
    int labels = 0;
    ForEachDescendant(top, [&](wxWindow* w) {
        if (IsOneLineField(w) && w->IsShownOnScreen()) {
            EXPECT_GE(w->GetSize().y, w->GetEffectiveMinSize().y)
                << where << ": " << Describe(w) << " is too low";
            return;
        }
        if (!IsLabel(w) || !w->IsShownOnScreen())
            return;
        ++labels;
        const wxSize size = w->GetSize();
        const wxSize best = w->GetBestSize();
        EXPECT_GE(size.x, best.x) << where << ": " << Describe(w) << " is too narrow";
        EXPECT_GE(size.y, best.y) << where << ": " << Describe(w) << " is too low";
    });
    EXPECT_GT(labels, 0) << where << ": no label was checked";
    // No control reaches past the edge of the area its parent shows it in.
    ForEachDescendant(top, [&](wxWindow* w) {
        if (w->IsTopLevel() || !w->IsShownOnScreen())
            return;
        // A notebook places its pages itself, and a frame its status bar
        // below its client area.
        wxWindow* parent = w->GetParent();
        if (wxDynamicCast(parent, wxBookCtrlBase) || wxDynamicCast(w, wxStatusBar))
            return;
        const wxRect area(ChildArea(parent));
        const wxRect rect = w->GetRect();
        EXPECT_TRUE(area.Contains(rect))
            << where << ": " << Describe(w) << " at " << rect.x << "," << rect.y << " size "
            << rect.width << "x" << rect.height << " is cut by the edge of " << Describe(parent)
            << " (" << area.width << "x" << area.height << ")";
    });
}

void ExpectColumnsShowTheirTexts(wxListCtrl* list, const std::string& where) {
    // The list draws a cell's text 6 pixels in from either side of its
    // column, and a heading inside its header button's margins.
    constexpr int kCellMargin = 12;
    constexpr int kHeaderMargin = 16;
    int columns = 0;
    for (int c = 0; c < list->GetColumnCount(); ++c) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(c, column);
        const int width = list->GetColumnWidth(c);
        if (width <= 0 || column.GetText().empty())
            continue;
        ++columns;
        const std::string name = column.GetText().utf8_string();
        EXPECT_GE(width, list->GetTextExtent(column.GetText()).x + kHeaderMargin)
            << where << ": column \"" << name << "\" cuts its heading";
        int widest = 0;
        long widestRow = -1;
        for (long row = 0; row < list->GetItemCount(); ++row) {
            const int text = list->GetTextExtent(list->GetItemText(row, c)).x;
            if (text > widest) {
                widest = text;
                widestRow = row;
            }
        }
        EXPECT_GE(width, widest + kCellMargin)
            << where << ": column \"" << name << "\" cuts \""
            << list->GetItemText(widestRow, c).utf8_string() << "\" in row " << widestRow;
    }
    EXPECT_GT(columns, 0) << where << ": no column was checked";
}

bool IsEnglishStockLabel(const wxString& label) {
    static const char* const kStock[] = {"ok",    "cancel", "yes",   "no",    "abort",
                                         "retry", "ignore", "close", "apply", "help"};
    wxString bare;
    for (wxUniChar c : label)
        if (c != '&' && c != '_')
            bare += c;
    bare = bare.Lower();
    if (bare.StartsWith("gtk-"))
        return true;
    for (const char* stock : kStock)
        if (bare == stock)
            return true;
    return false;
}

void ExpectButtonsInLanguage(wxWindow* top, int language, const std::string& where) {
    int buttons = 0;
    ForEachDescendant(top, [&](wxWindow* w) {
        auto* button = wxDynamicCast(w, wxButton);
        if (!button)
            return;
        ++buttons;
        const wxString expected = StdButtonLabel(button->GetId());
        if (!expected.empty()) {
            EXPECT_EQ(button->GetLabel(), expected) << where << ": button " << button->GetId();
        }
        if (language != kLangEnglish) {
            EXPECT_FALSE(IsEnglishStockLabel(button->GetLabel()))
                << where << ": " << Describe(button);
        }
    });
    EXPECT_GT(buttons, 0) << where << ": no button was checked";
}

} // namespace qv::test
