// The trigger list: its 128 rows, the deletion of the checked triggers, the
// chooser's OK and the window's stored rectangle.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/ListFillers.h"
#include "document/ProfileStore.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"
#include "editors/EditorQuestions.h"

namespace qv {

constexpr unsigned kStrTriggerFlagged = 4072;
constexpr unsigned kMsgDeleteNoneChecked = 20003;
constexpr unsigned kMsgDeleteTriggers = 20004;
constexpr unsigned kMsgChooseOnlyOne = 20005;
constexpr unsigned kMsgChooseNone = 20006;

struct TriggerRow {
    std::wstring number; // "%d" of the trigger number
    std::wstring name;
    std::wstring kind;
    std::wstring condition;
    std::wstring flag; // string 4072 or "-"; empty for an empty record
};

// The condition text of record `index` (another model formats it).
using TriggerConditionFormat = std::function<std::wstring(const TriggerTable&, size_t index)>;

// Row i of the list; an empty record (no name, kind 0) shows only its number.
TriggerRow TriggerListRow(const TriggerTable& triggers, size_t index, uint32_t codePage,
                          const TriggerConditionFormat& condition = {});
std::vector<TriggerRow> TriggerListRows(const TriggerTable& triggers, uint32_t codePage,
                                        const TriggerConditionFormat& condition = {});

// Rows of triggers of every kind as a user usually sets them up, by which the
// list's columns take their first widths.
std::vector<TriggerRow> TypicalTriggerRows(uint32_t codePage,
                                           const TriggerConditionFormat& condition);

// Deleting the checked rows (checked[i] for row i). References to the deleted
// triggers in other tables are left as they are.
struct TriggerDeletion {
    Refusal refusal;          // nothing checked
    bool deleted = false;     // false also when the question was cancelled
    std::vector<size_t> rows; // the emptied rows, whose check boxes clear
};
// Empties the records in `triggers` (the list's copy, which then goes into
// the document at once) after the OK/Cancel question.
TriggerDeletion DeleteCheckedTriggers(TriggerTable& triggers, const std::vector<bool>& checked,
                                      EditorQuestions& questions);

// The chooser's OK: exactly one checked row that names no excluded trigger.
// The anchor row plays no part: only the check boxes say what was chosen.
struct TriggerChooserOk {
    Refusal refusal;
    int chosen = -1; // the trigger number (row + 1)
};
TriggerChooserOk ChooseCheckedTrigger(const TriggerTable& triggers,
                                      const std::vector<bool>& checked);

// The window's stored rectangle (Settings\Config, "TrigSel Left/Top/Width/
// Height"); a size is applied only when both sides are positive and sane.
struct WindowRect {
    int left = 0, top = 0, width = 0, height = 0;
};
constexpr int kMaxWindowSide = 16384;
std::optional<WindowRect> LoadTriggerListRect(const ProfileStore& profile);
void SaveTriggerListRect(ProfileStore& profile, const WindowRect& rect);

} // namespace qv
