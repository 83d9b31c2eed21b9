#include "tests/gui/GuiTestSupport.h"

#include <wx/button.h>
#include <wx/evtloop.h>

#include "app/LanguageProfile.h"
#include "document/StringTable.h"
#include "tests/gui/PumpUntil.h"

namespace qv::test {

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

int DialogScript::Enter(wxDialog* dialog) {
    seen.push_back(wxString(dialog->GetClassInfo()->GetClassName()).utf8_string());
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog))
        messages.push_back(box->GetMessage().utf8_string());
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

bool ActivateWindow(wxTopLevelWindow* top) {
    top->Show();
    for (int attempt = 0; attempt < 15; ++attempt) {
        top->Raise();
        if (PumpUntil([top] { return top->IsActive(); }, 200))
            return true;
    }
    return false;
}

bool FocusControl(wxWindow* control) {
    auto* top = wxDynamicCast(wxGetTopLevelParent(control), wxTopLevelWindow);
    if (!top || !ActivateWindow(top))
        return false;
    auto hasFocus = [control] {
        wxWindow* focus = wxWindow::FindFocus();
        return focus && (focus == control || control->IsDescendant(focus));
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        control->SetFocus();
        if (PumpUntil(hasFocus, 300))
            return true;
    }
    return false;
}

ScopedGuiLanguage::ScopedGuiLanguage() : module_(LoadModuleBesideProgram("QvResEnu")) {
    EXPECT_TRUE(module_);
    SetActiveStringTable(module_.get());
}

ScopedGuiLanguage::~ScopedGuiLanguage() {
    SetActiveStringTable(nullptr);
}

} // namespace qv::test
