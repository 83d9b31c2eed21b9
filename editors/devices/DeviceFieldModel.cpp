#include "editors/devices/DeviceFieldModel.h"

#include "document/CodePageText.h"

namespace qv {

std::wstring LoadUnitText(const DeviceRecord& record, uint32_t codePage) {
    return ReadTextField(record.data() + dev::kUnitText, dev::kUnitTextWidth, codePage);
}

Refusal CheckUnitText(const std::wstring& text, uint32_t codePage, bool doubleByteUi, int field) {
    const std::optional<std::string> unit = WideToMulti(text, codePage);
    if (!unit)
        return Refuse(kMsgTextNotInCodePage, field);
    if (unit->size() > dev::kUnitTextWidth)
        return doubleByteUi ? Refuse(kMsgUnitTextTooLongWide, field, {4, 2})
                            : Refuse(kMsgUnitTextTooLong, field, {4});
    return {};
}

void StoreUnitText(const std::wstring& text, DeviceRecord& record, uint32_t codePage) {
    const std::string stored = FieldBytes(record.data() + dev::kUnitText, dev::kUnitTextWidth);
    if (const auto unit = ShownTextToMulti(stored, text, codePage))
        WriteMultiField(record.data() + dev::kUnitText, dev::kUnitTextWidth, *unit, codePage);
}

} // namespace qv
