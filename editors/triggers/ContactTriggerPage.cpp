#include "editors/triggers/ContactTriggerPage.h"

#include <wx/sizer.h>

#include "document/CodeText.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrCondition = 47303;
constexpr unsigned kStrCount = 47304;

static_assert(kContactPort == kPortPagePort && kContactStation == kPortPageStation &&
              kContactCode == kPortPageCode && kContactAddress == kPortPageAddress);

} // namespace

CTrigContactDlg::CTrigContactDlg(wxWindow* editor, const TriggerPageContext& context)
    : CTrigPortDlg(editor, context, kContactAddressChars), model_(Unit) {
    ConditionBox = new wxChoice(this, wxID_ANY);
    AddRow(kStrCondition, Line({ConditionBox}));
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
    AddRow(kStrCount, countLine);

    PageColumn();

    for (int c = 0; c < kContactConditionCount; ++c)
        ConditionBox->Append(wxString(GetContactConditionName(c)));

    form_ = model_.Load(Triggers[Index]);
    ShowPortFields(form_, model_.View(form_).choices);
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
    ReadPortFields(form);
    form.condition = Selected(ConditionBox);
    form.count = CountEdit->GetValue().ToStdWstring();
    return form;
}

void CTrigContactDlg::OnPortChanged() {
    form_ = ReadForm();
    model_.ChangePort(form_, Selected(PortBox), Triggers[Index]);
    ShowPortChoices(form_, model_.View(form_).choices);
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
    return StoreChecked(model_.Check(form_), kTriggerContact, record,
                        [this](TriggerRecord& r) { model_.Store(form_, r); });
}

wxWindow* CTrigContactDlg::FieldWindow(int field) {
    if (wxWindow* shared = SharedFieldWindow(field))
        return shared;
    switch (field) {
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
