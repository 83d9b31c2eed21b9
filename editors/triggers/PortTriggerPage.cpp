#include "editors/triggers/PortTriggerPage.h"

#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrPort = 35405;
constexpr unsigned kStrStation = 36403;
constexpr unsigned kStrCode = 47301;
constexpr unsigned kStrAddress = 47302;

} // namespace

CTrigPortDlg::CTrigPortDlg(wxWindow* editor, const TriggerPageContext& context,
                           size_t addressChars)
    : CTrigDlgBase(editor, context) {
    grid_ = new wxFlexGridSizer(2, wxSize(10, 6));
    grid_->AddGrowableCol(1);
    // Created in tab order.
    PortBox = new wxChoice(this, wxID_ANY);
    AddRow(kStrPort, Line({PortBox}));
    StationBox = new wxChoice(this, wxID_ANY);
    AddRow(kStrStation, Line({StationBox}));
    CodeBox = new wxChoice(this, wxID_ANY);
    CodeLabel = CreateCodeLabel(this);
    AddRow(kStrCode, Line({CodeBox, CodeLabel}));
    AddressEdit = new wxTextCtrl(this, wxID_ANY);
    AddressEdit->SetMaxLength(addressChars);
    AddRow(kStrAddress, Line({AddressEdit}));
    FillPortBox(PortBox);
}

void CTrigPortDlg::AddRow(unsigned labelId, wxSizer* controls) {
    grid_->Add(new wxStaticText(this, wxID_ANY, Res(labelId)), 0, wxALIGN_CENTER_VERTICAL);
    grid_->Add(controls, 1, wxEXPAND);
}

wxSizer* CTrigPortDlg::Line(std::initializer_list<wxWindow*> controls) {
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    bool first = true;
    for (wxWindow* c : controls) {
        sizer->Add(c, first ? 1 : 0, wxALIGN_CENTER_VERTICAL | (first ? 0 : wxLEFT), 4);
        first = false;
    }
    return sizer;
}

wxWindow* CTrigPortDlg::SharedFieldWindow(int field) const {
    switch (field) {
    case kPortPagePort: return PortBox;
    case kPortPageStation: return StationBox;
    case kPortPageCode: return CodeBox;
    case kPortPageAddress: return AddressEdit;
    default: return nullptr;
    }
}

wxBoxSizer* CTrigPortDlg::PageColumn() {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid_, 0, wxEXPAND | wxALL, 10);
    SetSizer(column);
    return column;
}

} // namespace qv
