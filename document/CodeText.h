// Display texts of the small codes stored in the settings image, and the lists
// of memory areas and function codes that an item may address on each port.
// A code without a text gives the empty text, as does a text the loaded
// language module lacks.
#pragma once
#include <string>

#include "document/SettingsImage.h"

namespace qv {

std::wstring GetTriggerKindName(int kind);
std::wstring GetDeviceTypeName(int deviceType); // 0, 10, 20, 30
std::wstring GetPortName(int port);             // UnitPort, as the editors name it
std::wstring GetPortPrintName(int port);        // UnitPort, as the report names it
std::wstring GetDeviceKindName(int isRegister);
std::wstring GetAreaName(int area); // fixed mnemonics ("X" .. "FL")
std::wstring GetFuncCodeName(int funcCode);
std::wstring GetDataTypeName(int dataType);
std::wstring GetRegisterModeName(int mode);
std::wstring GetContactModeName(int mode);
std::wstring GetContactOptionName(int option);
std::wstring GetContactConditionName(int condition);
std::wstring GetScaleChoiceName(int choice);
std::wstring GetCompareOpName(int op);
std::wstring GetCombiOpName(int op);
std::wstring GetBaudRateName(int baud);
std::wstring GetDataLengthName(int formatBit);
std::wstring GetParityName(int parity);
std::wstring GetStopBitsName(int stopBits);
std::wstring GetPortOptionName(int option);
std::wstring GetPortRoleName(int role);
std::wstring GetPortProtocolName(int protocol);
std::wstring GetMailAuthName(int auth);
std::wstring GetMeterKindName(int kind);
std::wstring GetUnitOptionName(int option);

// One entry of an area list; code -1 and an empty text past the end.
struct AreaItem {
    int code;
    std::wstring text;
};

// Item kinds of the readable lists (the trigger kinds' numbers) ...
constexpr int kReadContacts = 3;
constexpr int kReadRegisters = 4;
// ... and of the writable lists.
constexpr int kWriteContact = 0;
constexpr int kWriteRegister = 1;

// True for serial port 1 or 2 when its protocol byte selects function codes.
bool PortUsesFuncCodes(int port, const UnitBlock& unit);

// Entry `index` of the areas a device or trigger may read on a port.
AreaItem GetReadAreaItem(int port, int itemKind, int index, const UnitBlock& unit);
// Entry `index` of the areas a data set may write on a port.
AreaItem GetWriteAreaItem(int port, int itemKind, int index, const UnitBlock& unit);
// The function-code parts of those lists.
AreaItem GetReadFuncItem(int itemKind, int index);
AreaItem GetWriteFuncItem(int itemKind, int index);

} // namespace qv
