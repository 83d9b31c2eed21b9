#include "editors/unitname/UnitNameModel.h"

#include <optional>

#include "document/CodePageText.h"

namespace qv {

UnitNameForm LoadUnitName(const UnitBlock& unit, uint32_t codePage) {
    UnitNameForm form;
    form.name = ReadTextField(unit.data() + unit::kName, kUnitNameWidth, codePage);
    const int option = unit.U8(unit::kUnitOption);
    form.option = option <= 1 ? option : -1;
    return form;
}

Refusal CheckUnitName(const std::wstring& name, uint32_t codePage) {
    const std::optional<std::string> bytes = WideToMulti(name, codePage);
    if (!bytes)
        return Refuse(kMsgTextNotInCodePage, kUnitNameField);
    if (bytes->size() > kUnitNameWidth)
        return Refuse(kMsgUnitNameTooLong, kUnitNameField, {16, 32});
    return {};
}

void StoreUnitName(const std::wstring& name, UnitBlock& current, uint32_t codePage) {
    uint8_t* field = current.data() + unit::kName;
    if (const auto bytes = ShownTextToMulti(FieldBytes(field, kUnitNameWidth), name, codePage))
        WriteMultiField(field, kUnitNameWidth, *bytes, codePage);
}

bool StoreUnitOption(int option, UnitBlock& current) {
    if (option != 0 && option != 1)
        return false;
    const uint8_t before = current.U8(unit::kUnitOption);
    current.SetU8(unit::kUnitOption, static_cast<uint8_t>(option));
    return before != option;
}

} // namespace qv
