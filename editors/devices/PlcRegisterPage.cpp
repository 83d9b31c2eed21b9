#include "editors/devices/PlcRegisterPage.h"

#include <wx/sizer.h>

#include "document/CodeText.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/PortPageControls.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrDifference = 39217;
constexpr unsigned kStrScale = 39218;
constexpr unsigned kStrOption = 39220;

bool WideFile(const CQuorvelDoc& doc, int fileNo) {
    return fileNo >= 1 && fileNo <= static_cast<int>(FileTable::kCount) &&
           doc.Blocks().files[static_cast<size_t>(fileNo - 1)].U8(file::kWide64) != 0;
}

} // namespace

CDevSet_PLCReg::CDevSet_PLCReg(wxWindow* editor, const DevicePageContext& context)
    : CPlcPageBase(editor, context),
      model_(context.port, Unit, WideFile(context.doc, context.fileNo), context.codePage) {
    // Created in tab order.
    AddAreaRows();
    TypeBox = new wxChoice(this, wxID_ANY);
    AddRow(Label(kStrPlcDataType), {TypeBox});
    ModeBox = new wxChoice(this, wxID_ANY);
    AddRow(Label(kStrPlcMode), {ModeBox});
    DifferenceBox = new wxChoice(this, wxID_ANY);
    AddRow(Label(kStrDifference), {DifferenceBox});
    ScalingCheck = new wxCheckBox(this, wxID_ANY, Res(kStrScale));
    ScaleEdit = new wxTextCtrl(this, wxID_ANY);
    ScaleEdit->SetMaxLength(kScaleChars);
    AddRow(ScalingCheck, {ScaleEdit});
    AddUnitRow();
    OptionLabel = Label(kStrOption);
    OptionBox = new wxChoice(this, wxID_ANY);
    AddRow(OptionLabel, {OptionBox});
    FinishRows();

    form_ = model_.Load(ShownRecord());
    const PlcRegisterView view = model_.View(form_);
    ShowAreas(view.areas, form_.area, view.addressMaxChars, form_.address);
    for (int t = 0; t < view.dataTypeCount; ++t)
        TypeBox->Append(wxString(GetDataTypeName(t)));
    Select(TypeBox, form_.dataType);
    for (int d = 0; d < view.differenceCount; ++d)
        DifferenceBox->Append(wxString::Format("%d", d));
    Select(DifferenceBox, form_.difference);
    ScalingCheck->SetValue(form_.scaling);
    ScaleEdit->ChangeValue(wxString(form_.scale));
    UnitEdit->ChangeValue(wxString(form_.unitText));
    for (unsigned id : {kStrWideValueFirst, kStrWideValueFirst + 1})
        OptionBox->Append(Res(id));
    Select(OptionBox, form_.option);
    ShowForm();

    FilterEdit(AddressEdit, [this] { return model_.CharsOf(kPlcRegAddress); });
    FilterEdit(ScaleEdit, [this] { return model_.CharsOf(kPlcRegScale); });
    TypeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        form_ = ReadForm();
        model_.ChangeDataType(form_, Selected(TypeBox));
        ShowForm();
    });
    ModeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        form_ = ReadForm();
        model_.ChangeMode(form_, form_.mode);
        ShowForm();
    });
    AreaBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        form_ = ReadForm();
        ShowForm();
    });
    ScalingCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        form_ = ReadForm();
        ShowForm();
    });
    GetSizer()->SetSizeHints(this);
}

PlcRegisterForm CDevSet_PLCReg::ReadForm() const {
    PlcRegisterForm form;
    form.area = Selected(AreaBox);
    form.address = AddressEdit->GetValue().ToStdWstring();
    form.dataType = Selected(TypeBox);
    const int mode = Selected(ModeBox);
    form.mode = mode >= 0 && mode < static_cast<int>(modes_.size())
                    ? modes_[static_cast<size_t>(mode)]
                    : form_.mode;
    form.difference = Selected(DifferenceBox);
    form.scaling = ScalingCheck->GetValue();
    form.scale = ScaleEdit->GetValue().ToStdWstring();
    form.unitText = UnitEdit->GetValue().ToStdWstring();
    form.option = Selected(OptionBox);
    return form;
}

void CDevSet_PLCReg::ShowForm() {
    const PlcRegisterView view = model_.View(form_);
    modes_ = view.modes;
    ModeBox->Clear();
    int entry = -1;
    for (size_t i = 0; i < modes_.size(); ++i) {
        ModeBox->Append(wxString(GetRegisterModeName(modes_[i])));
        if (modes_[i] == form_.mode)
            entry = static_cast<int>(i);
    }
    Select(ModeBox, entry);
    Select(DifferenceBox, form_.difference);
    DifferenceBox->Enable(view.differenceEnabled);
    ScaleEdit->Enable(view.scaleEnabled);
    OptionBox->Enable(view.optionEnabled);
    OptionLabel->Enable(view.optionEnabled);
    ShowCodeLabel(CodeLabel, view.codeLabel);
    Layout();
}

Refusal CDevSet_PLCReg::SaveDevice(DeviceRecord& record) {
    form_ = ReadForm();
    return CheckThenStore(model_, form_, record);
}

wxWindow* CDevSet_PLCReg::FieldWindow(int field) {
    switch (field) {
    case kPlcRegArea:
        return AreaBox;
    case kPlcRegAddress:
        return AddressEdit;
    case kPlcRegDataType:
        return TypeBox;
    case kPlcRegMode:
        return ModeBox;
    case kPlcRegDifference:
        return DifferenceBox;
    case kPlcRegScaling:
        return ScalingCheck;
    case kPlcRegScale:
        return ScaleEdit;
    case kPlcRegUnit:
        return UnitEdit;
    case kPlcRegOption:
        return OptionBox;
    default:
        return nullptr;
    }
}

CDevSetDlgBase* CreatePlcRegisterPage(wxWindow* editor, const DevicePageContext& context) {
    return new CDevSet_PLCReg(editor, context);
}

} // namespace qv
