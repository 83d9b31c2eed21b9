#include "editors/triggers/RegisterTriggerPage.h"

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
constexpr unsigned kStrDataType = 47305;
constexpr unsigned kStrOperator = 47306;
constexpr unsigned kStrValue = 47307;
constexpr unsigned kStrUsable = 47308;
constexpr unsigned kStrExcluded = 47309;
constexpr unsigned kStrOption = 47310;
constexpr unsigned kStrOptionText = 47311;
constexpr unsigned kStrBracket = 47312;
constexpr unsigned kStrChoice = 47313;
constexpr unsigned kStrChoiceFirst = 47314;

} // namespace

CTrigRegDlg::CTrigRegDlg(wxWindow* editor, const TriggerPageContext& context)
    : CTrigDlgBase(editor, context), model_(Unit) {
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    auto row = [&](unsigned label, wxSizer* controls) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(label)), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(controls, 1, wxEXPAND);
    };
    auto line = [](std::initializer_list<wxWindow*> controls) {
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        bool first = true;
        for (wxWindow* c : controls) {
            sizer->Add(c, first ? 1 : 0, wxALIGN_CENTER_VERTICAL | (first ? 0 : wxLEFT), 4);
            first = false;
        }
        return sizer;
    };
    // Created in tab order.
    PortBox = new wxChoice(this, wxID_ANY);
    row(kStrPort, line({PortBox}));
    StationBox = new wxChoice(this, wxID_ANY);
    row(kStrStation, line({StationBox}));
    CodeBox = new wxChoice(this, wxID_ANY);
    CodeLabel = CreateCodeLabel(this);
    row(kStrCode, line({CodeBox, CodeLabel}));
    AddressEdit = new wxTextCtrl(this, wxID_ANY);
    row(kStrAddress, line({AddressEdit}));
    TypeBox = new wxChoice(this, wxID_ANY);
    row(kStrDataType, line({TypeBox}));
    OperatorBox = new wxChoice(this, wxID_ANY);
    OptionText = new wxStaticText(this, wxID_ANY, Res(kStrOptionText));
    OptionText->Hide();
    row(kStrOperator, line({OperatorBox, OptionText}));
    Value1Edit = new wxTextCtrl(this, wxID_ANY);
    Value1Edit->SetMaxLength(kRegisterValueChars);
    BetweenText = new wxStaticText(this, wxID_ANY, Res(8101));
    Value2Edit = new wxTextCtrl(this, wxID_ANY);
    Value2Edit->SetMaxLength(kRegisterValueChars);
    row(kStrValue, line({Value1Edit, BetweenText, Value2Edit}));
    UsableRadio = new wxRadioButton(this, wxID_ANY, Res(kStrUsable), wxDefaultPosition,
                                    wxDefaultSize, wxRB_GROUP);
    ExcludedRadio = new wxRadioButton(this, wxID_ANY, Res(kStrExcluded));
    OptionCheck = new wxCheckBox(this, wxID_ANY, Res(kStrOption));
    ChoiceBox = new wxChoice(this, wxID_ANY);
    auto* choiceLine = new wxBoxSizer(wxHORIZONTAL);
    choiceLine->Add(new wxStaticText(this, wxID_ANY, Res(kStrChoice)), 0,
                    wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
    choiceLine->Add(ChoiceBox, 0, wxALIGN_CENTER_VERTICAL);
    BracketCheck = new wxCheckBox(this, wxID_ANY, Res(kStrBracket));
    BracketEdit = new wxTextCtrl(this, wxID_ANY);
    BracketEdit->SetMaxLength(kRegisterBracketChars);
    auto* bracketLine = new wxBoxSizer(wxHORIZONTAL);
    bracketLine->Add(BracketCheck, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
    bracketLine->Add(BracketEdit, 0, wxALIGN_CENTER_VERTICAL);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxEXPAND | wxALL, 10);
    column->Add(UsableRadio, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(ExcludedRadio, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(OptionCheck, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(choiceLine, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(bracketLine, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);

    FillPortBox(PortBox);
    for (int t = 0; t < kRegisterTypeCount; ++t)
        TypeBox->Append(wxString(GetDataTypeName(t)));
    for (int c = 0; c < kRegisterChoiceCount; ++c)
        ChoiceBox->Append(Res(kStrChoiceFirst + c));

    form_ = model_.Load(Triggers[Index]);
    Select(PortBox, form_.port);
    const PortChoices choices = model_.View(form_).choices;
    FillStationBox(StationBox, choices, form_.station);
    FillCodeBox(CodeBox, choices, form_.code);
    AddressEdit->ChangeValue(wxString(form_.address));
    Select(TypeBox, form_.dataType);
    Value1Edit->ChangeValue(wxString(form_.value1));
    Value2Edit->ChangeValue(wxString(form_.value2));
    BracketCheck->SetValue(form_.bracket);
    BracketEdit->ChangeValue(wxString(form_.bracketText));
    Select(ChoiceBox, form_.choice);
    ShowForm();

    FilterEdit(AddressEdit, [this] { return model_.CharsOf(ReadForm(), kRegisterAddress); });
    for (auto [edit, field] :
         {std::pair{Value1Edit, kRegisterValue1}, std::pair{Value2Edit, kRegisterValue2},
          std::pair{BracketEdit, kRegisterBracketText}})
        FilterEdit(edit, [this, field = field] { return model_.CharsOf(ReadForm(), field); });

    PortBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        form_ = ReadForm();
        model_.ChangePort(form_, Selected(PortBox), Triggers[Index]);
        const PortChoices now = model_.View(form_).choices;
        FillStationBox(StationBox, now, form_.station);
        FillCodeBox(CodeBox, now, form_.code);
        ShowForm();
    });
    TypeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        form_ = ReadForm();
        model_.ChangeDataType(form_, Selected(TypeBox));
        ShowForm();
    });
    OptionCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        form_ = ReadForm();
        model_.SetOption(form_, OptionCheck->GetValue());
        ShowForm();
    });
    for (wxWindow* w : {static_cast<wxWindow*>(CodeBox), static_cast<wxWindow*>(OperatorBox)})
        w->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowView(); });
    BracketCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ShowView(); });
    GetSizer()->SetSizeHints(this);
}

