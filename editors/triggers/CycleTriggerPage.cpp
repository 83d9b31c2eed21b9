#include "editors/triggers/CycleTriggerPage.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/triggers/CycleTriggerModel.h"
#include "editors/triggers/TimePageEdits.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrMode = 37301, kStrUnit = 37302, kStrPeriod = 37303;
constexpr unsigned kStrAligned = 5145, kStrFree = 5146;
constexpr unsigned kStrFirstUnit = 4187; // seconds, minutes, hours

} // namespace

CTrigCycleDlg::CTrigCycleDlg(wxWindow* editor, const TriggerPageContext& context)
    : CTrigDlgBase(editor, context) {
    // Created in tab order: mode, unit, period.
    auto* modeBox = NewFrameSizer(wxHORIZONTAL, this, Res(kStrMode));
    AlignedRadio = new wxRadioButton(modeBox->GetStaticBox(), wxID_ANY, Res(kStrAligned),
                                     wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    FreeRadio = new wxRadioButton(modeBox->GetStaticBox(), wxID_ANY, Res(kStrFree));
    modeBox->Add(AlignedRadio, 0, wxALL, 6);
    modeBox->Add(FreeRadio, 0, wxALL, 6);

    auto* unitBox = NewFrameSizer(wxHORIZONTAL, this, Res(kStrUnit));
    for (int u = 0; u < 3; ++u) {
        UnitRadio[u] = new wxRadioButton(unitBox->GetStaticBox(), wxID_ANY, Res(kStrFirstUnit + u),
                                         wxDefaultPosition, wxDefaultSize, u == 0 ? wxRB_GROUP : 0);
        unitBox->Add(UnitRadio[u], 0, wxALL, 6);
    }

    auto* periodRow = new wxBoxSizer(wxHORIZONTAL);
    periodRow->Add(new wxStaticText(this, wxID_ANY, Res(kStrPeriod)), 0,
                   wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
    PeriodEdit = new wxTextCtrl(this, wxID_ANY);
    PeriodEdit->SetMaxLength(kCyclePeriodChars);
    TakeDigitsOnly(PeriodEdit);
    periodRow->Add(PeriodEdit, 1, wxEXPAND);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(modeBox, 0, wxEXPAND | wxALL, 10);
    column->Add(unitBox, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    column->Add(periodRow, 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    const CycleForm form = LoadCycleForm(Triggers[Index]);
    AlignedRadio->SetValue(form.mode == kCycleAligned);
    FreeRadio->SetValue(form.mode != kCycleAligned);
    // A group always shows one button checked, so a stored unit without a
    // button shows seconds, and what is shown is what a save stores.
    UnitRadio[form.unit >= 0 && form.unit < 3 ? form.unit : 0]->SetValue(true);
    PeriodEdit->ChangeValue(form.period);
}

Refusal CTrigCycleDlg::SaveTrigger(TriggerRecord& record) {
    CycleForm form;
    form.mode = AlignedRadio->GetValue() ? kCycleAligned : kCycleFree;
    for (int u = 0; u < 3; ++u)
        if (UnitRadio[u]->GetValue())
            form.unit = u;
    form.period = PeriodEdit->GetValue().ToStdWstring();
    Refusal refusal = CheckCycleForm(form);
    if (refusal.Refused())
        return refusal;
    TriggerRecord page = Triggers[Index];
    StoreCycleForm(form, page);
    // The name belongs to the editor.
    for (size_t i = trig::kKind; i < TriggerRecord::kSize; ++i)
        record.SetU8(i, page.U8(i));
    return refusal;
}

wxWindow* CTrigCycleDlg::FieldWindow(int field) {
    if (field == kCycleFieldUnit)
        return UnitRadio[0];
    return field == kCycleFieldPeriod ? PeriodEdit : nullptr;
}

CTrigDlgBase* CreateCycleTriggerPage(wxWindow* editor, const TriggerPageContext& context) {
    return new CTrigCycleDlg(editor, context);
}

} // namespace qv
