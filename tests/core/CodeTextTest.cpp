#include <gtest/gtest.h>

#include <vector>

#include "document/CodeText.h"
#include "document/StringTable.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

using NameFn = std::wstring (*)(int);

struct ResCase {
    const char* name;
    NameFn fn;
    int code;
    unsigned id; // 0: the code has no text
};

// First and last code of every function, a code inside the irregular tables,
// and the codes just outside.
const ResCase kResCases[] = {
    {"TriggerKind", GetTriggerKindName, 0, 4020},
    {"TriggerKind", GetTriggerKindName, 5, 4025},
    {"TriggerKind", GetTriggerKindName, 6, 0},
    {"DeviceType", GetDeviceTypeName, 0, 4174},
    {"DeviceType", GetDeviceTypeName, 10, 4171},
    {"DeviceType", GetDeviceTypeName, 20, 4172},
    {"DeviceType", GetDeviceTypeName, 30, 4173},
    {"DeviceType", GetDeviceTypeName, 1, 0},
    {"DeviceType", GetDeviceTypeName, 40, 0},
    {"Port", GetPortName, 0, 5140},
    {"Port", GetPortName, 1, 5141},
    {"Port", GetPortName, 2, 5142},
    {"Port", GetPortName, 3, 0},
    {"Port", GetPortName, -1, 0},
    {"PortPrint", GetPortPrintName, 0, 5140},
    {"PortPrint", GetPortPrintName, 1, 5151},
    {"PortPrint", GetPortPrintName, 2, 5152},
    {"PortPrint", GetPortPrintName, 3, 0},
    {"DeviceKind", GetDeviceKindName, 0, 5143},
    {"DeviceKind", GetDeviceKindName, 1, 5144},
    {"DeviceKind", GetDeviceKindName, 2, 0},
    {"FuncCode", GetFuncCodeName, 1, 60300},
    {"FuncCode", GetFuncCodeName, 6, 60305},
    {"FuncCode", GetFuncCodeName, 15, 60306},
    {"FuncCode", GetFuncCodeName, 16, 60307},
    {"FuncCode", GetFuncCodeName, 0, 0},
    {"FuncCode", GetFuncCodeName, 7, 0},
    {"FuncCode", GetFuncCodeName, 14, 0},
    {"FuncCode", GetFuncCodeName, 17, 0},
    {"DataType", GetDataTypeName, 0, 4038},
    {"DataType", GetDataTypeName, 2, 4040},
    {"DataType", GetDataTypeName, 3, 4043},
    {"DataType", GetDataTypeName, 5, 4045},
    {"DataType", GetDataTypeName, 6, 4047},
    {"DataType", GetDataTypeName, 7, 4101},
    {"DataType", GetDataTypeName, 8, 4102},
    {"DataType", GetDataTypeName, 9, 0},
    {"DataType", GetDataTypeName, -1, 0},
    {"RegisterMode", GetRegisterModeName, 0, 4179},
    {"RegisterMode", GetRegisterModeName, 4, 4183},
    {"RegisterMode", GetRegisterModeName, 5, 0},
    {"ContactMode", GetContactModeName, 0, 4184},
    {"ContactMode", GetContactModeName, 2, 4186},
    {"ContactMode", GetContactModeName, 3, 0},
    {"ContactOption", GetContactOptionName, 0, 4187},
    {"ContactOption", GetContactOptionName, 2, 4189},
    {"ContactOption", GetContactOptionName, 3, 0},
    {"ContactCondition", GetContactConditionName, 0, 4190},
    {"ContactCondition", GetContactConditionName, 6, 4196},
    {"ContactCondition", GetContactConditionName, 7, 0},
    {"ScaleChoice", GetScaleChoiceName, 0, 4049},
    {"ScaleChoice", GetScaleChoiceName, 5, 4054},
    {"ScaleChoice", GetScaleChoiceName, 6, 0},
    {"CompareOp", GetCompareOpName, 0, 4055},
    {"CompareOp", GetCompareOpName, 3, 4058},
    {"CompareOp", GetCompareOpName, 4, 0},
    {"DataLength", GetDataLengthName, 0, 4197},
    {"DataLength", GetDataLengthName, 1, 4198},
    {"DataLength", GetDataLengthName, 2, 0},
    {"Parity", GetParityName, 0, 4199},
    {"Parity", GetParityName, 2, 4201},
    {"Parity", GetParityName, 3, 0},
    {"StopBits", GetStopBitsName, 0, 4202},
    {"StopBits", GetStopBitsName, 1, 4203},
    {"StopBits", GetStopBitsName, 2, 0},
    {"PortOption", GetPortOptionName, 0, 4206},
    {"PortOption", GetPortOptionName, 1, 4207},
    {"PortOption", GetPortOptionName, 2, 0},
    {"PortRole", GetPortRoleName, 0, 4204},
    {"PortRole", GetPortRoleName, 1, 4205},
    {"PortRole", GetPortRoleName, 2, 0},
    {"PortProtocol", GetPortProtocolName, 0, 4208},
    {"PortProtocol", GetPortProtocolName, 1, 4209},
    {"PortProtocol", GetPortProtocolName, 2, 0},
    {"MailAuth", GetMailAuthName, 0, 5147},
    {"MailAuth", GetMailAuthName, 3, 5150},
    {"MailAuth", GetMailAuthName, 4, 0},
    {"MeterKind", GetMeterKindName, 0, 5220},
    {"MeterKind", GetMeterKindName, 3, 5223},
    {"MeterKind", GetMeterKindName, 4, 0},
    {"UnitOption", GetUnitOptionName, 0, 5207},
    {"UnitOption", GetUnitOptionName, 1, 5208},
    {"UnitOption", GetUnitOptionName, 2, 0},
};

