#include "editors/PortSettingsDlg.h"

#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/PortPage.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 32901;
constexpr unsigned kStrPortName[kPortCount] = {5141, 5142};
} // namespace

CComSetDlg::CComSetDlg(wxWindow* parent, CQuorvelDoc& doc)
    : CDlgBase(kDlgPortSettings, &doc, parent, Res(kStrTitle)), UnitCopy(doc.Blocks().unit),
      doc_(doc) {
    PortTabs = new wxNotebook(this, wxID_ANY);
    // A tab holds the one page while it is selected; the page moves along.
    for (int p = 0; p < kPortCount; ++p) {
        tabHolders_[p] = new wxPanel(PortTabs);
        tabHolders_[p]->SetSizer(new wxBoxSizer(wxVERTICAL));
        PortTabs->AddPage(tabHolders_[p], Res(kStrPortName[p]), p == 0);
    }
    Page = new CComDlg(tabHolders_[0], &doc, &UnitCopy);
    tabHolders_[0]->GetSizer()->Add(Page, 1, wxEXPAND);
    // The other tab needs room for the page as well.
    tabHolders_[1]->SetMinSize(Page->GetBestSize());

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(PortTabs, 1, wxEXPAND | wxALL, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);

    // The shown port is stored before the other one is loaded; a value that
    // cannot be stored keeps its tab.
    PortTabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, [this](wxBookCtrlEvent& e) {
        if (e.GetEventObject() == PortTabs && !Page->StorePort(PortIndex))
            e.Veto();
    });
    PortTabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& e) {
        if (e.GetEventObject() != PortTabs || e.GetSelection() < 0)
            return;
        PortIndex = e.GetSelection();
        ShowPortPage();
    });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);

    ShowPortPage();
    // Sized by its contents' client size: a minimum taken from the outer size
    // counts on a guess of the window manager's frame and can come out short.
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    Page->RoleList->SetFocus();
}

void CComSetDlg::ShowPortPage() {
    wxPanel* holder = tabHolders_[PortIndex];
    if (Page->GetParent() != holder) {
        Page->GetContainingSizer()->Detach(Page);
        Page->Reparent(holder);
        holder->GetSizer()->Add(Page, 1, wxEXPAND);
        holder->Layout();
    }
    Page->LoadPort(PortIndex);
}

void CComSetDlg::OnOk() {
    if (!Page->StorePort(PortIndex))
        return;
    // The change removes records for good: Cancel is the default.
    if (CompareProtocols(UnitCopy, doc_.Blocks().unit).Any() &&
        ShowMessageId(kStrProtocolChangeQuestion,
                      kMbOkCancel | kMbIconExclamation | kMbDefButton2) != kIdOk)
        return;
    ApplyPortSettings(doc_.Blocks(), UnitCopy);
    EndModal(wxID_OK);
}

bool RunPortSettingsDialog(wxWindow* parent, CQuorvelDoc& doc) {
    CComSetDlg dlg(parent, doc);
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
