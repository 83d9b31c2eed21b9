#include "editors/triggers/TriggerKindPage.h"

#include "document/QuorvelDoc.h"

namespace qv {

CTrigDlgBase::CTrigDlgBase(wxWindow* editor, const TriggerPageContext& context)
    : wxPanel(editor, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL),
      Document(context.doc), Triggers(context.triggers), Index(context.index),
      CodePage(context.codePage), Unit(context.doc.Blocks().unit) {}

CTrigDlgBase* CreateKindPage(int kind, wxWindow* editor, const TriggerPageContext& context) {
    switch (kind) {
    case kTriggerCycle: return CreateCycleTriggerPage(editor, context);
    case kTriggerDate: return CreateDateTriggerPage(editor, context);
    case kTriggerContact: return CreateContactTriggerPage(editor, context);
    case kTriggerRegister: return CreateRegisterTriggerPage(editor, context);
    case kTriggerCombination: return CreateCombinationTriggerPage(editor, context);
    default: return nullptr;
    }
}

} // namespace qv
