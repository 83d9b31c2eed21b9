#include "editors/config/ConfigFileModel.h"

#include "document/StringTable.h"
#include "resources/SystemSettingsTexts.h"

namespace qv {

namespace {

constexpr size_t kTitleRow = 0, kUnitRow = 1, kStorage = 2, kSeparator = 3, kColumns = 4,
                 kDateOrder = 5, kLineEnd = 6, kNameParts = 7;

bool Bit(uint8_t byte, size_t bit) {
    return (byte >> bit) & 1;
}

} // namespace

ConfigFileForm LoadConfigFile(const ErrorNotifyBlock& errors, const FileTable& files) {
    ConfigFileForm form;
    form.titleRow = errors.U8(kTitleRow) == 0;
    form.unitRow = errors.U8(kUnitRow) == 0;
    form.storage = Bit(errors.U8(kStorage), 0);
    form.whenFull = Bit(errors.U8(kStorage), 1);
    form.separator = errors.U8(kSeparator) != 0;
    for (size_t b = 0; b < form.columns.size(); ++b)
        form.columns[b] = !Bit(errors.U8(kColumns), b);
    form.dateOrder = errors.U8(kDateOrder) != 0;
    form.lineEnd = errors.U8(kLineEnd) != 0;
    for (size_t b = 0; b < form.nameParts.size(); ++b)
        form.nameParts[b] = !Bit(errors.U8(kNameParts), b);
    form.closeAtMidnight = errors.U8(errnotify::kCheck1423) != 0;
    form.systemHistory = errors.U8(errnotify::kCheck1405) != 0;
    form.triggerHistory = errors.U8(errnotify::kCheck1408) != 0;
    const uint8_t decimals = files[0].U8(file::kDecimals);
    form.decimals = decimals <= kDecimalsMax ? decimals : -1;
    return form;
}

void StoreConfigFile(const ConfigFileForm& form, ErrorNotifyBlock& errors, FileTable& files) {
    errors.SetU8(kTitleRow, form.titleRow ? 0 : 1);
    errors.SetU8(kUnitRow, form.unitRow ? 0 : 1);
    errors.SetU8(kStorage, static_cast<uint8_t>((form.storage ? 1 : 0) | (form.whenFull ? 2 : 0)));
    errors.SetU8(kSeparator, form.separator ? 1 : 0);
    uint8_t columns = 0;
    for (size_t b = 0; b < form.columns.size(); ++b)
        columns |= static_cast<uint8_t>(form.columns[b] ? 0 : 1u << b);
    errors.SetU8(kColumns, columns);
    errors.SetU8(kDateOrder, form.dateOrder ? 1 : 0);
    errors.SetU8(kLineEnd, form.lineEnd ? 1 : 0);
    uint8_t parts = 0;
    for (size_t b = 0; b < form.nameParts.size(); ++b)
        parts |= static_cast<uint8_t>(form.nameParts[b] ? 0 : 1u << b);
    errors.SetU8(kNameParts, parts);
    errors.SetU8(errnotify::kCheck1423, form.closeAtMidnight ? 1 : 0);
    errors.SetU8(errnotify::kCheck1405, form.systemHistory ? 1 : 0);
    errors.SetU8(errnotify::kCheck1408, form.triggerHistory ? 1 : 0);
    // No entry chosen for a value the box does not offer: the records keep it.
    if (form.decimals < 0 || form.decimals > kDecimalsMax)
        return;
    for (FileRecord& record : files.records)
        record.SetU8(file::kDecimals, static_cast<uint8_t>(form.decimals));
}

std::wstring ExampleLogFileName(const std::array<bool, 5>& parts) {
    // Where the file lies is worded in the interface language; the rest is
    // the name the unit writes.
    std::wstring name = L" " + ResString(systemtext::kExampleStorage);
    if (parts[kNameFolder])
        name += L"/TEST/Log";
    name += L"/TEST";
    if (parts[kNameBrackets])
        name += L"(";
    if (!parts[kNameShortYear])
        name += L"20";
    name += L"100801";
    if (parts[kNameTime])
        name += L"_093000";
    if (parts[kNameTrigger])
        name += L"_SET";
    if (parts[kNameBrackets])
        name += L")";
    name += L".csv";
    return name;
}

} // namespace qv
