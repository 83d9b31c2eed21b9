// The PLC contact page's model: what a record or a new device shows, the
// address and unit checks of both protocols and exactly which record bytes a
// store writes.
#include <gtest/gtest.h>

#include "tests/core/PlcPageFixture.h"

#include "document/CodePageText.h"
#include "editors/devices/PlcContactModel.h"

namespace qv {
namespace {

constexpr uint32_t kCp = 932;

TEST(PlcContactLoadTest, NewDeviceShowsThePortsFirstArea) {
    const UnitBlock unit = test::PlcPorts();
    const struct {
        int port;
        const wchar_t* area;
        const wchar_t* address;
        const wchar_t* label;
    } cases[] = {
        {0, L"R", L"0", L""},
        {1, L"X", L"0", L""},
        {2, L"", L"0000", L"01"},
    };
    for (const auto& c : cases) {
        const PlcContactModel model(c.port, unit, kCp);
        const PlcContactForm f = model.Load(nullptr);
        const PlcContactView v = model.View(f);
        ASSERT_EQ(f.area, 0) << c.port;
        if (!v.funcCodes) {
            EXPECT_EQ(v.areas[0].text, c.area) << c.port;
        }
        EXPECT_EQ(f.address, c.address) << c.port;
        EXPECT_EQ(v.codeLabel, c.label) << c.port;
        EXPECT_EQ(f.mode, 0);
        EXPECT_EQ(f.option, 0);
        EXPECT_FALSE(v.optionEnabled);
        EXPECT_EQ(f.unitText, L"");
    }
}

TEST(PlcContactLoadTest, StoredFieldsAndCodesOutsideTheBoxes) {
    const UnitBlock unit = test::PlcPorts();
    const struct {
        const char* what;
        int port, kind, area, mode, option;
        uint32_t address;
        int shownArea, shownMode, shownOption;
        const wchar_t* shownAddress;
    } cases[] = {
        {"contact on L", 1, 0, 3, 2, 1, 31, 3, 2, 1, L"1F"},
        {"small bit address", 1, 0, 0, 1, 0, 10, 0, 1, 0, L"A"},
        {"function code 2", 2, 0, 2, 0, 2, 0x1AF, 1, 0, 2, L"01AF"},
        {"area of another port", 1, 0, 13, 0, 0, 16, 0, 0, 0, L"10"},
        {"mode and option outside", 1, 0, 2, 7, 9, 16, 2, -1, -1, L"10"},
        // A register's mode and address are not a contact's; its option is.
        {"register record", 1, 1, 2, 4, 2, 291, 2, 0, 2, L"0"},
    };
    for (const auto& c : cases) {
        DeviceRecord r = test::PatternedDevice();
        r.SetU8(dev::kIsRegister, static_cast<uint8_t>(c.kind));
        r.SetU8(dev::kArea, static_cast<uint8_t>(c.area));
        r.SetU32(dev::kAddress, c.address);
        r.SetU8(dev::kMode, static_cast<uint8_t>(c.mode));
        r.SetU8(dev::kContactOption, static_cast<uint8_t>(c.option));
        r.SetAscii(dev::kUnitText, 4, "ms");
        const PlcContactModel model(c.port, unit, kCp);
        const PlcContactForm f = model.Load(&r);
        EXPECT_EQ(f.area, c.shownArea) << c.what;
        EXPECT_EQ(f.mode, c.shownMode) << c.what;
        EXPECT_EQ(f.option, c.shownOption) << c.what;
        EXPECT_EQ(f.address, c.shownAddress) << c.what;
        EXPECT_EQ(f.unitText, L"ms") << c.what;
        EXPECT_EQ(model.View(f).optionEnabled, c.shownMode == 2) << c.what;
    }
}

TEST(PlcContactCheckTest, AddressesAreReadWholeAndUnitTextsFitFourBytes) {
    const UnitBlock unit = test::PlcPorts();
    const struct {
        const char* what;
        int port;
        int area; // entry
        const wchar_t* address;
        const wchar_t* unitText;
        bool doubleByteUi;
        unsigned message;
        int field;
    } cases[] = {
        {"bit 1F", 1, 0, L"1F", L"", false, 0, 0},
        {"bit digit past F", 1, 0, L"1G", L"", false, kMsgBadBitAddress, kPlcConArea},
        {"letter in the word", 1, 0, L"A1", L"", false, kMsgBadBitAddress, kPlcConArea},
        {"blank inside", 1, 0, L"1 F", L"", false, kMsgBadBitAddress, kPlcConArea},
        {"empty", 1, 0, L"", L"", false, kMsgBadBitAddress, kPlcConArea},
        {"five characters", 1, 0, L"1234F", L"", false, kMsgBadBitAddress, kPlcConArea},
        {"unit R 49F", 0, 0, L"49F", L"", false, 0, 0},
        {"unit R 500", 0, 0, L"500", L"", false, kMsgBadBitAddress, kPlcConArea},
        {"unit R 9000", 0, 0, L"9000", L"", false, 0, 0},
        {"serial R 500", 1, 2, L"500", L"", false, 0, 0},
        {"hex FFFF", 2, 0, L"FFFF", L"", false, 0, 0},
        {"hex lower case", 2, 1, L"1af", L"", false, 0, 0},
        {"hex stray", 2, 0, L"G1", L"", false, kMsgBadBitAddress, kPlcConAddress},
        {"hex sign", 2, 0, L"-1", L"", false, kMsgBadBitAddress, kPlcConAddress},
        {"hex empty", 2, 0, L"", L"", false, kMsgBadBitAddress, kPlcConAddress},
        {"hex above FFFF", 2, 0, L"10000", L"", false, kMsgBadAddress, kPlcConAddress},
        {"unit 2 wide", 1, 0, L"1", L"\x30c7\x30c7", true, 0, 0},
        {"unit 3 wide", 1, 0, L"1", L"\x30c7\x30c7\x30c7", true, kMsgUnitTextTooLongWide,
         kPlcConUnit},
        {"unit 5 narrow", 1, 0, L"1", L"abcde", false, kMsgUnitTextTooLong, kPlcConUnit},
        {"unit not in code page", 1, 0, L"1", L"\x0e01", false, kMsgTextNotInCodePage, kPlcConUnit},
    };
    for (const auto& c : cases) {
        const PlcContactModel model(c.port, unit, kCp);
        PlcContactForm f = model.Load(nullptr);
        f.area = c.area;
        f.address = c.address;
        f.unitText = c.unitText;
        const Refusal r = model.Check(f, c.doubleByteUi);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
    }
}

TEST(PlcContactStoreTest, WritesExactlyItsFieldsAndDataTypeFour) {
    const UnitBlock unit = test::PlcPorts();
    const struct {
        int port, area;
        const wchar_t* address;
        uint32_t stored;
    } cases[] = {
        {1, 1, L"1F", 31}, {1, 5, L"7", 7}, {0, 0, L"9000", 900 * 16}, {2, 1, L"01aF", 0x1AF}};
    for (const auto& c : cases) {
        const PlcContactModel model(c.port, unit, kCp);
        // A register device becomes a contact: its scale and the other
        // register bytes stay as they were.
        const DeviceRecord before = test::PatternedDevice();
        PlcContactForm f = model.Load(&before);
        f.area = c.area;
        f.address = c.address;
        f.mode = 1;
        f.option = 2;
        f.unitText = L"s";
        ASSERT_FALSE(model.Check(f, false).Refused()) << c.port;
        DeviceRecord after = before;
        model.Store(f, after);

        DeviceRecord expected = before;
        expected.SetU8(dev::kArea,
                       static_cast<uint8_t>(model.View(f).areas.at(size_t(c.area)).code));
        expected.SetU32(dev::kAddress, c.stored);
        expected.SetU8(dev::kMode, 1);
        expected.SetU8(dev::kContactOption, 2);
        expected.SetU8(dev::kDataType, 4);
        expected.SetAscii(dev::kUnitText, 4, "s");
        EXPECT_EQ(after, expected) << "port " << c.port << " " << after.U32(dev::kAddress);
    }
}

TEST(PlcContactStoreTest, CodesOutsideTheBoxesAndAnUneditedUnitKeepTheirBytes) {
    const UnitBlock unit = test::PlcPorts();
    const PlcContactModel model(1, unit, kCp);
    DeviceRecord before = test::PatternedDevice();
    before.SetU8(dev::kIsRegister, 0);
    before.SetU8(dev::kArea, 1);
    before.SetU32(dev::kAddress, 31);
    before.SetU8(dev::kMode, 9);
    before.SetU8(dev::kContactOption, 0xFF);
    const uint8_t unitBytes[] = {'k', 'W', 0, 0};
    for (size_t i = 0; i < 4; ++i)
        before.SetU8(dev::kUnitText + i, unitBytes[i]);
    const PlcContactForm f = model.Load(&before);
    EXPECT_EQ(f.mode, -1);
    EXPECT_EQ(f.option, -1);
    ASSERT_FALSE(model.Check(f, false).Refused());
    DeviceRecord after = before;
    model.Store(f, after);
    DeviceRecord expected = before;
    expected.SetU8(dev::kDataType, 4);
    EXPECT_EQ(after, expected);
}

} // namespace
} // namespace qv
