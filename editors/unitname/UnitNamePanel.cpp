#include "editors/unitname/UnitNamePanel.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/CodeText.h"
#include "document/QuorvelDoc.h"
#include "editors/unitname/UnitNameDlg.h"
#include "editors/unitname/UnitNameModel.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrName = 46240;
constexpr unsigned kStrChange = 46241;
constexpr unsigned kStrOption = 46242;
constexpr int kNameButton = 1187;
} // namespace

CMainSetDlg::CMainSetDlg(wxWindow* parent, CQuorvelDoc& doc)
    : wxPanel(parent, wxID_ANY), doc_(doc) {
    auto* grid = new wxFlexGridSizer(3, wxSize(10, 8));
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, wxID_ANY, Res(kStrName)), 0, wxALIGN_CENTER_VERTICAL);
    NameText = new wxTextCtrl(this, kUnitNameField, {}, wxDefaultPosition, wxSize(FromDIP(260), -1),
                              wxTE_READONLY);
    grid->Add(NameText, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);
    NameButton = new wxButton(this, kNameButton, Res(kStrChange));
    grid->Add(NameButton, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(this, wxID_ANY, Res(kStrOption)), 0, wxALIGN_CENTER_VERTICAL);
    OptionList = new wxChoice(this, kUnitOptionField);
    OptionList->Append(wxString(GetUnitOptionName(0)));
    OptionList->Append(wxString(GetUnitOptionName(1)));
    grid->Add(OptionList, 0, wxALIGN_CENTER_VERTICAL);
    grid->AddSpacer(0);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(grid, 0, wxALL | wxEXPAND, 12);
    SetSizer(outer);

    NameButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnNameSet(); });
    OptionList->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { SaveToDoc(); });
    OptionList->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        SaveToDoc();
        e.Skip();
    });
    LoadFromDoc();
}

void CMainSetDlg::LoadFromDoc() {
    const UnitNameForm form = LoadUnitName(doc_.Blocks().unit, doc_.CodePage());
    NameText->ChangeValue(wxString(form.name));
    OptionList->SetSelection(form.option >= 0 ? form.option : wxNOT_FOUND);
}

void CMainSetDlg::SaveToDoc() {
    // Only the option: the port settings and the rest stay as the document has them.
    StoreUnitOption(OptionList->GetSelection(), doc_.Blocks().unit);
}

void CMainSetDlg::OnNameSet() {
    std::wstring name = NameText->GetValue().ToStdWstring();
    if (!RunUnitNameDialog(this, name))
        return;
    UnitBlock& current = doc_.Blocks().unit;
    StoreUnitName(name, current, doc_.CodePage());
    StoreUnitOption(OptionList->GetSelection(), current);
    NameText->ChangeValue(wxString(LoadUnitName(current, doc_.CodePage()).name));
}

} // namespace qv
