// The data-set editor's store: values limited to their type or refused, one
// record per station with a question before used records are overwritten,
// and bytes the boxes cannot show kept as they were.
#include "editors/datasets/DataSetEditorModel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "document/ValueText.h"
#include "editors/datasets/DataSetListModel.h"
#include "tests/core/LanguageFixture.h"
#include "tests/core/ScriptedQuestions.h"

namespace qv {
namespace {

constexpr uint32_t kCp = 932;
using test::ScriptedQuestions;

UnitBlock Unit(bool port1FuncCodes = false, int port2Role = 0) {
    UnitBlock u;
    u.SetU8(unit::PortRecordOffset(0) + portrec::kProtocol, port1FuncCodes ? 1 : 0);
    u.SetU8(unit::PortRecordOffset(1) + portrec::kRole, static_cast<uint8_t>(port2Role));
    return u;
}

DataSetForm Register(int type, const std::wstring& value, int port = 0) {
    DataSetForm f;
    f.name = L"pump";
    f.port = port;
    f.targetKind = 1;
    f.area = 15; // DT
    f.address = L"100";
    f.dataType = type;
    f.value = value;
    return f;
}

struct ValueCase {
    int type;
    const wchar_t* text;
    unsigned refusal;
    uint64_t stored; // value32 for types 0..6, value64 for 7 and 8
};

TEST(DataSetEditorModel, ValuesAreLimitedToTheirTypeOrRefused) {
    const ValueCase cases[] = {
        {0, L"40000", 0, 32767},
        {0, L"-40000", 0, 0xFFFF8000u},
        {1, L"-5", 0, 0},
        {3, L"99999999999999999999", 0, 0x7FFFFFFF}, // no wrap past 64 bits
        {3, L"-99999999999999999999", 0, 0x80000000u},
        {4, L"4294967296", 0, 0xFFFFFFFFu},
        {6, L"1.5", 0, 0x3FC00000u},
        {7, L"-5", 0, 0xFFFFFFFFFFFFFFFBull},
        {7, L"99999999999999999999", 0, 0x7FFFFFFFFFFFFFFFull},
        {7, L"-99999999999999999999", 0, 0x8000000000000000ull},
        {8, L"18446744073709551615", 0, 0xFFFFFFFFFFFFFFFFull},
        {8, L"99999999999999999999", 0, 0xFFFFFFFFFFFFFFFFull},
        {0, L"12a", kMsgBadNumberText, 0},
        {2, L"12345", kMsgBadNumberText, 0},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.text);
        DataSetTable table;
        table[4].SetU32(dset::kValue32, 0x11111111);
        table[4].SetU64(dset::kValue64, 0x2222222222222222ull);
        const DataSetTable before = table;
        ScriptedQuestions none;
        const DataSetStore s =
            StoreDataSets(table, 4, Register(c.type, c.text), {}, Unit(), kCp, none);
        EXPECT_EQ(s.refusal.messageId, c.refusal);
        if (c.refusal) {
            EXPECT_EQ(s.refusal.field, kDsValue);
            EXPECT_EQ(table, before); // nothing kept from an earlier record
            continue;
        }
        const DataSetRecord& r = table[4];
        if (c.type >= 7) {
            EXPECT_EQ(r.U64(dset::kValue64), c.stored);
            EXPECT_EQ(r.U32(dset::kValue32), 0x11111111u);
        } else {
            EXPECT_EQ(r.U32(dset::kValue32), c.stored);
            EXPECT_EQ(r.U64(dset::kValue64), 0x2222222222222222ull);
        }
    }
}

struct CheckCase {
    DataSetForm form;
    int index;
    std::vector<uint32_t> stations;
    UnitBlock unit;
    unsigned refusal;
    int field;
};

TEST(DataSetEditorModel, RefusalsLeaveTheTableAlone) {
    DataSetForm longName = Register(0, L"1");
    longName.name = std::wstring(33, L'a');
    DataSetForm contact = Register(0, L"");
    contact.targetKind = 0;
    contact.area = 2; // R of the unit
    contact.address = L"12G";
    DataSetForm unitWord = Register(0, L"1");
    unitWord.area = 13; // WR of the unit: words 0..49 and 900..999
    unitWord.address = L"60";
    DataSetForm hex = Register(0, L"1", 1);
    hex.area = 6;
    hex.address = L"G1";
    DataSetForm wide = hex;
    wide.address = L"10000";
    const CheckCase cases[] = {
        {Register(0, L"1", 2), 0, {}, Unit(false, 1), kMsgPortNotUsable, kDsPort},
        {Register(0, L"1", 1), 127, {1, 2, 3}, Unit(), kMsgNoRoomForStations, 0},
        {longName, 0, {}, Unit(), kMsgNameTooLong, kDsName},
        {contact, 0, {}, Unit(), kMsgBadBitAddress, kDsAddress},
        {unitWord, 0, {}, Unit(), kMsgBadWordAddress, kDsAddress},
        {hex, 0, {}, Unit(true), kMsgBadBitAddress, kDsAddress},
        {wide, 0, {}, Unit(true), kMsgBadWordAddress, kDsAddress},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.refusal);
        DataSetTable table;
        table[0].SetU8(dset::kTrigger, 9);
        const DataSetTable before = table;
        ScriptedQuestions none;
        const DataSetStore s = StoreDataSets(table, c.index, c.form, c.stations, c.unit, kCp, none);
        EXPECT_EQ(s.refusal.messageId, c.refusal);
        EXPECT_EQ(s.refusal.field, c.field);
        EXPECT_FALSE(s.stored);
        EXPECT_EQ(table, before);
    }
    DataSetTable table;
    DataSetForm name32 = Register(0, L"1");
    name32.name = std::wstring(32, L'a');
    ScriptedQuestions none;
    EXPECT_TRUE(StoreDataSets(table, 127, name32, {}, Unit(), kCp, none).stored);
}

