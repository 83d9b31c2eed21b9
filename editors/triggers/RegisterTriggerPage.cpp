#include "editors/triggers/TriggerKindPage.h"

namespace qv {

// The page comes with its window; until then the editor shows none.
CTrigDlgBase* CreateRegisterTriggerPage(wxWindow*, const TriggerPageContext&) { return nullptr; }

} // namespace qv
