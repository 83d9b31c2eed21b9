#include "editors/config/ConfigErrDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/QuorvelApp.h"
#include "editors/config/RecipientPaneList.h"
#include "editors/lan/LanSetDlg.h"
#include "resources/SystemSettingsTexts.h"
#include "ui/FrameBox.h"
#include "ui/ListBindings.h"
#include "ui/ListFillers.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrMailServer = 39615;
} // namespace

CConfigErrDlg::CConfigErrDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies)
    : CConfigPane(parent, doc, copies), UserCopy(copies.users), ErrorCopy(copies.errors) {
    const ConfigErrForm form = LoadConfigErr(ErrorCopy);
    auto* switches = NewFrameSizer(wxVERTICAL, this, Res(systemtext::kSwitches));
    auto* grid = new wxGridSizer(2, 2, 10);
    for (size_t i = 0; i < kErrorSwitchCount; ++i) {
        SwitchChecks[i] = new wxCheckBox(switches->GetStaticBox(), 5200 + static_cast<int>(i),
                                         Res(systemtext::kFirstSwitch + static_cast<unsigned>(i)));
        SwitchChecks[i]->SetValue(form.switches[i]);
        grid->Add(SwitchChecks[i]);
    }
    switches->Add(grid, 0, wxALL, 3);

    RecipientList = new wxListCtrl(this, 1108, wxDefaultPosition, wxSize(-1, 260), wxLC_REPORT);
    FillUserList(UserCopy, form.recipients, *RecipientList, wxGetApp().codePage, kErrRecipientSlot);
    LanButton = new wxButton(this, 4967, Res(kStrMailServer));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(switches, 0, wxEXPAND | wxBOTTOM, 8);
    sizer->Add(new wxStaticText(this, wxID_ANY, Res(systemtext::kRecipients)), 0, wxBOTTOM, 3);
    sizer->Add(RecipientList, 1, wxEXPAND | wxBOTTOM, 5);
    sizer->Add(LanButton, 0, wxALIGN_RIGHT);
    SetSizer(sizer);

    BindRowEditor(this, RecipientList, [this](long row) { EditRecipient(row); });
    LanButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnLanSettings(); });
}

CConfigErrDlg::~CConfigErrDlg() {
    KeepRecipientColumnWidths(*RecipientList, kErrRecipientSlot);
}

void CConfigErrDlg::EditRecipient(long row) {
    if (!EditRecipientRow(this, Doc, UserCopy, *RecipientList, row, GetCheckedMask(*RecipientList),
                          kErrRecipientSlot))
        return;
    RecipientList->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    RecipientList->SetFocus();
}

void CConfigErrDlg::OnLanSettings() {
    RunLanSettingsDialog(this, Doc, kLanPageMail);
}

int CConfigErrDlg::SaveToParent() {
    ConfigErrForm form;
    for (size_t i = 0; i < kErrorSwitchCount; ++i)
        form.switches[i] = SwitchChecks[i]->GetValue();
    form.recipients = GetCheckedMask(*RecipientList);
    StoreConfigErr(form, ErrorCopy);
    Copies.users = UserCopy;
    Copies.errors = ErrorCopy;
    return 0;
}

} // namespace qv
