// The keyboard hand itself: a walk with Tab fails at once, naming the control
// that kept the focus, rather than pressing on until the run's time-out.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <memory>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "tests/gui/PumpUntil.h"
#include "tests/gui/UserInput.h"

namespace qv {
namespace {

// The failure checks below can only reach the window through these.
wxDialog* gDialog = nullptr;
wxWindow* gTarget = nullptr;

// A dialog with a field above its OK button.
struct Field {
    explicit Field(long style) {
        gDialog = new wxDialog(nullptr, wxID_ANY, "Tab");
        edit = new wxTextCtrl(gDialog, wxID_ANY, wxString(), wxDefaultPosition, wxSize(200, 80),
                              style);
        gTarget = new wxButton(gDialog, wxID_OK, "OK");
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(edit, 1, wxEXPAND | wxALL, 10);
        column->Add(gTarget, 0, wxALL, 10);
        gDialog->SetSizerAndFit(column);
        gDialog->Show();
    }
    ~Field() {
        gDialog->Destroy();
        gDialog = nullptr;
        gTarget = nullptr;
    }
    wxTextCtrl* edit;
};

TEST(TabWalk, AControlThatKeepsTheFocusFailsTheWalkNamingIt) {
    // A field that takes Tab as text keeps the focus.
    Field trap(wxTE_MULTILINE | wxTE_PROCESS_TAB);
    ASSERT_TRUE(test::FocusControl(trap.edit));
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(test::TabTo(gDialog, {gTarget})),
                            "Tab did not move the focus on from wxTextCtrl");
    EXPECT_TRUE(trap.edit->GetValue().Contains("\t")) << "the field took the Tab";
}

TEST(TabWalk, AWindowMadeInactiveIsActivatedBeforeTheWalk) {
    Field field(0);
    ASSERT_TRUE(test::FocusControl(field.edit));
    // Another window takes the keyboard, as a closing child window leaves
    // its owner without one on a display without a window manager.
    auto other = std::make_unique<wxDialog>(nullptr, wxID_ANY, "other");
    ASSERT_TRUE(test::ActivateWindow(other.get()));
    ASSERT_FALSE(gDialog->IsActive());
    EXPECT_TRUE(test::TabTo(gDialog, {gTarget}));
    EXPECT_TRUE(gDialog->IsActive());
    other->Destroy();
    other.release();
}

} // namespace
} // namespace qv
