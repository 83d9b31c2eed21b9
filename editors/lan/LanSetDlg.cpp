#include "editors/lan/LanSetDlg.h"

#include <wx/listbox.h>
#include <wx/simplebook.h>
#include <wx/sizer.h>

#include "document/QuorvelDoc.h"
#include "editors/lan/LanFtpPage.h"
#include "editors/lan/LanIpPage.h"
#include "editors/lan/LanMailPage.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 46200;
constexpr unsigned kStrCategory[] = {5241, 5242, 5243};
constexpr int kCategoryCount = 3;
} // namespace

CLANSetDlg::CLANSetDlg(wxWindow* parent, int firstCategory, CQuorvelDoc& doc)
    : CDlgBase(kDlgLanSettings, &doc, parent, Res(kStrTitle)), Copies(LoadLanCopies(doc.Blocks())),
      doc_(doc) {
    CategoryList = new wxListBox(this, 1108);
    for (unsigned id : kStrCategory)
        CategoryList->Append(Res(id));
    Pages = new wxSimplebook(this, wxID_ANY);
    Pages->AddPage(new CIPSetDlg(Pages, Copies, CodePage), {});
    Pages->AddPage(new CMailSetDlg(Pages, Copies, CodePage), {});
    Pages->AddPage(new CFTPSetDlg(Pages, Copies, CodePage), {});

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(CategoryList, 0, wxEXPAND | wxRIGHT, 12);
    row->Add(Pages, 1, wxEXPAND);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(row, 1, wxEXPAND | wxALL, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);

    CategoryList->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { OnSelchangeCategory(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedOk(); }, wxID_OK);

    CurrentCategory = firstCategory >= 0 && firstCategory < kCategoryCount ? firstCategory : 0;
    CategoryList->SetSelection(CurrentCategory);
    Pages->ChangeSelection(static_cast<size_t>(CurrentCategory));
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    CategoryList->SetFocus();
}

CLanPage* CLANSetDlg::ShownPage() const {
    return static_cast<CLanPage*>(Pages->GetPage(static_cast<size_t>(CurrentCategory)));
}

int CLANSetDlg::CollectChildData() {
    return ShownPage()->SaveToParent();
}

void CLANSetDlg::OnSelchangeCategory() {
    const int chosen = CategoryList->GetSelection();
    if (chosen == CurrentCategory || chosen < 0)
        return;
    if (CollectChildData() != 0) {
        // The refused page stays, with its failing control focused.
        CategoryList->SetSelection(CurrentCategory);
        return;
    }
    CurrentCategory = chosen;
    // A page always starts from the copies, as the other pages left them.
    ShownPage()->LoadFromParent();
    Pages->ChangeSelection(static_cast<size_t>(CurrentCategory));
    CategoryList->SetFocus();
}

void CLANSetDlg::OnBnClickedOk() {
    if (CollectChildData() != 0)
        return;
    StoreLanCopies(Copies, doc_.Blocks());
    EndModal(wxID_OK);
}

bool RunLanSettingsDialog(wxWindow* parent, CQuorvelDoc& doc, int page) {
    CLANSetDlg dlg(parent, page, doc);
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