TEST(CodeText, ResourceTextsInEveryLanguage) {
    for (const test::Language& lang : test::kAllLanguages) {
        test::ScopedLanguage scoped(lang);
        for (const ResCase& c : kResCases) {
            SCOPED_TRACE(std::string(lang.module) + " " + c.name + " " + std::to_string(c.code));
            const std::wstring text = c.fn(c.code);
            if (c.id == 0) {
                EXPECT_TRUE(text.empty());
                continue;
            }
            EXPECT_EQ(text, ResString(c.id));
            const char* raw = scoped.module().FindUtf8(c.id);
            if (raw && *raw) {
                EXPECT_FALSE(text.empty());
            }
        }
    }
}

TEST(CodeText, NoLanguageModuleGivesEmptyTexts) {
    EXPECT_EQ(GetPortName(0), L"");
    EXPECT_EQ(GetDataTypeName(6), L"");
    // Fixed texts need no module.
    EXPECT_EQ(GetAreaName(15), L"DT");
}

TEST(CodeText, FixedTexts) {
    const std::vector<std::wstring> areas = {L"X",  L"Y",  L"R",  L"L",  L"T",  L"C",  L"",
                                             L"",   L"",   L"",   L"",   L"WX", L"WY", L"WR",
                                             L"WL", L"DT", L"LD", L"SV", L"EV", L"FL", L""};
    for (int code = 0; code < static_cast<int>(areas.size()); ++code)
        EXPECT_EQ(GetAreaName(code), areas[static_cast<size_t>(code)]) << code;
    EXPECT_EQ(GetAreaName(-1), L"");
    EXPECT_EQ(GetAreaName(255), L"");

    EXPECT_EQ(GetCombiOpName(0), L"AND");
    EXPECT_EQ(GetCombiOpName(1), L"OR");
    EXPECT_EQ(GetCombiOpName(2), L"");

    const std::vector<std::wstring> bauds = {L"4800 bps",  L"9600 bps",  L"19200 bps",
                                             L"38400 bps", L"57600 bps", L"115200 bps"};
    for (int code = 0; code < static_cast<int>(bauds.size()); ++code)
        EXPECT_EQ(GetBaudRateName(code), bauds[static_cast<size_t>(code)]);
    EXPECT_EQ(GetBaudRateName(6), L"");
    EXPECT_EQ(GetBaudRateName(-1), L"");
}

// --- area and function-code lists ---------------------------------------

using ItemFn = AreaItem (*)(int, int, int, const UnitBlock&);

struct ListCase {
    const char* name;
    ItemFn fn;
    int port;
    int kind;
    uint8_t protocol1; // protocol bytes of serial ports 1 and 2
    uint8_t protocol2;
    std::vector<int> codes;
    bool funcCodes; // texts from GetFuncCodeName, else GetAreaName
};

