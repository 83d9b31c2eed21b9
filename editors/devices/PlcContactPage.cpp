#include "editors/devices/PlcContactPage.h"

#include <wx/sizer.h>

#include "document/CodeText.h"
#include "editors/triggers/PortPageControls.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrTimeUnit = 39300;

} // namespace

CDevSet_PLCContact::CDevSet_PLCContact(wxWindow* editor, const DevicePageContext& context)
    : CPlcPageBase(editor, context), model_(context.port, Unit, context.codePage) {
    // Created in tab order.
    AddAreaRows();
    ModeBox = new wxChoice(this, wxID_ANY);
    AddRow(Label(kStrPlcMode), {ModeBox});
    OptionLabel = Label(kStrTimeUnit);
    OptionBox = new wxChoice(this, wxID_ANY);
    AddRow(OptionLabel, {OptionBox});
    AddUnitRow();
    TypeBox = new wxChoice(this, wxID_ANY);
    AddRow(Label(kStrPlcDataType), {TypeBox});
    FinishRows();

    form_ = model_.Load(ShownRecord());
    const PlcContactView view = model_.View(form_);
    ShowAreas(view.areas, form_.area, view.addressMaxChars, form_.address);
    for (int m = 0; m < kContactModeCount; ++m)
        ModeBox->Append(wxString(GetContactModeName(m)));
    Select(ModeBox, form_.mode);
    for (int o = 0; o < kContactOptionCount; ++o)
        OptionBox->Append(wxString(GetContactOptionName(o)));
    Select(OptionBox, form_.option);
    UnitEdit->ChangeValue(wxString(form_.unitText));
    TypeBox->Append(wxString(GetDataTypeName(kContactDataType)));
    TypeBox->SetSelection(0);
    TypeBox->Disable();
    ShowForm();

    FilterEdit(AddressEdit, [this] { return model_.CharsOf(kPlcConAddress); });
    ModeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        form_ = ReadForm();
        ShowForm();
    });
    AreaBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        form_ = ReadForm();
        ShowForm();
    });
    GetSizer()->SetSizeHints(this);
}

PlcContactForm CDevSet_PLCContact::ReadForm() const {
    PlcContactForm form;
    form.area = Selected(AreaBox);
    form.address = AddressEdit->GetValue().ToStdWstring();
    form.mode = Selected(ModeBox);
    form.option = Selected(OptionBox);
    form.unitText = UnitEdit->GetValue().ToStdWstring();
    return form;
}

void CDevSet_PLCContact::ShowForm() {
    const PlcContactView view = model_.View(form_);
    // Leaving the mode with a time unit keeps the unit chosen.
    OptionBox->Enable(view.optionEnabled);
    OptionLabel->Enable(view.optionEnabled);
    ShowCodeLabel(CodeLabel, view.codeLabel);
    Layout();
}

Refusal CDevSet_PLCContact::SaveDevice(DeviceRecord& record) {
    form_ = ReadForm();
    return CheckThenStore(model_, form_, record);
}

wxWindow* CDevSet_PLCContact::FieldWindow(int field) {
    switch (field) {
    case kPlcConArea:
        return AreaBox;
    case kPlcConAddress:
        return AddressEdit;
    case kPlcConMode:
        return ModeBox;
    case kPlcConOption:
        return OptionBox;
    case kPlcConUnit:
        return UnitEdit;
    default:
        return nullptr;
    }
}

CDevSetDlgBase* CreatePlcContactPage(wxWindow* editor, const DevicePageContext& context) {
    return new CDevSet_PLCContact(editor, context);
}

} // namespace qv
