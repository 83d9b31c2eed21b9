// The trigger editor's kind pages: each shows the parameters of one kind of
// trigger and, on the editor's OK, checks them and writes them into the
// edited record. The checks and the stores live in the kind's model.
#pragma once
#include <cstdint>
#include <wx/panel.h>

#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

class CQuorvelDoc;

// What a page is opened on: the editor's copy of the trigger table and the
// index of the edited record (0 to 127).
struct TriggerPageContext {
    CQuorvelDoc& doc;
    const TriggerTable& triggers;
    int index;
    uint32_t codePage;
};

class CTrigDlgBase : public wxPanel {
public:
    CTrigDlgBase(wxWindow* editor, const TriggerPageContext& context);

    // Checks the page's fields; when they pass, writes them into `record`
    // (the editor's copy of the edited record) and returns no refusal.
    virtual Refusal SaveTrigger(TriggerRecord& record) = 0;
    // The control a refusal's field number names; null for none.
    virtual wxWindow* FieldWindow(int field) = 0;

protected:
    CQuorvelDoc& Document;
    TriggerTable Triggers; // the page's own copy
    int Index;
    uint32_t CodePage;
    UnitBlock Unit; // each serial port's record, for the contact and register pages
};

// The page of `kind` (1 to 5) as a child of the editor; null for kind 0 and
// any other value.
CTrigDlgBase* CreateKindPage(int kind, wxWindow* editor, const TriggerPageContext& context);

// One creator for each kind, each beside its page.
CTrigDlgBase* CreateCycleTriggerPage(wxWindow* editor, const TriggerPageContext& context);
CTrigDlgBase* CreateDateTriggerPage(wxWindow* editor, const TriggerPageContext& context);
CTrigDlgBase* CreateContactTriggerPage(wxWindow* editor, const TriggerPageContext& context);
CTrigDlgBase* CreateRegisterTriggerPage(wxWindow* editor, const TriggerPageContext& context);
CTrigDlgBase* CreateCombinationTriggerPage(wxWindow* editor, const TriggerPageContext& context);

} // namespace qv
