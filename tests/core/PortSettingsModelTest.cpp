// The serial port page: what it shows for the stored bytes, what it stores
// back, and the OK step that removes the items of a port whose protocol changed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

#include "editors/PortSettingsModel.h"

namespace qv {
namespace {

size_t Rec(int port, size_t field) {
    return unit::PortRecordOffset(port) + field;
}

struct StoreCase {
    const char* name;
    int port;
    std::function<void(UnitBlock&)> stored;    // the bytes before loading
    std::function<void(PortPageValues&)> edit; // what the user changes
    std::function<void(const UnitBlock&)> check;
};

void PrintTo(const StoreCase& c, std::ostream* os) {
    *os << c.name;
}

const StoreCase kStoreCases[] = {
    {"RoleZeroStoresNumberOne", 0, [](UnitBlock& u) { u.SetU8(Rec(0, portrec::kNumber), 42); },
     [](PortPageValues& v) { v.numberIndex = 30; },
     [](const UnitBlock& u) { EXPECT_EQ(u.U8(Rec(0, portrec::kNumber)), 1); }},
    {"RoleOneStoresTheChosenNumber", 1, [](UnitBlock& u) { u.SetU8(Rec(1, portrec::kRole), 1); },
     [](PortPageValues& v) { v.numberIndex = 98; },
     [](const UnitBlock& u) { EXPECT_EQ(u.U8(Rec(1, portrec::kNumber)), 99); }},
    {"StoredByteFourZeroShowsFirstItemAndStoresOne", 0, [](UnitBlock&) {},
     [](PortPageValues& v) { EXPECT_EQ(v.number2Index, 0); },
     [](const UnitBlock& u) { EXPECT_EQ(u.U8(Rec(0, portrec::kNumber2)), 1); }},
    {"FormatRebuiltFromThreeFieldsHighBitsCleared", 1,
     [](UnitBlock& u) { u.SetU8(Rec(1, portrec::kFormat), 0xF0); },
     [](PortPageValues& v) {
         v.dataLength = 1;
         v.parity = 1;
         v.stopBits = 1;
     },
     [](const UnitBlock& u) { EXPECT_EQ(u.U8(Rec(1, portrec::kFormat)), 0x0B); }},
    {"OptionTouchesOnlyItsOwnHalf", 1, [](UnitBlock& u) { u.SetU8(unit::kPortOptions, 0x01); },
     [](PortPageValues& v) { v.option = 1; },
     [](const UnitBlock& u) { EXPECT_EQ(u.U8(unit::kPortOptions), 0x11); }},
    {"ChoiceStoresZeroOrOne", 1, [](UnitBlock& u) { u.SetU8(unit::kPortChoice + 1, 7); },
     [](PortPageValues& v) { EXPECT_TRUE(v.choiceOne); },
     [](const UnitBlock& u) { EXPECT_EQ(u.U8(unit::kPortChoice + 1), 1); }},
    {"ValueIsSignedSixteenBit", 1, [](UnitBlock& u) { u.SetU16(unit::kPortValue + 2, 0xFFFE); },
     [](PortPageValues& v) {
         EXPECT_EQ(v.valueText, "-2");
         v.valueText = " -123 ";
     },
     [](const UnitBlock& u) {
         EXPECT_EQ(u.U16(unit::kPortValue + 2), static_cast<uint16_t>(-123));
         EXPECT_EQ(u.U16(unit::kPortValue), 0);
     }},
    // A byte the list has no item for is kept, not replaced by garbage.
    {"UnlistedStoredValuesKept", 0,
     [](UnitBlock& u) {
         u.SetU8(Rec(0, portrec::kBaud), 9);
         u.SetU8(Rec(0, portrec::kFormat), 0x06); // parity code 3
         u.SetU8(Rec(0, portrec::kNumber2), 200);
     },
     [](PortPageValues& v) {
         EXPECT_EQ(v.baud, -1);
         EXPECT_EQ(v.parity, -1);
         EXPECT_EQ(v.number2Index, -1);
     },
     [](const UnitBlock& u) {
         EXPECT_EQ(u.U8(Rec(0, portrec::kBaud)), 9);
         EXPECT_EQ(u.U8(Rec(0, portrec::kFormat)), 0x06);
         EXPECT_EQ(u.U8(Rec(0, portrec::kNumber2)), 200);
     }},
};

class PortStoreTest : public ::testing::TestWithParam<StoreCase> {};

TEST_P(PortStoreTest, LoadEditStore) {
    const StoreCase& c = GetParam();
    UnitBlock unit;
    c.stored(unit);
    PortPageValues v = LoadPortValues(unit, c.port);
    c.edit(v);
    ASSERT_TRUE(StorePortValues(v, c.port, unit));
    c.check(unit);
}

INSTANTIATE_TEST_SUITE_P(Cases, PortStoreTest, ::testing::ValuesIn(kStoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PortValueText, BadTextRefusedAndNothingStored) {
    for (const char* text : {"", " ", "abc", "12x", "32768", "-32769", "1.5"}) {
        UnitBlock unit;
        unit.SetU16(unit::kPortValue, 77);
        PortPageValues v = LoadPortValues(unit, 0);
        v.role = 1;
        v.valueText = text;
        EXPECT_FALSE(StorePortValues(v, 0, unit)) << '"' << text << '"';
        EXPECT_EQ(unit.U16(unit::kPortValue), 77) << text;
        EXPECT_EQ(unit.U8(Rec(0, portrec::kRole)), 0) << text;
    }
    EXPECT_EQ(ParsePortValue("-32768"), std::optional<int16_t>(-32768));
    EXPECT_EQ(ParsePortValue("32767"), std::optional<int16_t>(32767));
}

TEST(PortRoleControls, NumberForRoleOneProtocolOtherwise) {
    EXPECT_TRUE(EnabledForRole(1).number);
    EXPECT_FALSE(EnabledForRole(1).protocol);
    EXPECT_FALSE(EnabledForRole(0).number);
    EXPECT_TRUE(EnabledForRole(0).protocol);
}

// The dialog's working copy: both ports' edits survive a tab switch.
TEST(PortSettingsOk, BothPortsEditsKept) {
    UnitBlock doc, copy;
    copy = doc;
    PortPageValues first = LoadPortValues(copy, 0);
    first.baud = 5;
    ASSERT_TRUE(StorePortValues(first, 0, copy));
    PortPageValues second = LoadPortValues(copy, 1);
    second.valueText = "321";
    ASSERT_TRUE(StorePortValues(second, 1, copy));
    EXPECT_EQ(LoadPortValues(copy, 0).baud, 5);
    EXPECT_EQ(LoadPortValues(copy, 1).valueText, "321");
    EXPECT_FALSE(CompareProtocols(copy, doc).Any());
}

TEST(PortSettingsOk, SecondPortProtocolChangeRemovesOnlyPortTwoItems) {
    auto blocks = std::make_unique<ImageBlocks>();
    for (int i = 0; i < 2; ++i) {
        blocks->devices[i].SetU8(dev::kPort, static_cast<uint8_t>(i + 1));
        blocks->devices[i].SetU16(dev::kNumber, static_cast<uint16_t>(i + 1));
        blocks->dataSets[i].SetU8(dset::kPort, static_cast<uint8_t>(i + 1));
        blocks->triggers[i].SetU8(trig::kKind, kTriggerContact);
        blocks->triggers[i].SetU8(trig::kPort, static_cast<uint8_t>(i + 1));
    }
    UnitBlock edited = blocks->unit;
    PortPageValues v = LoadPortValues(edited, 1);
    v.protocol = 1;
    v.baud = 4;
    ASSERT_TRUE(StorePortValues(v, 1, edited));
    const ProtocolChanges c = CompareProtocols(edited, blocks->unit);
    EXPECT_FALSE(c.port[0]);
    EXPECT_TRUE(c.port[1]);

    ApplyPortSettings(*blocks, edited);
    EXPECT_EQ(blocks->unit, edited);
    EXPECT_EQ(blocks->devices[0].U8(dev::kPort), 1);
    EXPECT_EQ(blocks->devices[0].U16(dev::kNumber), 1);
    EXPECT_NE(blocks->devices[1].U8(dev::kPort), 2);
    EXPECT_EQ(blocks->dataSets[0].U8(dset::kPort), 1);
    EXPECT_NE(blocks->dataSets[1].U8(dset::kPort), 2);
    EXPECT_EQ(blocks->triggers[0].U8(trig::kKind), kTriggerContact);
    EXPECT_EQ(blocks->triggers[1].U8(trig::kKind), kTriggerNone);
}

TEST(AdvancedPortValues, RangeFiveToSixty) {
    struct {
        const char* first;
        const char* second;
        int failing;
    } cases[] = {{"5", "60", -1}, {"4", "60", 0}, {"5", "61", 1}, {"", "5", 0}, {"61", "4", 0}};
    for (const auto& c : cases) {
        AdvancedPortValues v;
        EXPECT_EQ(CheckAdvancedValues(c.first, c.second, v), c.failing)
            << c.first << "/" << c.second;
        if (c.failing < 0) {
            EXPECT_EQ(v.first, 5);
            EXPECT_EQ(v.second, 60);
        }
    }
}

TEST(AdvancedPortValues, StoredBytesReplaceSixtyOnlyInRange) {
    PortNumberBlock block;
    block.SetU8(kAdvancedFirst, 4);
    block.SetU8(kAdvancedSecond, 5);
    AdvancedPortValues v = LoadAdvancedValues(block);
    EXPECT_EQ(v.first, 60);
    EXPECT_EQ(v.second, 5);
    v.first = 33;
    StoreAdvancedValues(v, block);
    EXPECT_EQ(block.U8(kAdvancedFirst), 33);
    EXPECT_EQ(block.U8(kAdvancedSecond), 5);
}

} // namespace
} // namespace qv
