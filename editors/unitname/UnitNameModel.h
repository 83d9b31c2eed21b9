// The unit's name and its two-way option, as the unit-name page shows them.
// Both are written into the document's current unit block and nothing else
// of it, so port settings changed meanwhile stay as the document has them.
#pragma once
#include <cstdint>
#include <string>

#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr int kUnitNameField = 1162;
constexpr int kUnitOptionField = 5206;
constexpr size_t kUnitNameWidth = 32;
constexpr unsigned kMsgUnitNameTooLong = 20000; // with 16 and 32

struct UnitNameForm {
    std::wstring name;
    int option = 0; // -1: the stored option is neither 0 nor 1
};

UnitNameForm LoadUnitName(const UnitBlock& unit, uint32_t codePage);
// A name longer than the field in the code page is refused, never cut.
Refusal CheckUnitName(const std::wstring& name, uint32_t codePage);
// Writes the name alone; an unchanged name keeps its stored bytes.
void StoreUnitName(const std::wstring& name, UnitBlock& current, uint32_t codePage);
// Writes the option alone; -1 keeps the stored value. True when the byte changed.
bool StoreUnitOption(int option, UnitBlock& current);

} // namespace qv
