#include "editors/lan/LanPageBase.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/LanguageProfile.h"
#include "app/QuorvelApp.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"

namespace qv {

CLanPage::CLanPage(wxWindow* parent, LanCopies& copies, uint32_t codePage)
    : wxPanel(parent, wxID_ANY), Copies(copies), CodePage(codePage) {}

void CLanPage::ShowRefusal(const Refusal& refusal) {
    ShowMessage(0, wxString(RefusalText(refusal)));
    wxWindow* control = refusal.field ? FindWindow(refusal.field) : nullptr;
    if (!control)
        return;
    if (auto* address = dynamic_cast<IpAddressCtrl*>(control)) {
        // Straight to the field that holds no octet, if one does.
        const int bad = address->InvalidField();
        address->FocusField(bad >= 0 && !address->IsBlank() ? bad : 0);
        return;
    }
    control->SetFocus();
}

void CLanPage::FreezeMinSize() {
    Layout();
    SetMinSize(GetBestSize());
}

bool LanDoubleByteUi() {
    return wxGetApp().languageIndex != kLangEnglish;
}

wxChoice* CreateValueChoice(wxWindow* parent, int id, const std::vector<int>& values) {
    auto* list = new wxChoice(parent, id);
    for (int v : values)
        list->Append(wxString::Format("%d", v));
    return list;
}

void SelectValue(wxChoice* list, const std::vector<int>& values, int value) {
    const int index = value < 0 ? -1 : IndexOfValue(values, value);
    list->SetSelection(index >= 0 ? index : wxNOT_FOUND);
}

int ChosenValue(const wxChoice* list, const std::vector<int>& values) {
    const int index = list->GetSelection();
    return index >= 0 && index < static_cast<int>(values.size())
               ? values[static_cast<size_t>(index)]
               : -1;
}

IpEntry ReadIpCtrl(const IpAddressCtrl* ctrl) {
    IpEntry entry;
    if (ctrl->IsBlank())
        return entry;
    entry.valid = ctrl->GetOctets(entry.octets.data());
    return entry;
}

void ShowIpEntry(IpAddressCtrl* ctrl, const IpEntry& entry) {
    ctrl->SetOctets(entry.octets.data());
}

wxStaticText* AddRow(wxSizer* grid, wxWindow* parent, unsigned labelId, wxWindow* control) {
    auto* label = new wxStaticText(parent, wxID_ANY, Res(labelId));
    grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(control, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);
    return label;
}

void AddLabelledRow(wxSizer* grid, wxWindow* parent, unsigned labelId, wxSizer* row) {
    grid->Add(new wxStaticText(parent, wxID_ANY, Res(labelId)), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(row, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);
}

wxSizer* ListWithUnit(wxWindow* parent, wxWindow* list, unsigned unitId) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(list, 0, wxALIGN_CENTER_VERTICAL);
    // The unit texts carry the report's spacing.
    row->Add(new wxStaticText(parent, wxID_ANY, Res(unitId).Strip(wxString::both)), 0,
             wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    return row;
}

} // namespace qv
