// The recipient and send-group editors. Neither touches the document: each
// edits its owner's copy and hands it back only on OK.
#pragma once
#include "document/SettingsImage.h"

class wxWindow;

namespace qv {

class CQuorvelDoc;

// Edits recipient `index` (0..15) of `users`, the owner's copy; on OK
// replaces it and returns true, on Cancel leaves it and returns false.
bool RunRecipientEditor(wxWindow* owner, CQuorvelDoc& doc, UserTable& users, int index);

// Edits send group `index` (0..15) of `groups`, the file editor's copy, whose
// member list shows the recipients of `users`; true on OK.
bool RunSendGroupEditor(wxWindow* owner, CQuorvelDoc& doc, GroupTable& groups,
                        const UserTable& users, int index);

} // namespace qv
