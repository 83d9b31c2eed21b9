#include "editors/triggers/ContactTriggerModel.h"

#include <cstdio>

#include "document/AddressText.h"
#include "editors/triggers/TriggerKindModel.h"

namespace qv {

namespace {

constexpr int kConditionOnDuration = 3;
constexpr int kConditionOnCount = 4;
constexpr unsigned kStrCountUnitDuration = 4060;
constexpr unsigned kStrCountUnitCount = 4063;

bool TakesCount(int condition) {
    return condition == kConditionOnDuration || condition == kConditionOnCount;
}

std::wstring Hex4(uint32_t value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%04X", value);
    return text;
}

} // namespace

ContactTriggerForm ContactTriggerModel::Load(TriggerRecord& record) const {
    PrepareKindParameters(record, kTriggerContact);
    ContactTriggerForm form;
    const int port = record.U8(trig::kPort);
    form.port = port < kTriggerPortCount ? port : -1;
    ChangePort(form, form.port, record);
    const uint32_t address = record.U32(trig::kAddress);
    form.address = ChoicesForPort(form.port, kReadContacts, unit_).funcCodes
                       ? Hex4(address)
                       : FormatBitAddress(address);
    const int condition = record.U8(trig::kContactCondition);
    form.condition = condition < kContactConditionCount ? condition : -1;
    if (TakesCount(form.condition))
        form.count = std::to_wstring(record.U32(trig::kContactCount));
    return form;
}

void ContactTriggerModel::ChangePort(ContactTriggerForm& form, int port,
                                     const TriggerRecord& record) const {
    form.port = port;
    const PortChoices choices = ChoicesForPort(port, kReadContacts, unit_);
    form.station = StationIndex(record.U8(trig::kStation), choices.stationCount);
    const int code = IndexOfCode(choices.codes, record.U8(trig::kArea));
    form.code = code >= 0 || choices.codes.empty() ? code : 0;
}

ContactTriggerView ContactTriggerModel::View(const ContactTriggerForm& form) const {
    ContactTriggerView view;
    view.choices = ChoicesForPort(form.port, kReadContacts, unit_);
    view.countEnabled = TakesCount(form.condition);
    if (form.condition == kConditionOnDuration)
        view.countUnitId = kStrCountUnitDuration;
    else if (form.condition == kConditionOnCount)
        view.countUnitId = kStrCountUnitCount;
    view.codeLabel = CodeLabelText(view.choices, form.code);
    return view;
}

Refusal ContactTriggerModel::Check(const ContactTriggerForm& form) const {
    if (form.port < 0 || !PortServesTriggers(form.port, unit_))
        return Refuse(kMsgPortCannotTrigger, kContactPort);
    const PortChoices choices = ChoicesForPort(form.port, kReadContacts, unit_);
    if (choices.funcCodes) {
        uint32_t value = 0;
        if (!ReadHex(form.address, 8, value))
            return Refuse(FilterPasted(CharClass::Hex, form.address) == form.address &&
                                  !form.address.empty()
                              ? kMsgAddressOutOfRange
                              : kMsgContactAddressInvalid,
                          kContactAddress);
        if (value > 0xFFFF)
            return Refuse(kMsgAddressOutOfRange, kContactAddress);
    } else {
        // The shared check drops blanks; a typed blank is a stray character here.
        const int code = CodeAt(choices, form.code);
        if (FilterPasted(CharClass::Hex, form.address) != form.address ||
            !IsBitAddressText(code, form.address, form.port))
            return Refuse(kMsgContactAddressInvalid, kContactAddress);
    }
    uint64_t count = 0;
    if (TakesCount(form.condition) && (!ReadDecimal(form.count, 0xFFFFFFFFu, count) || count == 0))
        return Refuse(kMsgContactCountInvalid, kContactCount);
    return {};
}

void ContactTriggerModel::Store(const ContactTriggerForm& form, TriggerRecord& record) const {
    const PortChoices choices = ChoicesForPort(form.port, kReadContacts, unit_);
    record.SetU8(trig::kKind, kTriggerContact);
    record.SetU8(trig::kPort, static_cast<uint8_t>(form.port));
    if (form.station >= 0 && form.station < choices.stationCount)
        record.SetU8(trig::kStation, static_cast<uint8_t>(form.station + 1));
    if (CodeAt(choices, form.code) >= 0)
        record.SetU8(trig::kArea, static_cast<uint8_t>(CodeAt(choices, form.code)));
    if (choices.funcCodes) {
        uint32_t value = 0;
        ReadHex(form.address, 8, value);
        record.SetU32(trig::kAddress, value);
    } else {
        std::string ascii(form.address.begin(), form.address.end()); // checked: hex digits only
        record.SetU32(trig::kAddress, ParseBitAddress(ascii));
    }
    if (form.condition >= 0)
        record.SetU8(trig::kContactCondition, static_cast<uint8_t>(form.condition));
    uint64_t count = 0;
    if (TakesCount(form.condition) && ReadDecimal(form.count, 0xFFFFFFFFu, count))
        record.SetU32(trig::kContactCount, static_cast<uint32_t>(count));
}

CharClass ContactTriggerModel::CharsOf(int field) const {
    // An area address ends in a hexadecimal bit digit, so both protocols
    // take hexadecimal digits there.
    return field == kContactAddress ? CharClass::Hex : CharClass::Digits;
}

} // namespace qv
