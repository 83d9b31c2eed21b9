#include "editors/devices/PlcContactPage.h"

#include <wx/sizer.h>

#include "app/QuorvelApp.h"
#include "document/CodeText.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/PortPageControls.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrArea = 39213;
constexpr unsigned kStrAddress = 39214;
constexpr unsigned kStrDataType = 39215;
constexpr unsigned kStrMode = 39216;
constexpr unsigned kStrUnit = 39219;
constexpr unsigned kStrTimeUnit = 39300;

} // namespace

CDevSet_PLCContact::CDevSet_PLCContact(wxWindow* editor, const DevicePageContext& context)
    : CDevSetDlgBase(editor, context), model_(context.port, Unit, context.codePage) {
    // Created in tab order.
    AreaBox = new wxChoice(this, wxID_ANY);
    CodeLabel = CreateCodeLabel(this);
    AddRow(Label(kStrArea), {AreaBox, CodeLabel});
    AddressEdit = new wxTextCtrl(this, wxID_ANY);
    AddressEdit->SetMinSize(wxSize(AddressEdit->GetTextExtent("000000").x + 16, -1));
    AddRow(Label(kStrAddress), {AddressEdit});
    ModeBox = new wxChoice(this, wxID_ANY);
    AddRow(Label(kStrMode), {ModeBox});
    OptionLabel = Label(kStrTimeUnit);
    OptionBox = new wxChoice(this, wxID_ANY);
    AddRow(OptionLabel, {OptionBox});
    UnitEdit = new wxTextCtrl(this, wxID_ANY);
    UnitEdit->SetMaxLength(dev::kUnitTextWidth);
    AddRow(Label(kStrUnit), {UnitEdit});
    TypeBox = new wxChoice(this, wxID_ANY);
    AddRow(Label(kStrDataType), {TypeBox});
    FinishRows();

    const bool hasRecord = CQuorvelDoc::FindDeviceRecord(Devices, FileNo, DeviceNumber, 0) >= 0;
    form_ = model_.Load(hasRecord ? &Devices[static_cast<size_t>(RecordIndex)] : nullptr);
    const PlcContactView view = model_.View(form_);
    for (const AreaItem& item : view.areas)
        AreaBox->Append(wxString(item.text));
    Select(AreaBox, form_.area);
    AddressEdit->SetMaxLength(view.addressMaxChars);
    AddressEdit->ChangeValue(wxString(form_.address));
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
    const Refusal refusal = model_.Check(form_, wxGetApp().languageIndex != 0);
    if (refusal.Refused())
        return refusal; // the editor shows it
    model_.Store(form_, record);
    return {};
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
