#include "editors/wizard/WizardDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statline.h>

#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/wizard/WizardModel.h"
#include "editors/wizard/WizardPages.h"
#include "ui/Messages.h"
#include "ui/OnScreen.h"
#include "ui/StdButtons.h"

namespace qv {

namespace {

constexpr unsigned kTemplateWizard = 332;
constexpr unsigned kStrWizardTitle = 46310;
constexpr unsigned kStrBack = 46311;
constexpr unsigned kStrNext = 46312;
constexpr unsigned kStrAddDevice = 46313;

} // namespace

CWizardDlg::CWizardDlg(CQuorvelDoc& doc, int mode, wxWindow* parent)
    : CDlgBase(kTemplateWizard, DlgOwner(&doc), parent, Res(kStrWizardTitle)), doc_(doc),
      mode_(mode), model_(std::make_unique<WizardModel>(CodePage)) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    pageSizer_ = new wxBoxSizer(wxVERTICAL);
    top->Add(pageSizer_, 1, wxEXPAND);
    top->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    // Created in tab order, which is the row's: Add first, then Cancel,
    // Back and Next rightmost, as in the dialogs' and message boxes' rows.
    AddButton = new wxButton(this, wxID_ANY, Res(kStrAddDevice));
    CancelButton = new wxButton(this, wxID_CANCEL, StdButtonLabel(wxID_CANCEL));
    BackButton = new wxButton(this, wxID_ANY, Res(kStrBack));
    NextButton = new wxButton(this, wxID_ANY, Res(kStrNext));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(AddButton, 0, wxRIGHT, 20);
    buttons->AddStretchSpacer();
    buttons->Add(CancelButton, 0, wxRIGHT, 20);
    buttons->Add(BackButton, 0, wxRIGHT, 6);
    buttons->Add(NextButton, 0);
    top->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizer(top);
    NextButton->SetDefault();

    NextButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnNext(); });
    BackButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBack(); });
    AddButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnAddDevice(); });
    CancelButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancelClicked(); });
    // Escape and the close box ask as the Cancel button does.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnCancelClicked(); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE)
            OnCancelClicked();
        else
            e.Skip();
    });
    ShowPage(kWizPageUnit);
}

CWizardDlg::~CWizardDlg() = default;

void CWizardDlg::ShowPage(int index) {
    if (page_) {
        pageSizer_->Detach(page_);
        page_->Destroy();
        page_ = nullptr;
    }
    pageIndex_ = index;
    switch (index) {
    case kWizPageUnit:
        page_ = new CWizardInitDlg(this, *model_);
        break;
    case kWizPageFile:
        page_ = new CWizardFileDlg(this, *model_);
        break;
    case kWizPageDevice:
        page_ = new CWizardDeviceDlg(this, *model_);
        break;
    default:
        page_ = new CWizardChkDlg(this, *model_);
        break;
    }
    pageSizer_->Add(page_, 1, wxEXPAND);
    // The page's controls come before the wizard's buttons in tab order.
    page_->MoveBeforeInTabOrder(AddButton);
    BackButton->Show(index != kWizPageUnit);
    AddButton->Show(index == kWizPageDevice);
    NextButton->SetLabel(index == kWizPageDevice    ? Res(kStrWizardSaveDevices)
                         : index == kWizPageSummary ? Res(kStrWizardFinish)
                                                    : Res(kStrNext));
    // A page of another size grows or shrinks the window about its centre,
    // within the screen.
    const wxRect before = GetRect();
    GetSizer()->SetSizeHints(this);
    Layout();
    if (IsShown() && GetSize() != before.GetSize())
        PlaceAboutCentre(this, before.GetPosition() + before.GetSize() / 2);
    page_->SetFocus();
}

bool CWizardDlg::SavePage(bool check) {
    Refusal r;
    if (check)
        r = page_->Check();
    if (!r.Refused())
        r = page_->Save();
    if (r.Refused()) {
        ShowWizardRefusal(r, *page_);
        return false;
    }
    return true;
}

void CWizardDlg::OnNext() {
    const bool checks = pageIndex_ == kWizPageFile || pageIndex_ == kWizPageDevice;
    if (!SavePage(checks))
        return;
    if (pageIndex_ < kWizPageSummary) {
        ShowPage(pageIndex_ + 1);
        return;
    }
    // The open document's settings are replaced only once the user agrees;
    // No is the default, as for dropping the answers on Cancel.
    if (mode_ == kWizardOnOpenDocument &&
        ShowMessageId(kMsgWizardReplaceSettings, kMbYesNo | kMbIconExclamation | kMbDefButton2) !=
            kIdYes)
        return;
    const auto* summary = static_cast<CWizardChkDlg*>(page_);
    model_->Finish(doc_, summary->WriteCheck->GetValue());
    EndModal(wxID_OK);
}

void CWizardDlg::OnBack() {
    if (pageIndex_ == kWizPageUnit || !SavePage(false))
        return;
    ShowPage(pageIndex_ - 1);
}

void CWizardDlg::OnAddDevice() {
    if (pageIndex_ != kWizPageDevice || !SavePage(true))
        return;
    if (!model_->AddRow()) {
        ShowMessage(kMbOk, wxString(FormatResText(kMsgWizardTooManyRows,
                                                  {std::to_wstring(kWizardDeviceRows)})));
        return;
    }
    ShowPage(kWizPageDevice);
}

void CWizardDlg::OnCancelClicked() {
    if (ShowMessageId(kMsgWizardCancel, kMbYesNo | kMbIconQuestion | kMbDefButton2) == kIdYes)
        EndModal(wxID_CANCEL);
}

bool RunSettingsWizard(wxWindow* parent, CQuorvelDoc& doc, int mode) {
    CWizardDlg dlg(doc, mode, parent);
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