const ListCase kListCases[] = {
    {"read unit contacts", GetReadAreaItem, 0, 3, 1, 1, {2}, false},
    {"read unit registers", GetReadAreaItem, 0, 4, 1, 1, {13, 15}, false},
    {"read port 1 contacts", GetReadAreaItem, 1, 3, 0, 1, {0, 1, 2, 3, 4, 5}, false},
    {"read port 1 registers",
     GetReadAreaItem,
     1,
     4,
     0,
     1,
     {11, 12, 13, 14, 15, 16, 17, 18, 19},
     false},
    {"read port 2 contacts, func codes", GetReadAreaItem, 2, 3, 0, 1, {1, 2}, true},
    {"read port 2 registers, func codes", GetReadAreaItem, 2, 4, 0, 1, {3, 4}, true},
    // Each port follows its own protocol byte.
    {"read port 2 contacts, areas", GetReadAreaItem, 2, 3, 1, 0, {0, 1, 2, 3, 4, 5}, false},
    {"read port 1 registers, any nonzero protocol", GetReadAreaItem, 1, 4, 7, 0, {3, 4}, true},
    {"read with a write kind", GetReadAreaItem, 1, 0, 0, 0, {}, false},
    {"read on port 3", GetReadAreaItem, 3, 3, 0, 0, {}, false},
    {"read on port -1", GetReadAreaItem, -1, 4, 0, 0, {}, false},
    {"write unit contact", GetWriteAreaItem, 0, 0, 1, 1, {2}, false},
    {"write unit register", GetWriteAreaItem, 0, 1, 1, 1, {13, 15}, false},
    {"write port 1 contact", GetWriteAreaItem, 1, 0, 0, 0, {1, 2, 3}, false},
    {"write port 1 register",
     GetWriteAreaItem,
     1,
     1,
     0,
     0,
     {11, 12, 13, 14, 15, 16, 17, 18, 19},
     false},
    {"write port 2 contact, func codes", GetWriteAreaItem, 2, 0, 0, 1, {5}, true},
    {"write port 2 register, func codes", GetWriteAreaItem, 2, 1, 0, 1, {6}, true},
    {"write port 1 contact, func codes", GetWriteAreaItem, 1, 0, 1, 0, {5}, true},
    {"write with a read kind", GetWriteAreaItem, 0, 3, 0, 0, {}, false},
    {"write on port 3", GetWriteAreaItem, 3, 0, 0, 0, {}, false},
};

TEST(CodeText, AreaListsByPortAndProtocol) {
    for (const test::Language& lang : test::kAllLanguages) {
        test::ScopedLanguage scoped(lang);
        for (const ListCase& c : kListCases) {
            SCOPED_TRACE(std::string(lang.module) + " " + c.name);
            UnitBlock unit;
            unit.SetU8(unit::PortRecordOffset(0) + portrec::kProtocol, c.protocol1);
            unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, c.protocol2);

            std::vector<int> codes;
            for (int i = 0; i < 32; ++i) {
                const AreaItem item = c.fn(c.port, c.kind, i, unit);
                if (item.code == -1) {
                    EXPECT_TRUE(item.text.empty());
                    break;
                }
                codes.push_back(item.code);
                EXPECT_EQ(item.text,
                          c.funcCodes ? GetFuncCodeName(item.code) : GetAreaName(item.code));
                if (!c.funcCodes) {
                    EXPECT_FALSE(item.text.empty());
                }
            }
            EXPECT_EQ(codes, c.codes);
            EXPECT_EQ(c.fn(c.port, c.kind, -1, unit).code, -1);
            EXPECT_EQ(c.fn(c.port, c.kind, 1000, unit).code, -1);
        }
    }
}

TEST(CodeText, FuncItemsAlone) {
    EXPECT_EQ(GetReadFuncItem(3, 1).code, 2);
    EXPECT_EQ(GetReadFuncItem(4, 0).code, 3);
    EXPECT_EQ(GetReadFuncItem(4, 2).code, -1);
    EXPECT_EQ(GetReadFuncItem(0, 0).code, -1);
    EXPECT_EQ(GetWriteFuncItem(0, 0).code, 5);
    EXPECT_EQ(GetWriteFuncItem(1, 0).code, 6);
    EXPECT_EQ(GetWriteFuncItem(1, 1).code, -1);
    EXPECT_EQ(GetWriteFuncItem(3, 0).code, -1);
}

} // namespace
} // namespace qv
