#include "editors/triggers/DateTriggerPage.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/triggers/TimePageEdits.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrRepeat = 37304, kStrYear = 37305, kStrMonth = 37306, kStrDay = 37307,
                   kStrHour = 37308, kStrMinute = 37309, kStrSecond = 37310, kStrWeekdays = 37311;

} // namespace

CTrigDateDlg::CTrigDateDlg(wxWindow* editor, const TriggerPageContext& context)
    : CTrigDlgBase(editor, context) {
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    auto row = [&](unsigned label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(label)), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(control, 1, wxEXPAND);
    };
    auto list = [&](unsigned label, DateField field) {
        auto* c = new wxChoice(this, wxID_ANY);
        for (const std::wstring& item : DateListItems(field))
            c->Append(item);
        row(label, c);
        return c;
    };
    // Created in tab order.
    RepeatList = list(kStrRepeat, kDateFieldRepeat);
    YearEdit = new wxTextCtrl(this, wxID_ANY);
    YearEdit->SetMaxLength(kYearChars);
    TakeDigitsOnly(YearEdit);
    row(kStrYear, YearEdit);
    MonthList = list(kStrMonth, kDateFieldMonth);
    DayList = list(kStrDay, kDateFieldDay);
    HourList = list(kStrHour, kDateFieldHour);
    MinuteList = list(kStrMinute, kDateFieldMinute);
    SecondList = list(kStrSecond, kDateFieldSecond);

    auto* weekBox = NewFrameSizer(wxHORIZONTAL, this, Res(kStrWeekdays));
    for (int b = 0; b < kWeekdays; ++b) {
        WeekdayBox[b] =
            new wxCheckBox(weekBox->GetStaticBox(), wxID_ANY, Res(kStrFirstWeekday + b));
        weekBox->Add(WeekdayBox[b], 0, wxALL, 4);
    }

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxEXPAND | wxALL, 10);
    column->Add(weekBox, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);

    const DateForm form = LoadDateForm(Triggers[Index]);
    RepeatList->SetSelection(form.repeat);
    YearEdit->ChangeValue(form.year);
    MonthList->SetSelection(form.month);
    DayList->SetSelection(form.day);
    HourList->SetSelection(form.hour);
    MinuteList->SetSelection(form.minute);
    SecondList->SetSelection(form.second);
    for (int b = 0; b < kWeekdays; ++b)
        WeekdayBox[b]->SetValue(form.weekdays[b]);
    RepeatList->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateDateControls(); });
    UpdateDateControls();
}

void CTrigDateDlg::UpdateDateControls() {
    const int repeat = RepeatList->GetSelection();
    for (int f = kDateFieldYear; f <= kDateFieldWeekdays; ++f) {
        const auto field = static_cast<DateField>(f);
        const bool on = IsDateFieldEnabled(field, repeat);
        if (field == kDateFieldWeekdays)
            for (wxCheckBox* box : WeekdayBox)
                box->Enable(on);
        else
            FieldWindow(field)->Enable(on);
    }
}

Refusal CTrigDateDlg::SaveTrigger(TriggerRecord& record) {
    DateForm form;
    form.repeat = RepeatList->GetSelection();
    form.year = YearEdit->GetValue().ToStdWstring();
    form.month = MonthList->GetSelection();
    form.day = DayList->GetSelection();
    form.hour = HourList->GetSelection();
    form.minute = MinuteList->GetSelection();
    form.second = SecondList->GetSelection();
    for (int b = 0; b < kWeekdays; ++b)
        form.weekdays[b] = WeekdayBox[b]->GetValue();
    Refusal refusal = CheckDateForm(form);
    if (refusal.Refused())
        return refusal;
    TriggerRecord page = Triggers[Index];
    StoreDateForm(form, page);
    // The name belongs to the editor.
    for (size_t i = trig::kKind; i < TriggerRecord::kSize; ++i)
        record.SetU8(i, page.U8(i));
    return refusal;
}

wxWindow* CTrigDateDlg::FieldWindow(int field) {
    switch (field) {
    case kDateFieldRepeat:
        return RepeatList;
    case kDateFieldYear:
        return YearEdit;
    case kDateFieldMonth:
        return MonthList;
    case kDateFieldDay:
        return DayList;
    case kDateFieldHour:
        return HourList;
    case kDateFieldMinute:
        return MinuteList;
    case kDateFieldSecond:
        return SecondList;
    case kDateFieldWeekdays:
        return WeekdayBox[0];
    default:
        return nullptr;
    }
}

CTrigDlgBase* CreateDateTriggerPage(wxWindow* editor, const TriggerPageContext& context) {
    return new CTrigDateDlg(editor, context);
}

} // namespace qv
