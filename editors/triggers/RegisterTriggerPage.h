// The register comparison page of the trigger editor: port, station, area or
// function code, word address, data type, operator and limits, the exclusion
// and the page's options.
#pragma once
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/triggers/RegisterTriggerModel.h"
#include "editors/triggers/PortTriggerPage.h"

namespace qv {

class CTrigRegDlg : public CTrigPortDlg {
public:
    CTrigRegDlg(wxWindow* editor, const TriggerPageContext& context);

    Refusal SaveTrigger(TriggerRecord& record) override;
    wxWindow* FieldWindow(int field) override;

    // Public for the tests.
    wxChoice* TypeBox;
    wxChoice* OperatorBox;
    wxStaticText* OptionText; // in place of the operator box
    wxTextCtrl* Value1Edit;
    wxStaticText* BetweenText;
    wxTextCtrl* Value2Edit;
    wxRadioButton* UsableRadio;
    wxRadioButton* ExcludedRadio;
    wxCheckBox* OptionCheck;
    wxChoice* ChoiceBox;
    wxCheckBox* BracketCheck;
    wxTextCtrl* BracketEdit;

private:
    RegisterTriggerForm ReadForm() const;
    // Puts the form into the controls whose content depends on it.
    void ShowForm();
    void ShowView();

    RegisterTriggerModel model_;
    RegisterTriggerForm form_;
    std::vector<int> operators_; // the operator box's codes
};

} // namespace qv
