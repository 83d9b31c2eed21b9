// The combination page of the trigger editor: two triggers of the table
// joined by AND or OR.
#pragma once
#include "editors/triggers/CombinationTriggerModel.h"
#include "editors/triggers/TriggerKindPage.h"

class wxChoice;

namespace qv {

class CTrigCombiDlg : public CTrigDlgBase {
public:
    CTrigCombiDlg(wxWindow* editor, const TriggerPageContext& context);

    Refusal SaveTrigger(TriggerRecord& record) override;
    wxWindow* FieldWindow(int field) override;

    wxChoice* FirstList;
    wxChoice* OperatorList;
    wxChoice* SecondList;

private:
    // An excluded trigger is refused at once and the box shows its last
    // accepted choice again.
    void OnOperandChosen(CombinationField box);

    CombinationForm form_;
};

} // namespace qv