RegisterTriggerForm CTrigRegDlg::ReadForm() const {
    RegisterTriggerForm form;
    form.port = Selected(PortBox);
    form.station = Selected(StationBox);
    form.code = Selected(CodeBox);
    form.address = AddressEdit->GetValue().ToStdWstring();
    form.dataType = Selected(TypeBox);
    const int op = Selected(OperatorBox);
    form.op = op >= 0 && op < static_cast<int>(operators_.size()) ? operators_[op] : -1;
    form.value1 = Value1Edit->GetValue().ToStdWstring();
    form.value2 = Value2Edit->GetValue().ToStdWstring();
    form.excluded = ExcludedRadio->GetValue();
    form.option = OptionCheck->GetValue();
    form.choice = Selected(ChoiceBox);
    form.bracket = BracketCheck->GetValue();
    form.bracketText = BracketEdit->GetValue().ToStdWstring();
    return form;
}

void CTrigRegDlg::ShowForm() {
    const RegisterTriggerView view = model_.View(form_);
    operators_ = view.operators;
    OperatorBox->Clear();
    int entry = -1;
    for (size_t i = 0; i < operators_.size(); ++i) {
        OperatorBox->Append(wxString(GetCompareOpName(operators_[i])));
        if (operators_[i] == form_.op)
            entry = static_cast<int>(i);
    }
    Select(OperatorBox, entry);
    UsableRadio->SetValue(!form_.excluded || form_.option);
    ExcludedRadio->SetValue(form_.excluded && !form_.option);
    OptionCheck->SetValue(form_.option);
    AddressEdit->SetMaxLength(view.addressMaxChars);
    ShowView();
}

void CTrigRegDlg::ShowView() {
    form_ = ReadForm();
    const RegisterTriggerView view = model_.View(form_);
    StationBox->Enable(view.choices.stationEnabled);
    OperatorBox->Show(view.operatorShown);
    OptionText->Show(!view.operatorShown);
    Value1Edit->Enable(view.value1Enabled);
    Value2Edit->Enable(view.value2Enabled);
    BetweenText->Show(view.betweenTextId != 0);
    if (view.betweenTextId)
        BetweenText->SetLabel(Res(view.betweenTextId));
    UsableRadio->Enable(view.excludedEnabled);
    ExcludedRadio->Enable(view.excludedEnabled);
    OptionCheck->Enable(view.optionEnabled);
    ChoiceBox->Enable(view.choiceEnabled);
    BracketEdit->Enable(view.bracketTextEnabled);
    ShowCodeLabel(CodeLabel, view.codeLabel);
    Layout();
}

Refusal CTrigRegDlg::SaveTrigger(TriggerRecord& record) {
    form_ = ReadForm();
    const Refusal refusal = model_.Check(form_);
    if (refusal.Refused())
        return refusal; // the editor shows it
    PrepareKindParameters(record, kTriggerRegister);
    model_.Store(form_, record);
    Triggers[Index] = record;
    return {};
}

wxWindow* CTrigRegDlg::FieldWindow(int field) {
    switch (field) {
    case kRegisterPort:
        return PortBox;
    case kRegisterStation:
        return StationBox;
    case kRegisterCode:
        return CodeBox;
    case kRegisterAddress:
        return AddressEdit;
    case kRegisterDataType:
        return TypeBox;
    case kRegisterOperator:
        return OperatorBox;
    case kRegisterValue1:
        return Value1Edit;
    case kRegisterValue2:
        return Value2Edit;
    case kRegisterExcluded:
        return ExcludedRadio;
    case kRegisterOption:
        return OptionCheck;
    case kRegisterChoice:
        return ChoiceBox;
    case kRegisterBracket:
        return BracketCheck;
    case kRegisterBracketText:
        return BracketEdit;
    default:
        return nullptr;
    }
}

CTrigDlgBase* CreateRegisterTriggerPage(wxWindow* editor, const TriggerPageContext& context) {
    return new CTrigRegDlg(editor, context);
}

} // namespace qv
