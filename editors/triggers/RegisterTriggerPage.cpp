#include "editors/triggers/RegisterTriggerPage.h"

#include <wx/sizer.h>

#include "document/CodeText.h"
#include "ui/Messages.h"

namespace qv {

namespace {

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

static_assert(kRegisterPort == kPortPagePort && kRegisterStation == kPortPageStation &&
              kRegisterCode == kPortPageCode && kRegisterAddress == kPortPageAddress);

} // namespace

CTrigRegDlg::CTrigRegDlg(wxWindow* editor, const TriggerPageContext& context)
    : CTrigPortDlg(editor, context, 0 /* set by the data type */), model_(Unit) {
    TypeBox = new wxChoice(this, wxID_ANY);
    AddRow(kStrDataType, Line({TypeBox}));
    OperatorBox = new wxChoice(this, wxID_ANY);
    OptionText = new wxStaticText(this, wxID_ANY, Res(kStrOptionText));
    OptionText->Hide();
    AddRow(kStrOperator, Line({OperatorBox, OptionText}));
    Value1Edit = new wxTextCtrl(this, wxID_ANY);
    Value1Edit->SetMaxLength(kRegisterValueChars);
    BetweenText = new wxStaticText(this, wxID_ANY, Res(8101));
    Value2Edit = new wxTextCtrl(this, wxID_ANY);
    Value2Edit->SetMaxLength(kRegisterValueChars);
    AddRow(kStrValue, Line({Value1Edit, BetweenText, Value2Edit}));
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

    wxBoxSizer* column = PageColumn();
    column->Add(UsableRadio, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(ExcludedRadio, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(OptionCheck, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(choiceLine, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(bracketLine, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);

    for (int t = 0; t < kRegisterTypeCount; ++t)
        TypeBox->Append(wxString(GetDataTypeName(t)));
    for (int c = 0; c < kRegisterChoiceCount; ++c)
        ChoiceBox->Append(Res(kStrChoiceFirst + c));

    form_ = model_.Load(Triggers[Index]);
    ShowPortFields(form_, model_.View(form_).choices);
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
        ShowPortChoices(form_, model_.View(form_).choices);
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
    ReadPortFields(form);
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
    return StoreChecked(model_.Check(form_), kTriggerRegister, record,
                        [this](TriggerRecord& r) { model_.Store(form_, r); });
}

wxWindow* CTrigRegDlg::FieldWindow(int field) {
    if (wxWindow* shared = SharedFieldWindow(field))
        return shared;
    switch (field) {
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
