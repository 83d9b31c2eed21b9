// The recipients pane's one change of its own: clearing checked recipients.
#pragma once
#include <vector>

#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kMsgClearCheckedRows = 20004;

// Clears every record of `rows` (0..15) to zeros; the others keep their bytes.
void ClearRecipients(UserTable& users, const std::vector<int>& rows);

} // namespace qv
