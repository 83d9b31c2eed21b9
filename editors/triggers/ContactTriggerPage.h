// The contact page of the trigger editor: port, station, area or function
// code, bit address, condition and count of a contact trigger.
#pragma once
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/triggers/ContactTriggerModel.h"
#include "editors/triggers/PortTriggerPage.h"

namespace qv {

class CTrigContactDlg : public CTrigPortDlg {
public:
    CTrigContactDlg(wxWindow* editor, const TriggerPageContext& context);

    Refusal SaveTrigger(TriggerRecord& record) override;
    wxWindow* FieldWindow(int field) override;

    // Public for the tests.
    wxChoice* ConditionBox;
    wxTextCtrl* CountEdit;
    wxStaticText* CountUnit;

private:
    ContactTriggerForm ReadForm() const;
    void ShowView();
    void OnPortChanged();

    ContactTriggerModel model_;
    ContactTriggerForm form_;
};

} // namespace qv
