#include "editors/config/ConfigSetDlg.h"

#include <wx/listbox.h>
#include <wx/sizer.h>

#include "app/LanguageProfile.h"
#include "app/QuorvelApp.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/config/ConfigErrDlg.h"
#include "editors/config/ConfigFileDlg.h"
#include "editors/config/ConfigSetModel.h"
#include "editors/config/ConfigUserDlg.h"
#include "editors/config/LanguageDlg.h"
#include "editors/config/LanguageModel.h"
#include "resources/SystemSettingsTexts.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrCategories[kCategoryCount] = {
    systemtext::kLogFileOptions, systemtext::kErrorNotification, 5237, 5238, 5239, 3};
} // namespace

CConfigSetDlg::CConfigSetDlg(wxWindow* parent, CQuorvelDoc& doc)
    : CDlgBase(kDlgConfigSet, &doc, parent, Res(systemtext::kCaption)), doc_(doc) {
    Copies = TakeConfigCopies(doc.Blocks(), GetLanguage(wxGetApp().Profile()));
    opened_ = Copies;

    CategoryList =
        new wxListBox(this, 1108, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    for (unsigned id : kStrCategories)
        CategoryList->Append(Res(id));
    CategoryList->SetSelection(kCategoryFile);

    // The pane area takes the size of the largest pane, so the dialog keeps
    // its size while the categories change.
    wxSize largest;
    for (int c = 0; c < kCategoryCount; ++c) {
        CConfigPane* probe = CreatePane(c);
        largest.IncTo(probe->GetBestSize());
        probe->Destroy();
    }
    paneSizer_ = new wxBoxSizer(wxVERTICAL);
    paneSizer_->SetMinSize(largest);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(CategoryList, 0, wxEXPAND | wxRIGHT, 10);
    body->Add(paneSizer_, 1, wxEXPAND);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(body, 1, wxEXPAND | wxALL, 10);
    sizer->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(sizer);

    OnSelchangeCategory();
    GetSizer()->SetSizeHints(this);

    CategoryList->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { OnSelchangeCategory(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
}

CConfigSetDlg::~CConfigSetDlg() {
    if (Pane)
        Pane->Destroy();
}

CConfigPane* CConfigSetDlg::CreatePane(int category) {
    switch (category) {
    case kCategoryErr:
        return new CConfigErrDlg(this, doc_, Copies);
    case kCategoryPort:
        return CreateConfigPortPane(this, doc_, Copies);
    case kCategoryTime:
        return CreateConfigTimePane(this, doc_, Copies);
    case kCategoryUser:
        return new CConfigUserDlg(this, doc_, Copies);
    case kCategoryLanguage:
        return new CLanguageDlg(this, doc_, Copies);
    default:
        return new CConfigFileDlg(this, doc_, Copies);
    }
}

int CConfigSetDlg::CollectChildData() {
    return Pane ? Pane->SaveToParent() : 0;
}

void CConfigSetDlg::OnSelchangeCategory() {
    if (Pane) {
        // A refusal keeps the pane on show, with the entries and the focus
        // its message left.
        if (CollectChildData() != 0) {
            CategoryList->SetSelection(CurrentCategory);
            return;
        }
        paneSizer_->Detach(Pane);
        Pane->Destroy();
        Pane = nullptr;
    }
    const int sel = CategoryList->GetSelection();
    if (sel >= 0 && sel < kCategoryCount)
        CurrentCategory = sel;
    Pane = CreatePane(CurrentCategory);
    Pane->MoveAfterInTabOrder(CategoryList);
    paneSizer_->Add(Pane, 1, wxEXPAND);
    Layout();
    Pane->Show();
    CategoryList->SetFocus();
}

bool CConfigSetDlg::StoreSettings() {
    if (CollectChildData() != 0)
        return false;
    if (LogFilesShareOneFolder(Copies.errors))
        ShowMessageId(kMsgLogFilesShareFolder, kMbOk);
    MergeConfigCopies(opened_, Copies, doc_.Blocks());
    if (StoreChosenLanguage(wxGetApp().Profile(), Copies.language))
        ShowMessageId(kMsgLanguageAtNextStart, kMbOk);
    return true;
}

void CConfigSetDlg::OnOk() {
    if (StoreSettings())
        EndModal(wxID_OK);
}

bool RunConfigSettingsDialog(wxWindow* parent, CQuorvelDoc& doc) {
    CConfigSetDlg dlg(parent, doc);
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
