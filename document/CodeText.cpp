#include "document/CodeText.h"

#include <array>
#include <cstddef>

#include "document/StringTable.h"

namespace qv {

namespace {

template <size_t N> std::wstring ResOf(const std::array<unsigned, N>& ids, int code) {
    if (code < 0 || static_cast<size_t>(code) >= N)
        return {};
    return ResString(ids[static_cast<size_t>(code)]);
}

// Codes first..first+count-1 name strings firstId.. in order.
std::wstring ResRun(int code, int count, unsigned firstId) {
    if (code < 0 || code >= count)
        return {};
    return ResString(firstId + static_cast<unsigned>(code));
}

template <size_t N> std::wstring LiteralOf(const std::array<const wchar_t*, N>& texts, int code) {
    if (code < 0 || static_cast<size_t>(code) >= N || !texts[static_cast<size_t>(code)])
        return {};
    return texts[static_cast<size_t>(code)];
}

constexpr std::array<const wchar_t*, 20> kAreaNames = {
    L"X",    L"Y",  L"R",  L"L",  L"T",  L"C",  nullptr, nullptr, nullptr, nullptr,
    nullptr, L"WX", L"WY", L"WR", L"WL", L"DT", L"LD",   L"SV",   L"EV",   L"FL"};

// Function codes in the order of their strings.
constexpr std::array<int, 8> kFuncCodes = {1, 2, 3, 4, 5, 6, 15, 16};
constexpr unsigned kFuncCodeFirstId = 60300;

// One list of codes per (port class, item kind).
struct CodeList {
    const int* codes;
    int count;
};

constexpr int kUnitContacts[] = {2};
constexpr int kUnitRegisters[] = {13, 15};
constexpr int kAllContacts[] = {0, 1, 2, 3, 4, 5};
constexpr int kAllRegisters[] = {11, 12, 13, 14, 15, 16, 17, 18, 19};
constexpr int kWritableContacts[] = {1, 2, 3};
constexpr int kReadContactFuncs[] = {1, 2};
constexpr int kReadRegisterFuncs[] = {3, 4};
constexpr int kWriteContactFuncs[] = {5};
constexpr int kWriteRegisterFuncs[] = {6};

template <size_t N> constexpr CodeList List(const int (&codes)[N]) {
    return {codes, static_cast<int>(N)};
}

AreaItem Entry(CodeList list, int index, std::wstring (*name)(int)) {
    if (!list.codes || index < 0 || index >= list.count)
        return {-1, {}};
    const int code = list.codes[index];
    return {code, name(code)};
}

bool IsSerialPort(int port) {
    return port == kPortSerial1 || port == kPortSerial2;
}

} // namespace

std::wstring GetTriggerKindName(int kind) {
    return ResRun(kind, 6, 4020);
}

std::wstring GetDeviceTypeName(int deviceType) {
    switch (deviceType) {
    case kDevicePlc:
        return ResString(4174);
    case kDevicePowerMeter:
        return ResString(4171);
    case kDeviceSeriesA:
        return ResString(4172);
    case kDeviceSeriesB:
        return ResString(4173);
    default:
        return {};
    }
}

std::wstring GetPortName(int port) {
    return ResRun(port, 3, 5140);
}
std::wstring GetPortPrintName(int port) {
    return ResOf(std::array<unsigned, 3>{5140, 5151, 5152}, port);
}
std::wstring GetDeviceKindName(int isRegister) {
    return ResRun(isRegister, 2, 5143);
}
std::wstring GetAreaName(int area) {
    return LiteralOf(kAreaNames, area);
}

std::wstring GetFuncCodeName(int funcCode) {
    for (size_t i = 0; i < kFuncCodes.size(); ++i)
        if (kFuncCodes[i] == funcCode)
            return ResString(kFuncCodeFirstId + static_cast<unsigned>(i));
    return {};
}

std::wstring GetDataTypeName(int dataType) {
    return ResOf(std::array<unsigned, 9>{4038, 4039, 4040, 4043, 4044, 4045, 4047, 4101, 4102},
                 dataType);
}
std::wstring GetRegisterModeName(int mode) {
    return ResRun(mode, 5, 4179);
}
std::wstring GetContactModeName(int mode) {
    return ResRun(mode, 3, 4184);
}
std::wstring GetContactOptionName(int option) {
    return ResRun(option, 3, 4187);
}
std::wstring GetContactConditionName(int condition) {
    return ResRun(condition, 7, 4190);
}
std::wstring GetScaleChoiceName(int choice) {
    return ResRun(choice, 6, 4049);
}
std::wstring GetCompareOpName(int op) {
    return ResRun(op, 4, 4055);
}
std::wstring GetCombiOpName(int op) {
    return LiteralOf(std::array<const wchar_t*, 2>{L"AND", L"OR"}, op);
}
std::wstring GetBaudRateName(int baud) {
    return LiteralOf(std::array<const wchar_t*, 6>{L"4800 bps", L"9600 bps", L"19200 bps",
                                                   L"38400 bps", L"57600 bps", L"115200 bps"},
                     baud);
}
std::wstring GetDataLengthName(int formatBit) {
    return ResRun(formatBit, 2, 4197);
}
std::wstring GetParityName(int parity) {
    return ResRun(parity, 3, 4199);
}
std::wstring GetStopBitsName(int stopBits) {
    return ResRun(stopBits, 2, 4202);
}
std::wstring GetPortOptionName(int option) {
    return ResRun(option, 2, 4206);
}
std::wstring GetPortRoleName(int role) {
    return ResRun(role, 2, 4204);
}
std::wstring GetPortProtocolName(int protocol) {
    return ResRun(protocol, 2, 4208);
}
std::wstring GetMailAuthName(int auth) {
    return ResRun(auth, 4, 5147);
}
std::wstring GetMeterKindName(int kind) {
    return ResRun(kind, 4, 5220);
}
std::wstring GetUnitOptionName(int option) {
    return ResRun(option, 2, 5207);
}

bool PortUsesFuncCodes(int port, const UnitBlock& unit) {
    return IsSerialPort(port) &&
           unit.U8(unit::PortRecordOffset(port - 1) + portrec::kProtocol) != 0;
}

AreaItem GetReadFuncItem(int itemKind, int index) {
    CodeList list{};
    if (itemKind == kReadContacts)
        list = List(kReadContactFuncs);
    else if (itemKind == kReadRegisters)
        list = List(kReadRegisterFuncs);
    return Entry(list, index, GetFuncCodeName);
}

AreaItem GetWriteFuncItem(int itemKind, int index) {
    CodeList list{};
    if (itemKind == kWriteContact)
        list = List(kWriteContactFuncs);
    else if (itemKind == kWriteRegister)
        list = List(kWriteRegisterFuncs);
    return Entry(list, index, GetFuncCodeName);
}

AreaItem GetReadAreaItem(int port, int itemKind, int index, const UnitBlock& unit) {
    if (PortUsesFuncCodes(port, unit))
        return GetReadFuncItem(itemKind, index);
    CodeList list{};
    if (port == kPortUnit)
        list = itemKind == kReadContacts    ? List(kUnitContacts)
               : itemKind == kReadRegisters ? List(kUnitRegisters)
                                            : CodeList{};
    else if (IsSerialPort(port))
        list = itemKind == kReadContacts    ? List(kAllContacts)
               : itemKind == kReadRegisters ? List(kAllRegisters)
                                            : CodeList{};
    return Entry(list, index, GetAreaName);
}

AreaItem GetWriteAreaItem(int port, int itemKind, int index, const UnitBlock& unit) {
    if (PortUsesFuncCodes(port, unit))
        return GetWriteFuncItem(itemKind, index);
    CodeList list{};
    if (port == kPortUnit)
        list = itemKind == kWriteContact    ? List(kUnitContacts)
               : itemKind == kWriteRegister ? List(kUnitRegisters)
                                            : CodeList{};
    else if (IsSerialPort(port))
        list = itemKind == kWriteContact    ? List(kWritableContacts)
               : itemKind == kWriteRegister ? List(kAllRegisters)
                                            : CodeList{};
    return Entry(list, index, GetAreaName);
}

} // namespace qv
