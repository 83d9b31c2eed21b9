// The one-line condition text of a trigger, as the trigger list shows it and
// the printed report prints it, and the names of triggers. Both read the same
// record bytes; the few places where they word a trigger differently come in
// the style.
#pragma once
#include <cstdint>
#include <string>

#include "document/Records.h"
#include "document/SettingsImage.h"

namespace qv {

struct TriggerTextStyle {
    // A function-code trigger names its function code before the code digits.
    bool funcCodeName;
    // A register trigger whose byte 0x25 is 1 carries " [×]" after its type.
    bool registerMarker;
    // Operands of a combination are named only up to this trigger number;
    // others print an empty name.
    size_t namedTriggers;
};

// The report names only the triggers a user can set up.
constexpr size_t kReportTriggerCount = 128;

inline constexpr TriggerTextStyle kTriggerListStyle{true, false, TriggerTable::kCount};
inline constexpr TriggerTextStyle kTriggerReportStyle{false, true, kReportTriggerCount};

// The condition text of record `index` of the table by its kind byte; the
// empty text for kind 0, an unknown kind or an index outside the table.
std::wstring TriggerConditionText(const TriggerTable& table, int index, const UnitBlock& unit,
                                  uint32_t codePage, const TriggerTextStyle& style);

// The texts of each kind; each reads its own fields whatever the kind byte
// says. A code outside its range leaves its part empty.
std::wstring CycleTriggerText(const TriggerRecord& record);
std::wstring DateTriggerText(const TriggerRecord& record);
std::wstring ContactTriggerText(const TriggerRecord& record, const UnitBlock& unit,
                                const TriggerTextStyle& style);
std::wstring RegisterTriggerText(const TriggerRecord& record, const UnitBlock& unit,
                                 const TriggerTextStyle& style);
std::wstring CombiTriggerText(const TriggerTable& table, const TriggerRecord& record,
                              uint32_t codePage, size_t namedTriggers = TriggerTable::kCount);

// A trigger's name: its 32 name bytes up to the first NUL.
std::wstring TriggerNameText(const TriggerRecord& record, uint32_t codePage);
// The name of 1-based trigger `number`; empty for 0 and for numbers above
// `namedTriggers` or outside the table.
std::wstring TriggerNameByNumber(const TriggerTable& table, long long number, uint32_t codePage,
                                 size_t namedTriggers = kReportTriggerCount);

} // namespace qv
