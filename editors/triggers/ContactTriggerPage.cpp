#include "editors/triggers/ContactTriggerPage.h"

#include <wx/sizer.h>

#include "document/CodeText.h"
#include "editors/triggers/PortPageControls.h"
#include "editors/triggers/TriggerKindModel.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrPort = 35405;
constexpr unsigned kStrStation = 36403;
constexpr unsigned kStrCode = 47301;
constexpr unsigned kStrAddress = 47302;
constexpr unsigned kStrCondition = 47303;
constexpr unsigned kStrCount = 47304;

} // namespace

CTrigContactDlg::CTrigContactDlg(wxWindow* editor, const TriggerPageContext& context)
    : CTrigDlgBase(editor, context), model_(Unit) {
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    auto row = [&](unsigned label, wxSizer* controls) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(label)), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(controls, 1, wxEXPAND);
    };
    auto single = [](wxWindow* control) {
        auto* line = new wxBoxSizer(wxHORIZONTAL);
        line->Add(control, 1, wxALIGN_CENTER_VERTICAL);
        return line;
    };
    // Created in tab order.
    PortBox = new wxChoice(this, wxID_ANY);
    row(kStrPort, single(PortBox));
    StationBox = new wxChoice(this, wxID_ANY);
    row(kStrStation, single(StationBox));
    CodeBox = new wxChoice(this, wxID_ANY);
    CodeLabel = CreateCodeLabel(this);
    auto* codeLine = new wxBoxSizer(wxHORIZONTAL);
    codeLine->Add(CodeBox, 1, wxALIGN_CENTER_VERTICAL);
    codeLine->Add(CodeLabel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 3);
    row(kStrCode, codeLine);
    AddressEdit = new wxTextCtrl(this, wxID_ANY);
    AddressEdit->SetMaxLength(kContactAddressChars);
    row(kStrAddress, single(AddressEdit));
    ConditionBox = new wxChoice(this, wxID_ANY);
    row(kStrCondition, single(ConditionBox));
    CountEdit = new wxTextCtrl(this, wxID_ANY);
    CountEdit->SetMaxLength(kContactCountChars);
    // Room for the longest unit text of the language.
    CountUnit = new wxStaticText(this, wxID_ANY, "");
    wxSize unitSize;
    for (unsigned id : {4060u, 4063u}) {
        CountUnit->SetLabel(Res(id));
        unitSize.IncTo(CountUnit->GetBestSize());
    }
    CountUnit->SetLabel("");
    CountUnit->SetMinSize(unitSize);
    auto* countLine = new wxBoxSizer(wxHORIZONTAL);
    countLine->Add(CountEdit, 1, wxALIGN_CENTER_VERTICAL);
    countLine->Add(CountUnit, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    row(kStrCount, countLine);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    FillPortBox(PortBox);
    for (int c = 0; c < kContactConditionCount; ++c)
        ConditionBox->Append(wxString(GetContactConditionName(c)));

    form_ = model_.Load(Triggers[Index]);
    Select(PortBox, form_.port);
    const PortChoices choices = model_.View(form_).choices;
    FillStationBox(StationBox, choices, form_.station);
    FillCodeBox(CodeBox, choices, form_.code);
    AddressEdit->ChangeValue(wxString(form_.address));
    Select(ConditionBox, form_.condition);
    CountEdit->ChangeValue(wxString(form_.count));
    ShowView();

    FilterEdit(AddressEdit, [this] { return model_.CharsOf(kContactAddress); });
    FilterEdit(CountEdit, [this] { return model_.CharsOf(kContactCount); });
    PortBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnPortChanged(); });
    CodeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowView(); });
    ConditionBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowView(); });
    GetSizer()->SetSizeHints(this);
}

ContactTriggerForm CTrigContactDlg::ReadForm() const {
    ContactTriggerForm form;
    form.port = Selected(PortBox);
    form.station = Selected(StationBox);
    form.code = Selected(CodeBox);
    form.address = AddressEdit->GetValue().ToStdWstring();
    form.condition = Selected(ConditionBox);
    form.count = CountEdit->GetValue().ToStdWstring();
    return form;
}

void CTrigContactDlg::OnPortChanged() {
    form_ = ReadForm();
    model_.ChangePort(form_, Selected(PortBox), Triggers[Index]);
    const PortChoices choices = model_.View(form_).choices;
    FillStationBox(StationBox, choices, form_.station);
    FillCodeBox(CodeBox, choices, form_.code);
    ShowView();
}

void CTrigContactDlg::ShowView() {
    form_ = ReadForm();
    const ContactTriggerView view = model_.View(form_);
    StationBox->Enable(view.choices.stationEnabled);
    CountEdit->Enable(view.countEnabled);
    CountUnit->SetLabel(view.countUnitId ? Res(view.countUnitId) : wxString());
    ShowCodeLabel(CodeLabel, view.codeLabel);
}

Refusal CTrigContactDlg::SaveTrigger(TriggerRecord& record) {
    form_ = ReadForm();
    const Refusal refusal = model_.Check(form_);
    if (refusal.Refused())
        return refusal; // the editor shows it
    PrepareKindParameters(record, kTriggerContact);
    model_.Store(form_, record);
    Triggers[Index] = record;
    return {};
}

wxWindow* CTrigContactDlg::FieldWindow(int field) {
    switch (field) {
    case kContactPort:
        return PortBox;
    case kContactStation:
        return StationBox;
    case kContactCode:
        return CodeBox;
    case kContactAddress:
        return AddressEdit;
    case kContactCondition:
        return ConditionBox;
    case kContactCount:
        return CountEdit;
    default:
        return nullptr;
    }
}

CTrigDlgBase* CreateContactTriggerPage(wxWindow* editor, const TriggerPageContext& context) {
    return new CTrigContactDlg(editor, context);
}

} // namespace qv
