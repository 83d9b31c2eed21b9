// The shared trigger choice lists and recipient lists, drawn from what
// document/ListFillers decides.
#pragma once
#include <cstdint>
#include <vector>

#include "document/SettingsImage.h"

class wxItemContainer;
class wxListCtrl;

namespace qv {

// Fills box (and second, when given) with the 128 triggers, after a "no
// trigger" entry when leadingNone is set; each entry's client data is its
// trigger number (0 for the leading entry). flags gets one flag per entry, 1
// for a trigger the caller must refuse.
void FillTriggerCombo(std::vector<uint32_t>& flags, wxItemContainer& box,
                      const TriggerTable& triggers, wxItemContainer* second, bool leadingNone);
// The trigger number of an entry filled above.
int TriggerNumberOf(const wxItemContainer& box, int entry);

// Fills list with the 16 recipients, checking those whose mask bit is set; the
// column widths saved for list number listNumber replace the defaults.
void FillUserList(const UserTable& users, uint16_t mask, wxListCtrl& list, uint32_t codePage,
                  int listNumber);
// Bit i for each checked item i.
uint16_t GetCheckedMask(const wxListCtrl& list);

} // namespace qv
