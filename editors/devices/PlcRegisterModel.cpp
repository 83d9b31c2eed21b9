#include "editors/devices/PlcRegisterModel.h"

#include <cstdio>
#include <cstring>

#include "document/AddressText.h"
#include "document/TextChecks.h"
#include "document/ValueText.h"
#include "editors/triggers/PortTriggerModel.h"

namespace qv {

namespace {

constexpr int kAreaDT = 15;
constexpr int kDeviceKindRegister = 1;
constexpr size_t kAreaAddressChars = 5;
constexpr size_t kFuncAddressChars = 4;
constexpr uint64_t kHighestWordAddress = 99999;

bool Is64Bit(int dataType) {
    return dataType == kTypeS64 || dataType == kTypeU64;
}

bool TakesOption(int dataType) {
    return dataType >= kTypeS32 && dataType <= kTypeU64;
}

float ScaleOf(const DeviceRecord& r) {
    const uint32_t bits = r.U32(dev::kScale);
    float f = 0;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// The scale's value when its text is a valid number, with the message that
// refuses it otherwise.
FloatTextResult ReadScale(const std::wstring& text) {
    if (!IsDecimalText(text.size(), text))
        return {false, 0.0f, kMsgBadNumberText};
    if (!HasAtMostSixDigits(text))
        return {false, 0.0f, kMsgScaleTooPrecise};
    return TextToFloat(text);
}

} // namespace

PlcRegisterForm PlcRegisterModel::Load(const DeviceRecord* record) const {
    PlcRegisterForm form;
    const PlcRegisterView view = View(form);
    const bool isRegister = record && record->U8(dev::kIsRegister) == kDeviceKindRegister;
    if (record)
        form.area = IndexOfCode(view.areas, record->U8(dev::kArea));
    if (form.area < 0)
        form.area =
            view.funcCodes ? (view.areas.empty() ? -1 : 0) : IndexOfCode(view.areas, kAreaDT);

    const uint32_t address = isRegister ? record->U32(dev::kAddress) : 0;
    wchar_t text[16];
    std::swprintf(text, 16, view.funcCodes ? L"%04X" : L"%u", address);
    form.address = text;

    if (record) {
        const int type = record->U8(dev::kDataType);
        form.dataType = type >= view.dataTypeCount ? (Is64Bit(type) ? 0 : -1) : type;
        const int mode = isRegister ? record->U8(dev::kMode) : 0;
        form.mode = mode < kRegisterModeCount ? mode : -1;
        const int difference = record->U8(dev::kExtra);
        form.difference =
            difference < view.differenceCount ? difference : (wide_ || difference >= 20 ? -1 : 0);
        form.scaling = record->U8(dev::kScaleOn) != 0;
        form.scale = FormatFloatText(ScaleOf(*record));
        form.unitText = LoadUnitText(*record, codePage_);
        const int option = record->U8(dev::kWideValueOption);
        form.option = option <= 1 ? option : -1;
    } else {
        form.scale = L"0";
    }
    ChangeDataType(form, form.dataType);
    ChangeMode(form, form.mode);
    return form;
}

PlcRegisterView PlcRegisterModel::View(const PlcRegisterForm& form) const {
    PlcRegisterView view;
    view.funcCodes = PortUsesFuncCodes(port_, unit_);
    for (int i = 0;; ++i) {
        AreaItem item = GetReadAreaItem(port_, kReadRegisters, i, unit_);
        if (item.code < 0)
            break;
        view.areas.push_back(std::move(item));
    }
    if (view.funcCodes) {
        const int code = form.area >= 0 && form.area < static_cast<int>(view.areas.size())
                             ? view.areas[static_cast<size_t>(form.area)].code
                             : 3;
        wchar_t label[8];
        std::swprintf(label, 8, L"%02X", code);
        view.codeLabel = label;
    }
    view.addressMaxChars = view.funcCodes ? kFuncAddressChars : kAreaAddressChars;
    view.dataTypeCount = wide_ ? 9 : 7;
    for (int m = 0; m < kRegisterModeCount; ++m)
        if (!(m == 1 && Is64Bit(form.dataType)))
            view.modes.push_back(m);
    view.differenceCount = wide_ ? 20 : 10;
    view.differenceEnabled = form.mode == kDifferenceMode;
    view.scaleEnabled = form.scaling;
    view.optionEnabled = view.funcCodes && TakesOption(form.dataType);
    return view;
}

void PlcRegisterModel::ChangeDataType(PlcRegisterForm& form, int dataType) const {
    form.dataType = dataType;
    if (Is64Bit(dataType) && form.mode == 1)
        form.mode = 0;
}

void PlcRegisterModel::ChangeMode(PlcRegisterForm& form, int mode) const {
    form.mode = mode;
    if (mode != kDifferenceMode)
        form.difference = 0;
}

Refusal PlcRegisterModel::Check(const PlcRegisterForm& form, bool doubleByteUi) const {
    const PlcRegisterView view = View(form);
    if (view.funcCodes) {
        uint32_t value = 0;
        if (!ReadHex(form.address, kFuncAddressChars, value))
            return Refuse(kMsgBadAddress, kPlcRegAddress);
    } else {
        uint64_t value = 0;
        if (form.address.size() > kAreaAddressChars ||
            !ReadDecimal(form.address, kHighestWordAddress, value) ||
            !IsWordAddressText(form.area, form.address, port_, kWordAreaByDeviceList))
            return Refuse(kMsgBadAddress, kPlcRegAddress);
    }
    // A disabled scale is not part of the device: it is stored only when valid.
    if (form.scaling) {
        const FloatTextResult scale = ReadScale(form.scale);
        if (!scale.ok)
            return Refuse(scale.messageId, kPlcRegScale);
    }
    return CheckUnitText(form.unitText, codePage_, doubleByteUi, kPlcRegUnit);
}

void PlcRegisterModel::Store(const PlcRegisterForm& form, DeviceRecord& record) const {
    const PlcRegisterView view = View(form);
    if (form.area >= 0 && form.area < static_cast<int>(view.areas.size()))
        record.SetU8(dev::kArea,
                     static_cast<uint8_t>(view.areas[static_cast<size_t>(form.area)].code));
    if (view.funcCodes) {
        uint32_t value = 0;
        ReadHex(form.address, kFuncAddressChars, value);
        record.SetU32(dev::kAddress, value);
    } else {
        uint64_t value = 0;
        ReadDecimal(form.address, kHighestWordAddress, value);
        record.SetU32(dev::kAddress, static_cast<uint32_t>(value));
    }
    if (form.dataType >= 0)
        record.SetU8(dev::kDataType, static_cast<uint8_t>(form.dataType));
    if (form.mode >= 0)
        record.SetU8(dev::kMode, static_cast<uint8_t>(form.mode));
    if (form.difference >= 0)
        record.SetU8(dev::kExtra, static_cast<uint8_t>(form.difference));
    record.SetU8(dev::kScaleOn, form.scaling ? 1 : 0);
    const FloatTextResult scale = ReadScale(form.scale);
    if (scale.ok) {
        uint32_t bits = 0;
        std::memcpy(&bits, &scale.value, sizeof bits);
        record.SetU32(dev::kScale, bits);
    }
    StoreUnitText(form.unitText, record, codePage_);
    if (!TakesOption(record.U8(dev::kDataType)))
        record.SetU8(dev::kWideValueOption, 0);
    else if (form.option >= 0)
        record.SetU8(dev::kWideValueOption, static_cast<uint8_t>(form.option));
}

CharClass PlcRegisterModel::CharsOf(int field) const {
    if (field == kPlcRegAddress)
        return PortUsesFuncCodes(port_, unit_) ? CharClass::Hex : CharClass::Digits;
    return CharClass::DecimalNumber;
}

} // namespace qv
