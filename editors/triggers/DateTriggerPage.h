// The date page of the trigger editor: a repeat type and the calendar fields
// it uses; the others stay shown but disabled.
#pragma once
#include "editors/triggers/DateTriggerModel.h"
#include "editors/triggers/TriggerKindPage.h"

class wxCheckBox;
class wxChoice;
class wxTextCtrl;

namespace qv {

class CTrigDateDlg : public CTrigDlgBase {
public:
    CTrigDateDlg(wxWindow* editor, const TriggerPageContext& context);

    Refusal SaveTrigger(TriggerRecord& record) override;
    wxWindow* FieldWindow(int field) override;
    // Enables the fields of the chosen repeat type.
    void UpdateDateControls();

    wxChoice* RepeatList;
    wxTextCtrl* YearEdit;
    wxChoice* MonthList;
    wxChoice* DayList;
    wxChoice* HourList;
    wxChoice* MinuteList;
    wxChoice* SecondList;
    wxCheckBox* WeekdayBox[kWeekdays]; // by bit
};

} // namespace qv
