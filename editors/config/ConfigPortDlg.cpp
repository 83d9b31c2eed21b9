#include "editors/config/ConfigPortDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/MessageType.h"
#include "editors/PortAdvancedDlg.h"
#include "editors/triggers/PortPageControls.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrPortLabelFirst = 46100; // port numbers 1 to 8
constexpr unsigned kStrAdvanced = 46108;
constexpr unsigned kStrPortsTitle = 46109;
} // namespace

CConfigPortDlg::CConfigPortDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies)
    : CConfigPane(parent, doc, copies), PortCopy(copies.ports), Form(LoadConfigPorts(PortCopy)) {
    auto* box = NewFrameSizer(wxVERTICAL, this, Res(kStrPortsTitle));
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    for (size_t i = 0; i < NumberEdits.size(); ++i) {
        grid->Add(new wxStaticText(box->GetStaticBox(), wxID_ANY,
                                   Res(kStrPortLabelFirst + static_cast<unsigned>(i))),
                  0, wxALIGN_CENTER_VERTICAL);
        auto* edit = new wxTextCtrl(box->GetStaticBox(), wxID_ANY, Form.numbers[i]);
        edit->SetMaxLength(kPortNumberChars);
        FilterEdit(edit, [] { return CharClass::Digits; });
        grid->Add(edit, 0, wxALIGN_CENTER_VERTICAL);
        NumberEdits[i] = edit;
    }
    box->Add(grid, 0, wxALL, 8);
    AdvancedButton = new wxButton(this, wxID_ANY, Res(kStrAdvanced));
    AdvancedButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnAdvancedPorts(); });

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(box, 0, wxEXPAND | wxALL, 5);
    column->Add(AdvancedButton, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    SetSizer(column);
    GetSizer()->SetSizeHints(this);
}

void CConfigPortDlg::OnAdvancedPorts() {
    PortNumberBlock advanced = PortCopy;
    advanced.SetU8(portnum::kAdvanced1, Form.advanced[0]);
    advanced.SetU8(portnum::kAdvanced2, Form.advanced[1]);
    if (!RunPortAdvancedDialog(this, advanced))
        return;
    Form.advanced[0] = advanced.U8(portnum::kAdvanced1);
    Form.advanced[1] = advanced.U8(portnum::kAdvanced2);
}

int CConfigPortDlg::SaveToParent() {
    for (size_t i = 0; i < NumberEdits.size(); ++i)
        Form.numbers[i] = NumberEdits[i]->GetValue().ToStdWstring();
    const Refusal r = CheckConfigPorts(Form);
    if (r.Refused()) {
        ShowMessageFocus(RefusalText(r), NumberEdits[static_cast<size_t>(r.field - 1)]);
        return -1;
    }
    // Only the pane's own bytes go into the dialog's copy.
    StoreConfigPorts(Form, Copies.ports);
    PortCopy = Copies.ports;
    return 0;
}

CConfigPane* CreateConfigPortPane(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies) {
    return new CConfigPortDlg(parent, doc, copies);
}

} // namespace qv
