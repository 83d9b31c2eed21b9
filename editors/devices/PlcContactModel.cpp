#include "editors/devices/PlcContactModel.h"

#include <cstdio>

#include "document/AddressText.h"

namespace qv {

namespace {

constexpr int kDeviceKindContact = 0;
constexpr size_t kAddressChars = 4;
constexpr uint32_t kHighestFuncAddress = 0xFFFF;

// The entry of a stored code, -1 when the box has none for it.
int EntryOf(int stored, int count) {
    return stored < count ? stored : -1;
}

} // namespace

PlcContactForm PlcContactModel::Load(const DeviceRecord* record) const {
    PlcContactForm form;
    const PlcContactView view = View(form);
    const bool isContact = record && record->U8(dev::kIsRegister) == kDeviceKindContact;
    if (record)
        form.area = IndexOfCode(view.areas, record->U8(dev::kArea));
    if (form.area < 0 && !view.areas.empty())
        form.area = 0;

    const uint32_t address = isContact ? record->U32(dev::kAddress) : 0;
    if (view.funcCodes) {
        wchar_t text[16];
        std::swprintf(text, 16, L"%04X", address);
        form.address = text;
    } else {
        form.address = FormatBitAddress(address);
    }
    if (isContact)
        form.mode = EntryOf(record->U8(dev::kMode), kContactModeCount);
    if (record) {
        form.option = EntryOf(record->U8(dev::kContactOption), kContactOptionCount);
        form.unitText = LoadUnitText(*record, codePage_);
    }
    return form;
}

PlcContactView PlcContactModel::View(const PlcContactForm& form) const {
    PlcContactView view;
    const PortChoices choices = ChoicesForPort(port_, kReadContacts, unit_);
    view.funcCodes = choices.funcCodes;
    view.areas = choices.codes;
    view.codeLabel = CodeLabelText(choices, form.area);
    view.addressMaxChars = kAddressChars;
    view.optionEnabled = form.mode == kContactModeWithOption;
    return view;
}

Refusal PlcContactModel::Check(const PlcContactForm& form, bool doubleByteUi) const {
    const PortChoices choices = ChoicesForPort(port_, kReadContacts, unit_);
    const bool hexOnly =
        !form.address.empty() && FilterPasted(CharClass::Hex, form.address) == form.address;
    if (choices.funcCodes) {
        if (!hexOnly)
            return Refuse(kMsgBadBitAddress, kPlcConAddress);
        uint32_t value = 0;
        if (!ReadHex(form.address, 8, value) || value > kHighestFuncAddress)
            return Refuse(kMsgBadAddress, kPlcConAddress);
    } else {
        // The shared check drops blanks; here a blank is a stray character.
        if (!hexOnly || !IsBitAddressText(CodeAt(choices, form.area), form.address, port_))
            return Refuse(kMsgBadBitAddress, kPlcConArea);
    }
    return CheckUnitText(form.unitText, codePage_, doubleByteUi, kPlcConUnit);
}

void PlcContactModel::Store(const PlcContactForm& form, DeviceRecord& record) const {
    const PortChoices choices = ChoicesForPort(port_, kReadContacts, unit_);
    if (CodeAt(choices, form.area) >= 0)
        record.SetU8(dev::kArea, static_cast<uint8_t>(CodeAt(choices, form.area)));
    if (choices.funcCodes) {
        uint32_t value = 0;
        ReadHex(form.address, 8, value);
        record.SetU32(dev::kAddress, value);
    } else {
        const std::string ascii(form.address.begin(), form.address.end()); // checked: hex digits
        record.SetU32(dev::kAddress, ParseBitAddress(ascii));
    }
    if (form.mode >= 0)
        record.SetU8(dev::kMode, static_cast<uint8_t>(form.mode));
    if (form.option >= 0)
        record.SetU8(dev::kContactOption, static_cast<uint8_t>(form.option));
    StoreUnitText(form.unitText, record, codePage_);
    record.SetU8(dev::kDataType, kContactDataType);
}

CharClass PlcContactModel::CharsOf(int) const {
    return CharClass::Hex;
}

} // namespace qv
