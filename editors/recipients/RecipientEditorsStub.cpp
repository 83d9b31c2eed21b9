// Placeholder until the recipient and send-group editors land.
#include "editors/recipients/RecipientEditors.h"

namespace qv {
bool RunRecipientEditor(wxWindow*, CQuorvelDoc&, UserTable&, int) {
    return false;
}
bool RunSendGroupEditor(wxWindow*, CQuorvelDoc&, GroupTable&, const UserTable&, int) {
    return false;
}
} // namespace qv
