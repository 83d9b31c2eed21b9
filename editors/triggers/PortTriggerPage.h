// The base of the contact and register pages: the grid of labelled rows
// that starts with the port, station, code and address of the watched
// device, and the store both pages share.
#pragma once
#include <initializer_list>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/triggers/PortPageControls.h"
#include "editors/triggers/TriggerKindModel.h"
#include "editors/triggers/TriggerKindPage.h"

namespace qv {

// Field numbers both pages give their first four rows.
enum PortPageField { kPortPagePort = 1, kPortPageStation, kPortPageCode, kPortPageAddress };

class CTrigPortDlg : public CTrigDlgBase {
public:
    CTrigPortDlg(wxWindow* editor, const TriggerPageContext& context, size_t addressChars);

    // Public for the tests.
    wxChoice* PortBox;
    wxChoice* StationBox;
    wxChoice* CodeBox;
    wxStaticText* CodeLabel;
    wxTextCtrl* AddressEdit;

protected:
    // A label and its controls as the grid's next row.
    void AddRow(unsigned labelId, wxSizer* controls);
    // Controls side by side, the first one stretching.
    static wxSizer* Line(std::initializer_list<wxWindow*> controls);
    // The window of one of the four shared fields; null for the others.
    wxWindow* SharedFieldWindow(int field) const;
    // The page's column with the grid on top; the caller adds what follows.
    wxBoxSizer* PageColumn();
    // The station and code boxes for the form's port.
    template <class Form> void ShowPortChoices(const Form& form, const PortChoices& choices) {
        FillStationBox(StationBox, choices, form.station);
        FillCodeBox(CodeBox, choices, form.code);
    }
    template <class Form> void ShowPortFields(const Form& form, const PortChoices& choices) {
        Select(PortBox, form.port);
        ShowPortChoices(form, choices);
        AddressEdit->ChangeValue(wxString(form.address));
    }
    template <class Form> void ReadPortFields(Form& form) const {
        form.port = Selected(PortBox);
        form.station = Selected(StationBox);
        form.code = Selected(CodeBox);
        form.address = AddressEdit->GetValue().ToStdWstring();
    }

    // After the model's check: a refusal goes back to the editor; otherwise
    // the kind's parameters are cleared, `store` writes the form and the
    // page's copy follows the record.
    template <class Store>
    Refusal StoreChecked(const Refusal& refusal, TriggerKind kind, TriggerRecord& record,
                         Store store) {
        if (refusal.Refused())
            return refusal; // the editor shows it
        PrepareKindParameters(record, kind);
        store(record);
        Triggers[Index] = record;
        return {};
    }

private:
    wxFlexGridSizer* grid_;
};

} // namespace qv