TEST(DataSetEditorModel, SeveralStationsWriteFollowingRecordsAfterAsking) {
    const DataSetForm form = Register(1, L"7", 1);
    DataSetTable empty;
    ScriptedQuestions none; // all following records unused: nothing to ask
    ASSERT_TRUE(StoreDataSets(empty, 10, form, {3, 5, 9}, Unit(), kCp, none).stored);
    const uint8_t stations[] = {3, 5, 9};
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(empty[10 + j].U8(dset::kStation), stations[j]);
        EXPECT_EQ(empty[10 + j].U32(dset::kValue32), 7u);
        EXPECT_EQ(empty[10 + j].U32(dset::kAddress), 100u);
    }
    EXPECT_TRUE(IsUnusedDataSet(empty[13]));

    DataSetTable used;
    used[12].SetU8(dset::kTrigger, 4);
    const DataSetTable before = used;
    ScriptedQuestions no({false});
    const DataSetStore kept = StoreDataSets(used, 10, form, {3, 5, 9}, Unit(), kCp, no);
    EXPECT_TRUE(kept.declined);
    EXPECT_EQ(used, before);
    EXPECT_EQ(no.asked, std::vector<unsigned>{kMsgOverwriteFollowing});
    ScriptedQuestions yes({true});
    EXPECT_TRUE(StoreDataSets(used, 10, form, {3, 5, 9}, Unit(), kCp, yes).stored);
    EXPECT_EQ(used[12].U8(dset::kStation), 9);

    // Port 2 never stores "all stations"; port 1 on areas does.
    DataSetTable t;
    ASSERT_TRUE(StoreDataSets(t, 0, Register(1, L"7", 2), {0}, Unit(), kCp, none).stored);
    EXPECT_EQ(t[0].U8(dset::kStation), 1);
    ASSERT_TRUE(StoreDataSets(t, 0, Register(1, L"7", 1), {0}, Unit(), kCp, none).stored);
    EXPECT_EQ(t[0].U8(dset::kStation), 0);
}

