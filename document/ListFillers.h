// What the shared trigger choice lists and recipient lists show, decided
// without windows; ui/ListFillers draws it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kStrNoTrigger = 9045;
constexpr unsigned kStrRecipientColumns[4] = {3081, 3082, 3083, 3084};
constexpr unsigned kMsgPortChangeRemoves = 20318;

struct TriggerChoice {
    std::wstring text;
    int itemData = 0;  // trigger number, 0 for the leading entry
    uint32_t flag = 0; // 1: a trigger that files, data sets, mail sending,
                       // clock synchronisation and combinations may not use
};

// The 128 triggers, "*%d(%s)" for a flagged one and "%d(%s)" otherwise,
// after the "no trigger" entry when leadingNone is set.
std::vector<TriggerChoice> TriggerChoices(const TriggerTable& triggers, uint32_t codePage,
                                          bool leadingNone);
bool IsRestrictedTrigger(const TriggerRecord& t);
// What every chooser of a trigger says when a flagged one is chosen.
constexpr unsigned kMsgExcludedTrigger = 20141;

struct RecipientRow {
    bool checked = false;
    std::wstring number;
    std::wstring name;
    std::wstring address;
};
constexpr size_t kRecipientCount = 16;

std::vector<RecipientRow> RecipientRows(const UserTable& users, uint16_t mask, uint32_t codePage);
// The names of the users whose bits the mask sets, in order, between them ", "
// and after the last nothing.
std::wstring RecipientNames(const UserTable& users, uint16_t mask, uint32_t codePage);
// Bit i for checked item i; items past the 16th do not count.
uint16_t MaskOfChecked(const std::vector<bool>& checked);

struct ColumnLayout {
    int width;
    bool centred;
};
// The default column widths of the recipient list shown as list number list,
// replaced by a saved width (savedWidths[c], when 0 or more).
std::vector<ColumnLayout> RecipientColumns(int list, const std::vector<int32_t>& savedWidths);

} // namespace qv
