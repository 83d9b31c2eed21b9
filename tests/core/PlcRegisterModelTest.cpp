// The PLC register page's model: what a record or a new device shows, the
// checks of its fields and exactly which record bytes a store writes.
#include <gtest/gtest.h>

#include "tests/core/PlcPageFixture.h"

#include <cstring>

#include "document/CodePageText.h"
#include "document/ValueText.h"
#include "editors/devices/PlcRegisterModel.h"

namespace qv {
namespace {

constexpr uint32_t kCp = 932;

uint32_t FloatBits(float f) {
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

TEST(PlcRegisterLoadTest, NewDeviceDefaultsPerProtocol) {
    const UnitBlock unit = test::PlcPorts();
    const PlcRegisterModel area(1, unit, false, kCp);
    const PlcRegisterForm a = area.Load(nullptr);
    const PlcRegisterView av = area.View(a);
    ASSERT_GE(a.area, 0);
    EXPECT_EQ(av.areas[static_cast<size_t>(a.area)].text, L"DT");
    EXPECT_EQ(a.address, L"0");
    EXPECT_EQ(a.dataType, 0);
    EXPECT_EQ(a.mode, 0);
    EXPECT_EQ(a.scale, L"0");
    EXPECT_EQ(av.codeLabel, L"");
    EXPECT_EQ(av.addressMaxChars, 5u);
    EXPECT_EQ(av.dataTypeCount, 7);

    const PlcRegisterModel func(2, unit, true, kCp);
    const PlcRegisterForm f = func.Load(nullptr);
    const PlcRegisterView fv = func.View(f);
    EXPECT_EQ(f.area, 0);
    EXPECT_EQ(f.address, L"0000");
    EXPECT_EQ(fv.codeLabel, L"03");
    EXPECT_EQ(fv.addressMaxChars, 4u);
    EXPECT_EQ(fv.dataTypeCount, 9);
    EXPECT_EQ(fv.differenceCount, 20);
}

TEST(PlcRegisterLoadTest, StoredFieldsAndTheirLimits) {
    const UnitBlock unit = test::PlcPorts();
    const struct {
        const char* what;
        bool wide;
        int type, mode, difference, option, kind;
        int shownType, shownMode, shownDifference, shownOption;
        std::wstring address;
    } cases[] = {
        {"type 8 in a narrow file", false, 8, 0, 0, 0, 1, 0, 0, 0, 0, L"291"},
        {"type 8 in a wide file", true, 8, 3, 0, 1, 1, 8, 3, 0, 1, L"291"},
        {"64-bit type has no mode 1", true, 7, 1, 0, 0, 1, 7, 0, 0, 0, L"291"},
        {"difference mode", true, 3, 4, 15, 0, 1, 3, 4, 15, 0, L"291"},
        {"narrow file difference 15", false, 3, 4, 15, 0, 1, 3, 4, 0, 0, L"291"},
        {"difference outside mode 4", false, 3, 2, 5, 0, 1, 3, 2, 0, 0, L"291"},
        {"codes outside the boxes", false, 12, 9, 4, 7, 1, -1, -1, 0, -1, L"291"},
        {"contact record", false, 1, 2, 0, 0, 0, 1, 0, 0, 0, L"0"},
    };
    for (const auto& c : cases) {
        DeviceRecord r = test::PatternedDevice();
        r.SetU8(dev::kArea, 15);
        r.SetU32(dev::kAddress, 291);
        r.SetU8(dev::kDataType, static_cast<uint8_t>(c.type));
        r.SetU8(dev::kMode, static_cast<uint8_t>(c.mode));
        r.SetU8(dev::kExtra, static_cast<uint8_t>(c.difference));
        r.SetU8(dev::kWideValueOption, static_cast<uint8_t>(c.option));
        r.SetU8(dev::kIsRegister, static_cast<uint8_t>(c.kind));
        const PlcRegisterModel model(1, unit, c.wide, kCp);
        const PlcRegisterForm f = model.Load(&r);
        EXPECT_EQ(f.dataType, c.shownType) << c.what;
        EXPECT_EQ(f.mode, c.shownMode) << c.what;
        EXPECT_EQ(f.difference, c.shownDifference) << c.what;
        EXPECT_EQ(f.option, c.shownOption) << c.what;
        EXPECT_EQ(f.address, c.address) << c.what;
    }
}

TEST(PlcRegisterLoadTest, ModeListAndDifferenceFollowTypeAndMode) {
    const UnitBlock unit = test::PlcPorts();
    const PlcRegisterModel model(2, unit, true, kCp);
    PlcRegisterForm f = model.Load(nullptr);
    f.mode = 3;
    model.ChangeDataType(f, 8);
    EXPECT_EQ(f.mode, 3);
    EXPECT_EQ(model.View(f).modes, (std::vector<int>{0, 2, 3, 4}));
    EXPECT_TRUE(model.View(f).optionEnabled);
    f.mode = 1;
    model.ChangeDataType(f, 7);
    EXPECT_EQ(f.mode, 0);
    model.ChangeMode(f, 4);
    f.difference = 12;
    EXPECT_TRUE(model.View(f).differenceEnabled);
    model.ChangeMode(f, 2);
    EXPECT_EQ(f.difference, 0);
    EXPECT_FALSE(model.View(f).differenceEnabled);
    model.ChangeDataType(f, 2);
    EXPECT_FALSE(model.View(f).optionEnabled);
    // The area protocol has no option.
    const PlcRegisterModel area(1, unit, true, kCp);
    PlcRegisterForm a = area.Load(nullptr);
    area.ChangeDataType(a, 5);
    EXPECT_FALSE(area.View(a).optionEnabled);
}

TEST(PlcRegisterCheckTest, FieldsAreCheckedWhole) {
    const UnitBlock unit = test::PlcPorts();
    const struct {
        const char* what;
        int port;
        int area; // entry
        const wchar_t* address;
        bool scaling;
        const wchar_t* scale;
        const wchar_t* unitText;
        bool doubleByteUi;
        unsigned message;
        int field;
    } cases[] = {
        {"WR 49", 0, 0, L"49", false, L"0", L"", false, 0, 0},
        {"WR 50", 0, 0, L"50", false, L"0", L"", false, kMsgBadAddress, kPlcRegAddress},
        {"WR 900", 0, 0, L"900", false, L"0", L"", false, 0, 0},
        {"DT any", 0, 1, L"50", false, L"0", L"", false, 0, 0},
        {"DT 5 digits", 1, 4, L"99999", false, L"0", L"", false, 0, 0},
        {"DT stray letter", 1, 4, L"12a", false, L"0", L"", false, kMsgBadAddress, kPlcRegAddress},
        {"DT empty", 1, 4, L"", false, L"0", L"", false, kMsgBadAddress, kPlcRegAddress},
        {"hex", 2, 0, L"1a2F", false, L"0", L"", false, 0, 0},
        {"hex 5 digits", 2, 0, L"12345", false, L"0", L"", false, kMsgBadAddress, kPlcRegAddress},
        {"hex stray", 2, 0, L"G1", false, L"0", L"", false, kMsgBadAddress, kPlcRegAddress},
        {"scale letters", 1, 4, L"1", true, L"abc", L"", false, kMsgBadNumberText, kPlcRegScale},
        {"scale two points", 1, 4, L"1", true, L"1..2", L"", false, kMsgBadNumberText,
         kPlcRegScale},
        {"scale precise", 1, 4, L"1", true, L"1.2345678", L"", false, kMsgScaleTooPrecise,
         kPlcRegScale},
        {"scale large", 1, 4, L"1", true, L"12345", L"", false, kMsgNumberTooLarge, kPlcRegScale},
        {"scale off is not checked", 1, 4, L"1", false, L"abc", L"", false, 0, 0},
        {"scale fine", 1, 4, L"1", true, L"-0.125", L"", false, 0, 0},
        {"unit 2 wide", 1, 4, L"1", false, L"0", L"\x30c7\x30c7", true, 0, 0},
        {"unit 3 wide", 1, 4, L"1", false, L"0", L"\x30c7\x30c7\x30c7", true,
         kMsgUnitTextTooLongWide, kPlcRegUnit},
        {"unit 5 narrow", 1, 4, L"1", false, L"0", L"abcde", false, kMsgUnitTextTooLong,
         kPlcRegUnit},
        {"unit not in code page", 1, 4, L"1", false, L"0", L"\x0e01", false, kMsgTextNotInCodePage,
         kPlcRegUnit},
    };
    for (const auto& c : cases) {
        const PlcRegisterModel model(c.port, unit, false, kCp);
        PlcRegisterForm f = model.Load(nullptr);
        f.area = c.area;
        f.address = c.address;
        f.scaling = c.scaling;
        f.scale = c.scale;
        f.unitText = c.unitText;
        const Refusal r = model.Check(f, c.doubleByteUi);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
    }
    const PlcRegisterModel model(1, unit, false, kCp);
    PlcRegisterForm f = model.Load(nullptr);
    f.unitText = L"\x30c7\x30c7\x30c7";
    EXPECT_EQ(model.Check(f, true).args, (std::vector<std::wstring>{L"4", L"2"}));
    EXPECT_EQ(model.Check(f, false).args, (std::vector<std::wstring>{L"4"}));
}

TEST(PlcRegisterStoreTest, WritesExactlyItsFieldsForEveryDataType) {
    const UnitBlock unit = test::PlcPorts();
    for (bool funcCodes : {false, true}) {
        for (int type = 0; type <= 8; ++type) {
            const PlcRegisterModel model(funcCodes ? 2 : 1, unit, true, kCp);
            const DeviceRecord before = test::PatternedDevice();
            PlcRegisterForm f = model.Load(&before);
            f.area = 1;
            f.address = funcCodes ? L"01AF" : L"431";
            model.ChangeDataType(f, type);
            model.ChangeMode(f, 4);
            f.difference = 17;
            f.scaling = true;
            f.scale = L"2.5";
            f.unitText = L"kW";
            f.option = 1;
            ASSERT_FALSE(model.Check(f, false).Refused()) << type;
            DeviceRecord after = before;
            model.Store(f, after);

            DeviceRecord expected = before;
            expected.SetU8(dev::kArea, static_cast<uint8_t>(model.View(f).areas[1].code));
            expected.SetU32(dev::kAddress, funcCodes ? 0x1AF : 431);
            expected.SetU8(dev::kDataType, static_cast<uint8_t>(type));
            expected.SetU8(dev::kMode, 4);
            expected.SetU8(dev::kExtra, 17);
            expected.SetU8(dev::kScaleOn, 1);
            expected.SetU32(dev::kScale, FloatBits(2.5f));
            expected.SetAscii(dev::kUnitText, 4, "kW");
            expected.SetU8(dev::kWideValueOption, type >= 3 ? 1 : 0);
            EXPECT_EQ(after, expected) << "type " << type << (funcCodes ? " function codes" : "");
        }
    }
}

TEST(PlcRegisterStoreTest, UnscaledAndOutOfRangeFieldsKeepTheirBytes) {
    const UnitBlock unit = test::PlcPorts();
    const PlcRegisterModel model(1, unit, false, kCp);
    DeviceRecord before = test::PatternedDevice();
    before.SetU8(dev::kDataType, 12);
    before.SetU8(dev::kMode, 9);
    before.SetU32(dev::kScale, FloatBits(7.0f));
    PlcRegisterForm f = model.Load(&before);
    f.address = L"5";
    f.scaling = false;
    f.scale = L"abc";
    ASSERT_FALSE(model.Check(f, false).Refused());
    DeviceRecord after = before;
    model.Store(f, after);
    EXPECT_EQ(after.U8(dev::kDataType), 12);
    EXPECT_EQ(after.U8(dev::kMode), 9);
    EXPECT_EQ(after.U32(dev::kScale), FloatBits(7.0f)) << "an invalid disabled scale is kept";
    EXPECT_EQ(after.U8(dev::kScaleOn), 0);
    f.scale = L"3.5";
    model.Store(f, after);
    EXPECT_EQ(after.U32(dev::kScale), FloatBits(3.5f)) << "a valid one is stored unscaled";
}

} // namespace
} // namespace qv
