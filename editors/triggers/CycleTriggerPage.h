// The cycle page of the trigger editor: a period in seconds, minutes or
// hours, aligned to the clock or free.
#pragma once
#include "editors/triggers/TriggerKindPage.h"

class wxRadioButton;
class wxTextCtrl;

namespace qv {

class CTrigCycleDlg : public CTrigDlgBase {
public:
    CTrigCycleDlg(wxWindow* editor, const TriggerPageContext& context);

    Refusal SaveTrigger(TriggerRecord& record) override;
    wxWindow* FieldWindow(int field) override;

    wxRadioButton* AlignedRadio;
    wxRadioButton* FreeRadio;
    wxRadioButton* UnitRadio[3]; // seconds, minutes, hours
    wxTextCtrl* PeriodEdit;
};

} // namespace qv
