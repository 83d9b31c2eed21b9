#include "editors/PortPage.h"

#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/CodeText.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrRole = 36401;
constexpr unsigned kStrProtocol = 36402;
constexpr unsigned kStrNumber = 36403;
constexpr unsigned kStrBaud = 36404;
constexpr unsigned kStrDataLength = 36405;
constexpr unsigned kStrParity = 36406;
constexpr unsigned kStrStopBits = 36407;
constexpr unsigned kStrNumber2 = 36408;
constexpr unsigned kStrChoice = 36409;
constexpr unsigned kStrChoiceZero = 36410;
constexpr unsigned kStrChoiceOne = 36411;
constexpr unsigned kStrValue = 36412;
constexpr unsigned kStrOption = 36413;
constexpr unsigned kStrRange = 20001;

void FillNumbers(wxChoice* list, int count) {
    list->Clear();
    for (int i = 1; i <= count; ++i)
        list->Append(wxString::Format("%d", i));
}

template <typename NameOf> void FillNames(wxChoice* list, int count, NameOf nameOf) {
    list->Clear();
    for (int i = 0; i < count; ++i)
        list->Append(wxString(nameOf(i)));
}

} // namespace

CComDlg::CComDlg(wxWindow* parent, CQuorvelDoc* document, UnitBlock* hostCopy)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL),
      Document(document), UnitCopy(*hostCopy), hostCopy_(hostCopy) {
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    auto row = [&](unsigned label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(label)), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(control, 1, wxEXPAND);
    };
    auto list = [&](unsigned label) {
        auto* c = new wxChoice(this, wxID_ANY);
        row(label, c);
        return c;
    };
    // Created in tab order.
    RoleList = list(kStrRole);
    ProtocolList = list(kStrProtocol);
    NumberList = list(kStrNumber);
    BaudList = list(kStrBaud);
    DataLengthList = list(kStrDataLength);
    ParityList = list(kStrParity);
    StopBitsList = list(kStrStopBits);
    Number2List = list(kStrNumber2);

    auto* choiceBox = NewFrameSizer(wxHORIZONTAL, this, Res(kStrChoice));
    ChoiceZero = new wxRadioButton(choiceBox->GetStaticBox(), wxID_ANY, Res(kStrChoiceZero),
                                   wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    ChoiceOne = new wxRadioButton(choiceBox->GetStaticBox(), wxID_ANY, Res(kStrChoiceOne));
    choiceBox->Add(ChoiceZero, 0, wxALL, 6);
    choiceBox->Add(ChoiceOne, 0, wxALL, 6);

    auto* lower = new wxFlexGridSizer(2, wxSize(10, 6));
    lower->AddGrowableCol(1);
    ValueEdit = new wxTextCtrl(this, wxID_ANY);
    ValueEdit->SetMaxLength(4);
    lower->Add(new wxStaticText(this, wxID_ANY, Res(kStrValue)), 0, wxALIGN_CENTER_VERTICAL);
    lower->Add(ValueEdit, 1, wxEXPAND);
    OptionList = new wxChoice(this, wxID_ANY);
    lower->Add(new wxStaticText(this, wxID_ANY, Res(kStrOption)), 0, wxALIGN_CENTER_VERTICAL);
    lower->Add(OptionList, 1, wxEXPAND);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxEXPAND | wxALL, 10);
    column->Add(choiceBox, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    column->Add(lower, 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    FillNames(RoleList, 2, GetPortRoleName);
    FillNames(ProtocolList, 2, GetPortProtocolName);
    FillNumbers(NumberList, kPortNumberCount);
    FillNames(BaudList, 6, GetBaudRateName);
    FillNames(DataLengthList, 2, GetDataLengthName);
    FillNames(ParityList, 3, GetParityName);
    FillNames(StopBitsList, 2, GetStopBitsName);
    FillNumbers(Number2List, kNumber2Count);
    FillNames(OptionList, 2, GetPortOptionName);

    RoleList->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnRoleChanged(); });
}

void CComDlg::LoadPort(int port) {
    const PortPageValues v = LoadPortValues(UnitCopy, port);
    RoleList->SetSelection(v.role);
    ProtocolList->SetSelection(v.protocol);
    NumberList->SetSelection(v.numberIndex);
    BaudList->SetSelection(v.baud);
    DataLengthList->SetSelection(v.dataLength);
    ParityList->SetSelection(v.parity);
    StopBitsList->SetSelection(v.stopBits);
    Number2List->SetSelection(v.number2Index);
    ChoiceZero->SetValue(!v.choiceOne);
    ChoiceOne->SetValue(v.choiceOne);
    ValueEdit->ChangeValue(wxString::FromUTF8(v.valueText));
    OptionList->SetSelection(v.option);
    OnRoleChanged();
}

bool CComDlg::StorePort(int port) {
    PortPageValues v;
    v.role = RoleList->GetSelection();
    v.protocol = ProtocolList->GetSelection();
    v.numberIndex = NumberList->GetSelection();
    v.baud = BaudList->GetSelection();
    v.dataLength = DataLengthList->GetSelection();
    v.parity = ParityList->GetSelection();
    v.stopBits = StopBitsList->GetSelection();
    v.number2Index = Number2List->GetSelection();
    v.choiceOne = ChoiceOne->GetValue();
    v.valueText = ValueEdit->GetValue().ToStdString(wxConvUTF8);
    v.option = OptionList->GetSelection();
    // A value that is no number would otherwise be stored as something else.
    if (!StorePortValues(v, port, UnitCopy)) {
        ShowMessageFocus(wxString::Format(Res(kStrRange), kPortValueMin, kPortValueMax), ValueEdit);
        ValueEdit->SelectAll();
        return false;
    }
    *hostCopy_ = UnitCopy;
    return true;
}

void CComDlg::OnRoleChanged() {
    const PortControlsEnabled e = EnabledForRole(RoleList->GetSelection());
    NumberList->Enable(e.number);
    ProtocolList->Enable(e.protocol);
}

} // namespace qv
