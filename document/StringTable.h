// Texts by number from the loaded language module. Core code asks for texts
// through ResString(); the application (or a test) makes a table active.
#pragma once
#include <string>

namespace qv {

class StringTable {
public:
    virtual ~StringTable() = default;
    // The text of a number, or nullptr when the table has none.
    virtual const char* FindUtf8(unsigned id) const = 0;
};

void SetActiveStringTable(const StringTable* table);
const StringTable* ActiveStringTable();

// The text of a number in the active table; empty when there is no table or no such text.
std::wstring ResString(unsigned id);

} // namespace qv
