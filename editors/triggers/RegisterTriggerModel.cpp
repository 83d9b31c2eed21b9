#include "editors/triggers/RegisterTriggerModel.h"

#include <cstdio>
#include <cstring>

#include "document/AddressText.h"
#include "document/TextChecks.h"
#include "document/ValueText.h"
#include "editors/triggers/TriggerKindModel.h"

namespace qv {

namespace {

constexpr int kFuncHoldingRegisters = 3;
constexpr int kAreaDT = 15;
constexpr unsigned kStrBetweenAtMost = 8101;  // operator 1
constexpr unsigned kStrBetweenAtLeast = 8100; // operator 2
constexpr size_t kValueOptionByte = 0x44;
constexpr size_t kAreaAddressChars = 5;
constexpr size_t kFuncAddressChars = 4;

bool UsesTwoValues(int op) {
    return op == 1 || op == 2;
}

bool TakesChoice(int dataType) {
    return dataType >= 3 && dataType <= 8;
}

bool Is64Bit(int dataType) {
    return dataType == 7 || dataType == 8;
}

struct ParsedValue {
    int result = kValueOk;
    uint32_t v32 = 0;
    uint64_t v64 = 0;
};

ParsedValue Parse(const std::wstring& text, int dataType) {
    ParsedValue p;
    p.result = ParseValueByType(text, dataType, p.v32, p.v64);
    // More than six significant digits still makes a float; it is rounded.
    if (p.result == kValueTooPrecise)
        p.result = kValueOk;
    return p;
}

// -1, 0, 1 as the first value is below, equal to or above the second.
int Compare(int dataType, const ParsedValue& a, const ParsedValue& b) {
    auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (dataType) {
    case 0:
    case 3:
        return order(static_cast<int32_t>(a.v32), static_cast<int32_t>(b.v32));
    case 6: {
        float x = 0, y = 0;
        std::memcpy(&x, &a.v32, sizeof x);
        std::memcpy(&y, &b.v32, sizeof y);
        return order(x, y);
    }
    case 7:
        return order(static_cast<int64_t>(a.v64), static_cast<int64_t>(b.v64));
    case 8:
        return order(a.v64, b.v64);
    default:
        return order(a.v32, b.v32);
    }
}

// The halves of a 64-bit value lie apart: low words first, high words after.
uint64_t Value64(const TriggerRecord& record, size_t low, size_t high) {
    return static_cast<uint64_t>(record.U32(high)) << 32 | record.U32(low);
}

void WriteValue(TriggerRecord& record, size_t low, size_t high, int dataType,
                const ParsedValue& v) {
    if (Is64Bit(dataType)) {
        record.SetU32(low, static_cast<uint32_t>(v.v64));
        record.SetU32(high, static_cast<uint32_t>(v.v64 >> 32));
    } else {
        record.SetU32(low, v.v32);
    }
}

} // namespace

unsigned ValueMessageOfType(int dataType) {
    static const unsigned kMessages[kRegisterTypeCount] = {20009, 20010, 20013, 20011, 20012,
                                                           20014, 20015, 20019, 20020};
    return dataType >= 0 && dataType < kRegisterTypeCount ? kMessages[dataType] : 0;
}

RegisterTriggerForm RegisterTriggerModel::Load(TriggerRecord& record) const {
    PrepareKindParameters(record, kTriggerRegister);
    RegisterTriggerForm form;
    const int port = record.U8(trig::kPort);
    ChangePort(form, port < kTriggerPortCount ? port : -1, record);
    const uint32_t address = record.U32(trig::kAddress);
    if (ChoicesForPort(form.port, kReadRegisters, unit_).funcCodes) {
        wchar_t text[16];
        std::swprintf(text, 16, L"%04X", address);
        form.address = text;
    } else {
        form.address = std::to_wstring(address);
    }
    const int type = record.U8(trig::kRegDataType);
    const int op = record.U8(trig::kRegCompare);
    form.dataType = type < kRegisterTypeCount ? type : -1;
    form.op = op < kRegisterOperatorCount ? op : -1;
    if (form.dataType >= 0) {
        form.value1 = FormatValueByType(form.dataType, record.U32(trig::kRegValue1Low),
                                        Value64(record, trig::kRegValue1Low, trig::kRegValue1High));
        form.value2 = FormatValueByType(form.dataType, record.U32(trig::kRegValue2Low),
                                        Value64(record, trig::kRegValue2Low, trig::kRegValue2High));
    }
    form.bracket = record.U8(trig::kRegBracket) != 0;
    if (record.U8(trig::kRegBracket) == 1)
        form.bracketText = FormatFloatText(0.0f);
    form.excluded = record.U8(trig::kRegExcluded) != 0;
    form.option = (record.U8(trig::kRegOption) & 1) != 0;
    const int choice = static_cast<int8_t>(record.U8(kValueOptionByte));
    form.choice = choice >= 0 && choice < kRegisterChoiceCount ? choice : -1;
    ChangeDataType(form, form.dataType);
    if (form.option)
        SetOption(form, true);
    return form;
}

void RegisterTriggerModel::ChangePort(RegisterTriggerForm& form, int port,
                                      const TriggerRecord& record) const {
    form.port = port;
    const PortChoices choices = ChoicesForPort(port, kReadRegisters, unit_);
    form.station = StationIndex(record.U8(trig::kStation), choices.stationCount);
    form.code = IndexOfCode(choices.codes, record.U8(trig::kArea));
    if (form.code < 0)
        form.code = IndexOfCode(choices.codes, choices.funcCodes ? kFuncHoldingRegisters : kAreaDT);
}

void RegisterTriggerModel::ChangeDataType(RegisterTriggerForm& form, int dataType) const {
    form.dataType = dataType;
    if (dataType != kRegisterTypeFloat)
        return;
    if (form.op == 0)
        form.op = 1;
    else if (form.op == 3)
        form.op = 2;
    form.option = false;
}

void RegisterTriggerModel::SetOption(RegisterTriggerForm& form, bool on) const {
    if (on && form.dataType == kRegisterTypeFloat)
        return;
    form.option = on;
    if (on) {
        form.op = 3; // the operator of the box's last entry
        form.excluded = false;
    }
}

RegisterTriggerView RegisterTriggerModel::View(const RegisterTriggerForm& form) const {
    RegisterTriggerView view;
    view.choices = ChoicesForPort(form.port, kReadRegisters, unit_);
    const bool isFloat = form.dataType == kRegisterTypeFloat;
    view.operators = isFloat ? std::vector<int>{1, 2} : std::vector<int>{0, 1, 2, 3};
    view.operatorShown = !form.option;
    view.value1Enabled = !form.option && form.dataType >= 0;
    view.value2Enabled = view.value1Enabled && UsesTwoValues(form.op);
    if (UsesTwoValues(form.op))
        view.betweenTextId = form.op == 1 ? kStrBetweenAtMost : kStrBetweenAtLeast;
    view.excludedEnabled = !form.option;
    view.optionEnabled = !isFloat;
    view.choiceEnabled = view.choices.funcCodes && TakesChoice(form.dataType);
    view.bracketTextEnabled = form.bracket;
    view.addressMaxChars = view.choices.funcCodes ? kFuncAddressChars : kAreaAddressChars;
    view.codeLabel = CodeLabelText(view.choices, form.code);
    return view;
}

Refusal RegisterTriggerModel::Check(const RegisterTriggerForm& form) const {
    if (form.port < 0 || !PortServesTriggers(form.port, unit_))
        return Refuse(kMsgPortCannotTrigger, kRegisterPort);
    const RegisterTriggerView view = View(form);
    if (view.choices.funcCodes) {
        uint32_t value = 0;
        if (!ReadHex(form.address, kFuncAddressChars, value))
            return Refuse(20160, kRegisterAddress);
    } else {
        uint64_t value = 0;
        // The shared check lets the empty text through as word 0.
        if (form.address.size() > kAreaAddressChars || !ReadDecimal(form.address, 99999, value) ||
            !IsWordAddressText(form.code, form.address, form.port, kWordAreaByTriggerList))
            return Refuse(20160, kRegisterAddress);
    }
    if (form.bracket) {
        if (!IsDecimalText(form.bracketText.size(), form.bracketText))
            return Refuse(kMsgBadNumberText, kRegisterBracketText);
        if (!HasAtMostSixDigits(form.bracketText))
            return Refuse(kMsgTooManyDigits, kRegisterBracketText);
        const FloatTextResult f = TextToFloat(form.bracketText);
        if (!f.ok)
            return Refuse(f.messageId, kRegisterBracketText);
    }
    if (!view.value1Enabled)
        return {};
    const ParsedValue first = Parse(form.value1, form.dataType);
    if (first.result != kValueOk)
        return Refuse(ValueMessageOfType(form.dataType), kRegisterValue1);
    if (!view.value2Enabled)
        return {};
    const ParsedValue second = Parse(form.value2, form.dataType);
    if (second.result != kValueOk)
        return Refuse(ValueMessageOfType(form.dataType), kRegisterValue2);
    const int order = Compare(form.dataType, first, second);
    if (form.op == 1 && order < 0)
        return Refuse(kMsgValueBelowSecond, kRegisterValue1);
    if (form.op == 2 && order > 0)
        return Refuse(kMsgValueAboveSecond, kRegisterValue1);
    return {};
}

void RegisterTriggerModel::Store(const RegisterTriggerForm& form, TriggerRecord& record) const {
    const RegisterTriggerView view = View(form);
    record.SetU8(trig::kKind, kTriggerRegister);
    record.SetU8(trig::kPort, static_cast<uint8_t>(form.port));
    if (form.station >= 0 && form.station < view.choices.stationCount)
        record.SetU8(trig::kStation, static_cast<uint8_t>(form.station + 1));
    if (CodeAt(view.choices, form.code) >= 0)
        record.SetU8(trig::kArea, static_cast<uint8_t>(CodeAt(view.choices, form.code)));
    if (view.choices.funcCodes) {
        uint32_t value = 0;
        ReadHex(form.address, kFuncAddressChars, value);
        record.SetU32(trig::kAddress, value);
    } else {
        uint64_t value = 0;
        ReadDecimal(form.address, 99999, value);
        record.SetU32(trig::kAddress, static_cast<uint32_t>(value));
    }
    if (form.dataType >= 0)
        record.SetU8(trig::kRegDataType, static_cast<uint8_t>(form.dataType));
    record.SetU8(trig::kRegBracket, form.bracket ? 1 : 0);
    if (form.op >= 0)
        record.SetU8(trig::kRegCompare, static_cast<uint8_t>(form.op));
    // A disabled value edit is not part of the comparison: its bytes stay.
    if (view.value1Enabled)
        WriteValue(record, trig::kRegValue1Low, trig::kRegValue1High, form.dataType,
                   Parse(form.value1, form.dataType));
    if (view.value2Enabled)
        WriteValue(record, trig::kRegValue2Low, trig::kRegValue2High, form.dataType,
                   Parse(form.value2, form.dataType));
    record.SetU8(trig::kRegExcluded, Excludes(form) ? 1 : 0);
    if (TakesChoice(form.dataType)) {
        if (form.choice >= 0)
            record.SetU8(kValueOptionByte, static_cast<uint8_t>(form.choice));
    } else if (form.dataType >= 0) {
        record.SetU8(kValueOptionByte, 0);
    }
    record.SetU8(trig::kRegOption, form.option ? 1 : 0);
}

CharClass RegisterTriggerModel::CharsOf(const RegisterTriggerForm& form, int field) const {
    switch (field) {
    case kRegisterAddress:
        return ChoicesForPort(form.port, kReadRegisters, unit_).funcCodes ? CharClass::Hex
                                                                          : CharClass::Digits;
    case kRegisterBracketText:
        return CharClass::DecimalNumber;
    case kRegisterValue1:
    case kRegisterValue2:
        switch (form.dataType) {
        case 0:
        case 3:
        case 7:
            return CharClass::SignedDigits;
        case 2:
        case 5:
            return CharClass::Hex;
        case kRegisterTypeFloat:
            return CharClass::DecimalNumber;
        default:
            return CharClass::Digits;
        }
    default:
        return CharClass::Digits;
    }
}

} // namespace qv
