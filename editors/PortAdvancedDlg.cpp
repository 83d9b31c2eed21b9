#include "editors/PortAdvancedDlg.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 44301;
constexpr unsigned kStrFirst = 44302;
constexpr unsigned kStrSecond = 44303;
constexpr unsigned kStrRange = 20001;
} // namespace

CPortAdvancedSetDlg::CPortAdvancedSetDlg(wxWindow* parent)
    : CDlgBase(kDlgPortAdvanced, nullptr, parent, Res(kStrTitle)) {
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    auto edit = [&](unsigned label) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(label)), 0, wxALIGN_CENTER_VERTICAL);
        auto* e = new wxTextCtrl(this, wxID_ANY);
        e->SetMaxLength(2);
        grid->Add(e, 0, wxALIGN_CENTER_VERTICAL);
        return e;
    };
    FirstEdit = edit(kStrFirst);
    SecondEdit = edit(kStrSecond);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxALL, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    // Sized by its contents' client size: a minimum taken from the outer size
    // counts on a guess of the window manager's frame and can come out short.
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

bool CPortAdvancedSetDlg::TransferDataToWindow() {
    FirstEdit->ChangeValue(wxString::Format("%d", FirstValue));
    SecondEdit->ChangeValue(wxString::Format("%d", SecondValue));
    return true;
}

void CPortAdvancedSetDlg::OnOk() {
    AdvancedPortValues v{FirstValue, SecondValue};
    const int failing = CheckAdvancedValues(FirstEdit->GetValue().ToStdString(wxConvUTF8),
                                            SecondEdit->GetValue().ToStdString(wxConvUTF8), v);
    // A value checked before the failing one is kept, as the user typed it.
    FirstValue = v.first;
    SecondValue = v.second;
    if (failing >= 0) {
        ShowMessageFocus(wxString::Format(Res(kStrRange), kAdvancedMin, kAdvancedMax),
                         failing == 0 ? FirstEdit : SecondEdit);
        return;
    }
    EndModal(wxID_OK);
}

bool RunPortAdvancedDialog(wxWindow* parent, PortNumberBlock& block) {
    CPortAdvancedSetDlg dlg(parent);
    const AdvancedPortValues v = LoadAdvancedValues(block);
    dlg.FirstValue = v.first;
    dlg.SecondValue = v.second;
    if (dlg.ShowModal() != wxID_OK)
        return false;
    StoreAdvancedValues({dlg.FirstValue, dlg.SecondValue}, block);
    return true;
}

} // namespace qv
