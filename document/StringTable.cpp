#include "document/StringTable.h"

#include "document/Utf8.h"

namespace qv {

namespace {
const StringTable* g_active = nullptr;
}

void SetActiveStringTable(const StringTable* table) { g_active = table; }
const StringTable* ActiveStringTable() { return g_active; }

std::wstring ResString(unsigned id) {
    if (!g_active)
        return {};
    const char* text = g_active->FindUtf8(id);
    return text ? Utf8ToWide(text) : std::wstring();
}

} // namespace qv