TEST(DataSetEditorModel, LoadAndStoreKeepWhatTheBoxesCannotShow) {
    DataSetRecord odd;
    odd.SetAscii(dset::kName, 32, "odd");
    odd.SetU8(dset::kTrigger, 200);
    odd.SetU8(dset::kTrigger2, 250);
    odd.SetU8(dset::kFlag, 5);
    odd.SetU8(kDataSetCheckByte, 9);
    odd.SetU8(dset::kReserved22, 0x7F);
    odd.SetU8(dset::kTargetKind, 1);
    odd.SetU8(dset::kDataType, 12);
    odd.SetU8(dset::kArea, 15);
    odd.SetU32(dset::kAddress, 321);
    odd.SetU32(dset::kValue32, 0xDEADBEEF);
    odd.SetU64(dset::kValue64, 0x0123456789ABCDEFull);
    odd.SetU8(0x33, 0x5A); // never written by the editor

    DataSetRecord wide; // a 64-bit register on a function-code port
    wide.SetU8(dset::kPort, 1);
    wide.SetU8(dset::kStation, 7);
    wide.SetU8(dset::kTargetKind, 1);
    wide.SetU8(dset::kDataType, 8);
    wide.SetU8(dset::kArea, 16);
    wide.SetU8(dset::kReserved22, 1);
    wide.SetU32(dset::kAddress, 0xBEEF);
    wide.SetU64(dset::kValue64, 0xFFFFFFFFFFFFFFFFull);

    DataSetRecord contact; // the unit's own R 12A, ON
    contact.SetU8(dset::kArea, 2);
    contact.SetU32(dset::kAddress, 12 * 16 + 10);
    contact.SetU32(dset::kValue32, 1);
    contact.SetU8(dset::kTrigger, 3);

    for (const DataSetRecord& r : {odd, wide, contact}) {
        DataSetTable table;
        table[5] = r;
        const UnitBlock unit = Unit(true);
        const DataSetForm form = LoadDataSetForm(r, unit, kCp);
        ScriptedQuestions none;
        const std::vector<uint32_t> station{r.U8(dset::kStation)};
        ASSERT_TRUE(StoreDataSets(table, 5, form, station, unit, kCp, none).stored);
        EXPECT_EQ(table[5], r);
    }

    // Function code 6 of a wide type is stored as 16 and shown as 16.
    DataSetForm f = LoadDataSetForm(wide, Unit(true), kCp);
    EXPECT_EQ(f.address, L"BEEF");
    f.area = 6;
    DataSetTable table;
    ScriptedQuestions none;
    ASSERT_TRUE(StoreDataSets(table, 0, f, {7}, Unit(true), kCp, none).stored);
    EXPECT_EQ(table[0].U8(dset::kArea), 16);
    EXPECT_EQ(ShownFuncCode(6, 8), 16);
    EXPECT_EQ(DataSetAreaEntry(DataSetAreas(1, 1, Unit(true)), 16), 0); // code 6's entry
}

TEST(DataSetListModel, RowTextsAndDelete) {
    test::ScopedLanguage english(test::kEnglish);
    DataSetTable sets;
    TriggerTable triggers;
    triggers[2].SetAscii(trig::kName, 32, "door");
    sets[0].SetU8(dset::kReserved22, 1); // not looked at: still unused
    sets[1].SetU8(dset::kPort, 1);       // all stations on port 1
    sets[1].SetU8(dset::kArea, 1);
    sets[1].SetU32(dset::kAddress, 0x15);
    sets[1].SetU32(dset::kValue32, 2);
    sets[1].SetU8(dset::kTrigger, 3);
    sets[2].SetU8(dset::kTargetKind, 1);
    sets[2].SetU8(dset::kDataType, 8);
    sets[2].SetU8(dset::kArea, 15);
    sets[2].SetU64(dset::kValue64, 0xFFFFFFFFFFFFFFFFull);
    sets[2].SetU8(dset::kFlag, 1);
    const UnitBlock unit = Unit();
    const DataSetRowText empty = FormatDataSetRow(sets, triggers, unit, 0, kCp);
    EXPECT_EQ(empty.number, L"1");
    EXPECT_EQ(empty.name + empty.trigger + empty.target + empty.trigger2, L"");
    const DataSetRowText on = FormatDataSetRow(sets, triggers, unit, 1, kCp);
    EXPECT_EQ(on.trigger, L"No.3(door)");
    EXPECT_EQ(on.target, GetPortName(1) + L"  " + GetAreaName(1) + L"15=ON " + ResString(8110));
    const DataSetRowText wide = FormatDataSetRow(sets, triggers, unit, 2, kCp);
    EXPECT_EQ(wide.target, GetPortName(0) + L" DT0=18446744073709551615 " + ResString(8111));
    EXPECT_EQ(wide.trigger2, ResString(9045));

    for (int row : {3, 4, 5, 6})
        sets[static_cast<size_t>(row)].SetU8(dset::kTrigger, static_cast<uint8_t>(row));
    Refusal refusal;
    ScriptedQuestions none;
    EXPECT_FALSE(DeleteDataSets(sets, {}, none, refusal));
    EXPECT_EQ(refusal.messageId, kMsgNothingChecked);
    ScriptedQuestions yes({true});
    EXPECT_TRUE(DeleteDataSets(sets, {3, 5}, yes, refusal));
    EXPECT_TRUE(IsUnusedDataSet(sets[3]) && IsUnusedDataSet(sets[5]));
    EXPECT_EQ(sets[4].U8(dset::kTrigger), 4);
    EXPECT_EQ(sets[6].U8(dset::kTrigger), 6);
}

} // namespace
} // namespace qv
